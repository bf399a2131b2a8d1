#include "platform/Folders.h"

#include <QCoreApplication>
#include <QStandardPaths>

QString SystemFolders::documentsFolder() const
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString SystemFolders::programDirectory() const
{
    return QCoreApplication::applicationDirPath();
}
