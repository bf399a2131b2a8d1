#include "platform/Folders.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

QString SystemFolders::documentsFolder() const
{
    // The location is named even where the folder was never made; then there is none.
    const QString path = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(path).isDir() ? path : QString();
}

QString SystemFolders::programDirectory() const
{
    return QCoreApplication::applicationDirPath();
}

QString SystemFolders::dataFolder() const
{
    // Not AppDataLocation: with organisation and application both "Tambolino" that would be
    // ~/.local/share/Tambolino/Tambolino.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u'/'
        + QCoreApplication::applicationName();
}
