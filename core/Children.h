#pragma once

#include <QString>
#include <QStringList>

class Folders;

// The children who practise on this computer: one score file NAME.tbo each in the folder
// "Kinder" of the program's data folder.
class Children
{
public:
    static constexpr int MaxNameLength = 40;

    explicit Children(const Folders& folders);

    // The children's folder; it may not exist yet.
    QString folder() const;
    // The names of the score files there, in German alphabetical order (Ä with A, case
    // ignored). An absent folder lists nobody.
    QStringList names() const;
    // Where the score file of the child of this name lies.
    QString scoreFile(const QString& name) const;
    // Why `name` (blanks around it trimmed) cannot name a new child, as a German sentence;
    // empty when it can.
    QString nameProblem(const QString& name) const;

    // The child's name as shown for a score file: its file name without ".tbo"; empty when
    // there is no current score file.
    static QString displayName(const QString& scoreFile);
    // The name the journal records a session under: the display name, or "ohne Namen".
    static QString journalName(const QString& scoreFile);

private:
    const Folders& m_folders;
};
