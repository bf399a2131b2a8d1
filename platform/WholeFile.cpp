#include "platform/WholeFile.h"

#include <QSaveFile>

bool writeWhole(QSaveFile& file, const QByteArray& bytes)
{
    // Unbuffered, so that a short write (disk full) shows in write()'s count: commit() alone
    // takes a failed flush for success and would put a cut file in place of the old one.
    return !file.fileName().isEmpty() && file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
        && file.write(bytes) == bytes.size() && file.commit();
}
