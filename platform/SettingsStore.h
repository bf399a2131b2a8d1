#pragma once

#include <QList>
#include <QString>
#include <utility>

// Per-user store of text values addressed by section and key; the application name is fixed.
class SettingsStore
{
public:
    using Values = QList<std::pair<QString, QString>>; // key, value

    struct Written
    {
        bool ok = false; // every value is stored, none was lost on the way
        // Where a store that could not be read was moved before a fresh one was written in
        // its place; empty when there was none.
        QString setAside;
    };

    virtual ~SettingsStore() = default;
    // The text as stored; a missing key reads as an empty text.
    virtual QString value(const QString& section, const QString& key) const = 0;
    // Writes the values of one section in one step: afterwards the store holds either all of
    // them or, on failure, what it held before. A store that cannot be read is kept under
    // another name, never overwritten.
    virtual Written setValues(const QString& section, const Values& values) = 0;
};

// An INI file: by default QSettings' native file for organisation and application "Tambolino"
// (on Linux Tambolino/Tambolino.conf below $XDG_CONFIG_HOME).
class QtSettingsStore final : public SettingsStore
{
public:
    QtSettingsStore();
    explicit QtSettingsStore(const QString& fileName);

    QString fileName() const { return m_fileName; }
    QString value(const QString& section, const QString& key) const override;
    Written setValues(const QString& section, const Values& values) override;

private:
    QString m_fileName;
};
