#include "platform/SetAside.h"

#include <QDir>
#include <QFileInfo>

QString setAside(const QString& fileName)
{
    for (int i = 1; i <= 100; ++i) {
        QString target = fileName + QStringLiteral(".beschaedigt");
        if (i > 1)
            target += QStringLiteral("-%1").arg(i);
        if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
            continue;
        return QDir().rename(fileName, target) ? target : QString();
    }
    return {};
}
