#include "platform/SettingsStore.h"

#include "platform/SetAside.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringDecoder>
#include <QStringList>

namespace {
// A real store has a few hundred bytes.
constexpr qint64 MaxStoreBytes = 64 * 1024;

// QSettings drops the lines of an INI file it cannot parse and writes back only what it
// understood, and its status does not tell this reliably. So the file is checked first: UTF-8
// without a byte-order mark, every line blank, a "; comment", a "[section]" or "key=value".
bool parsable(const QByteArray& bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF") || bytes.contains('\0'))
        return false;
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (utf8.hasError())
        return false;
    for (QStringView line : QStringView(text).tokenize(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[') ? !line.endsWith(u']') : !line.contains(u'='))
            return false;
    }
    return true;
}

bool readable(const QString& fileName)
{
    QFile file(fileName);
    if (!file.exists())
        return true;
    return QFileInfo(fileName).isFile() && file.open(QIODevice::ReadOnly)
        && parsable(file.read(MaxStoreBytes + 1)) && file.size() <= MaxStoreBytes;
}

} // namespace

QtSettingsStore::QtSettingsStore()
    : m_fileName(QSettings(QSettings::NativeFormat, QSettings::UserScope,
        QStringLiteral("Tambolino"), QStringLiteral("Tambolino"))
                     .fileName())
{ }

QtSettingsStore::QtSettingsStore(const QString& fileName)
    : m_fileName(fileName)
{ }

QString QtSettingsStore::value(const QString& section, const QString& key) const
{
    const QVariant value
        = QSettings(m_fileName, QSettings::IniFormat).value(section + QLatin1Char('/') + key);
    // An unquoted comma makes QSettings read a list; the text is what was written.
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

SettingsStore::Written QtSettingsStore::setValues(const QString& section, const Values& values)
{
    Written written;
    if (!readable(m_fileName)) {
        written.setAside = setAside(m_fileName);
        if (written.setAside.isEmpty())
            return written;
    }
    QSettings settings(m_fileName, QSettings::IniFormat);
    settings.beginGroup(section);
    for (const auto& [key, value] : values)
        settings.setValue(key, value);
    settings.endGroup();
    // One write of the whole file through a temporary file and a rename. A format error here
    // is one that QSettings met reading the file, which was checked above.
    settings.sync();
    written.ok = settings.status() != QSettings::AccessError;
    return written;
}
