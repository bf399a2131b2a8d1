#include "core/Children.h"

#include "platform/Folders.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>

namespace {
const QString Suffix = QStringLiteral(".tbo");
// Refused by Windows file systems and network shares, or by Linux itself.
const QString ForbiddenCharacters = QStringLiteral("/\\:*?\"<>|");
} // namespace

Children::Children(const Folders& folders)
    : m_folders(folders)
{ }

QString Children::folder() const
{
    return m_folders.dataFolder() + QStringLiteral("/Kinder");
}

QStringList Children::names() const
{
    const QFileInfoList files = QDir(folder()).entryInfoList(
        { u'*' + Suffix }, QDir::Files | QDir::Readable, QDir::NoSort);
    QStringList names;
    for (const QFileInfo& file : files)
        names.append(displayName(file.fileName()));
    QCollator german(QLocale(QLocale::German, QLocale::Germany));
    german.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(), german);
    return names;
}

QString Children::scoreFile(const QString& name) const
{
    return folder() + u'/' + name + Suffix;
}

QString Children::nameProblem(const QString& name) const
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("Bitte geben Sie einen Namen ein.");
    if (trimmed.toUcs4().size() > MaxNameLength)
        return QStringLiteral("Der Name darf höchstens %1 Zeichen lang sein.").arg(MaxNameLength);
    for (const QChar c : trimmed) {
        if (ForbiddenCharacters.contains(c))
            return QStringLiteral("Der Name darf keines dieser Zeichen enthalten: / \\ : * ? \" "
                                  "< > |");
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            return QStringLiteral("Der Name darf keine Steuerzeichen enthalten.");
    }
    if (trimmed.startsWith(u'.'))
        return QStringLiteral("Der Name darf nicht mit einem Punkt beginnen.");
    // "ohne Namen" stands for the sessions without a score file in the journal.
    const QStringList taken = names() << Children::journalName({});
    const auto same = [&trimmed](const QString& other) {
        return other.compare(trimmed, Qt::CaseInsensitive) == 0;
    };
    if (std::any_of(taken.cbegin(), taken.cend(), same))
        return QStringLiteral("Den Namen „%1“ gibt es schon.").arg(trimmed);
    return {};
}

QString Children::displayName(const QString& scoreFile)
{
    const QString name = QFileInfo(scoreFile).fileName();
    return name.endsWith(Suffix, Qt::CaseInsensitive) ? name.chopped(Suffix.size()) : name;
}

QString Children::journalName(const QString& scoreFile)
{
    const QString name = displayName(scoreFile);
    return name.isEmpty() ? QStringLiteral("ohne Namen") : name;
}
