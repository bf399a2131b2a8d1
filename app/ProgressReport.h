#pragma once

#include "platform/JournalRecords.h"

#include <QList>
#include <QString>

class QGraphicsView;
class QPagedPaintDevice;

// The one-page report for parents and teachers: the child, the period, each exercise practised
// in it, the chart of one exercise and its difficult tasks.
struct ProgressReport
{
    QString child;
    JournalPeriod period;
    QList<JournalTotals> totals;
    int exercise = 0; // the one whose chart and difficult tasks are shown
    QList<JournalDifficulty> difficult;

    // Draws the report on the device's first page; `chart` (may be null) is drawn as it shows.
    void paint(QPagedPaintDevice& device, QGraphicsView* chart) const;
};
