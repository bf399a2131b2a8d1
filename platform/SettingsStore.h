#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
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
    // Every key of a section with its text as stored, read in one go. A damaged store gives
    // what could be read of it.
    virtual QHash<QString, QString> values(const QString& section) const = 0;
    // One key's text; a missing key reads as an empty text.
    QString value(const QString& section, const QString& key) const
    {
        return values(section).value(key);
    }
    // The store exists but cannot be read whole: the next write sets it aside.
    virtual bool damaged() const = 0;
    // Writes the values of one section in one step: afterwards the store holds either all of
    // them or, on failure, what it held before. A store that cannot be read is kept under
    // another name, never overwritten. Keys are names without "=", values single lines without
    // blanks at either end.
    virtual Written setValues(const QString& section, const Values& values) = 0;
};

// An INI file, by default Tambolino/Tambolino.conf below $XDG_CONFIG_HOME, over the system-wide
// files of that name below $XDG_CONFIG_DIRS (/etc/xdg), which a school sets once per computer:
// a key takes its value from the first of these files that has it, the user's file first.
// Only the user's file is ever written, and only its damage counts. Read whole when
// every line is blank, a comment ("; ..." or "# ..."), a "[section]" or a "key=value", the text
// outside comments is UTF-8, and the file has at most 1 MiB. Lines end with CR LF, LF or CR; a
// byte-order mark is skipped. Written whole as UTF-8 with LF, without comments.
class QtSettingsStore final : public SettingsStore
{
public:
    QtSettingsStore();
    explicit QtSettingsStore(const QString& fileName, const QStringList& systemFiles = {});

    QString fileName() const { return m_fileName; }
    QHash<QString, QString> values(const QString& section) const override;
    bool damaged() const override;
    Written setValues(const QString& section, const Values& values) override;

private:
    QString m_fileName;
    QStringList m_systemFiles;
};
