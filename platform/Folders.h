#pragma once

#include <QString>

class Folders
{
public:
    virtual ~Folders() = default;
    // The user's documents folder, or an empty text when there is none.
    virtual QString documentsFolder() const = 0;
    // The folder that holds the executable, without a trailing separator unless it is the root.
    virtual QString programDirectory() const = 0;
    // Where the program keeps its own data (the children's score files, the journal); it may
    // not exist yet.
    virtual QString dataFolder() const = 0;
};

class SystemFolders final : public Folders
{
public:
    QString documentsFolder() const override;
    QString programDirectory() const override;
    QString dataFolder() const override;
};
