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

    // "0,4": errors per task, or "–" without tasks.
    static QString errorsPerTask(qint32 errors, qint32 tasks);
    // How the errors per task went from the first half of the period to the second.
    static QString trend(const JournalTotals& totals);
};
