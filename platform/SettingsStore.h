#pragma once

#include <QString>

// Per-user store of text values addressed by section and key; the application name is fixed.
class SettingsStore
{
public:
    virtual ~SettingsStore() = default;
    // A missing key reads as an empty text.
    virtual QString value(const QString& section, const QString& key) const = 0;
    // False when the value could not be stored.
    virtual bool setValue(const QString& section, const QString& key, const QString& value) = 0;
};

// QSettings under organisation and application "Tambolino" (on Linux an INI file below
// $XDG_CONFIG_HOME).
class QtSettingsStore final : public SettingsStore
{
public:
    QString value(const QString& section, const QString& key) const override;
    bool setValue(const QString& section, const QString& key, const QString& value) override;
};
