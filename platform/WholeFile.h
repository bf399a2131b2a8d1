#pragma once

#include <QByteArray>

class QSaveFile;

// Writes `bytes` through a save file not yet opened and puts it in place of the old file only
// when every byte reached the disk.
bool writeWhole(QSaveFile& file, const QByteArray& bytes);
