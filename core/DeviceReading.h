#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <optional>

class QIODevice;

// The device's bytes up to its end or up to `limit`, whichever comes first; nothing when a read
// fails on the way, so that a file cut short by a failing disk is never taken for a whole one.
std::optional<QByteArray> readAtMost(QIODevice& device, qint64 limit);
