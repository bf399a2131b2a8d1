#include "app/ProgressReport.h"

#include "core/ExerciseCatalogue.h"
#include "ui/Theme.h"

#include <QFontMetrics>
#include <QGraphicsView>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>

namespace {
// The page is laid out in units of a thousandth of its width.
constexpr int PageWidth = 1000;
constexpr int Body = 20;
// A change of less than this many errors per task is no trend.
constexpr double Steady = 0.05;

QString date(const QDate& day)
{
    return day.toString(QStringLiteral("dd.MM.yyyy"));
}

// "0,4": errors per task, or "–" without tasks.
QString errorsPerTask(qint32 errors, qint32 tasks)
{
    if (tasks <= 0)
        return QStringLiteral("–");
    return QLocale(QLocale::German).toString(double(errors) / tasks, 'f', 1);
}

// How the errors per task went from the first half of the period to the second.
QString trend(const JournalTotals& totals)
{
    const std::optional<double> change = totals.trend();
    if (!change)
        return QStringLiteral("–");
    if (*change <= -Steady)
        return QStringLiteral("weniger Fehler");
    if (*change >= Steady)
        return QStringLiteral("mehr Fehler");
    return QStringLiteral("gleich geblieben");
}
} // namespace

void ProgressReport::paint(QPagedPaintDevice& device, QGraphicsView* chart) const
{
    QPainter painter(&device);
    const int pageHeight = PageWidth * device.height() / std::max(1, device.width());
    painter.setWindow(0, 0, PageWidth, pageHeight);
    painter.setViewport(0, 0, device.width(), device.height());
    const auto font = [](int pixels, bool bold = false) {
        QFont font = Theme::uiFont(10, bold);
        font.setPixelSize(pixels);
        return font;
    };
    int y = 0;
    const auto line = [&painter, &y](const QString& text, int x = 0, int width = PageWidth) {
        const QFontMetrics metrics(painter.font());
        painter.drawText(QRect(x, y, width, metrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
            metrics.elidedText(text, Qt::ElideRight, width));
    };
    const auto advance = [&painter, &y](double lines = 1) {
        y += int(QFontMetrics(painter.font()).height() * lines);
    };

    painter.setFont(font(32, true));
    painter.setPen(Theme::EntryColour);
    line(QStringLiteral("Fortschritt von ") + child);
    advance(1.2);
    painter.setPen(Theme::Black);
    painter.setFont(font(Body));
    line(QStringLiteral("Zeitraum: %1 bis %2").arg(date(period.first), date(period.last)));
    advance(2);

    const auto tableRow = [&line](const QStringList& cells) {
        const int columns[] = { 0, 360, 480, 600, 780, PageWidth + 8 };
        for (int c = 0; c < 5; ++c)
            line(cells.value(c), columns[c], columns[c + 1] - columns[c] - 8);
    };
    painter.setFont(font(Body, true));
    tableRow({ QStringLiteral("Übung"), QStringLiteral("Aufgaben"), QStringLiteral("Minuten"),
        QStringLiteral("Fehler je Aufgabe"), QStringLiteral("Entwicklung") });
    advance(1.3);
    painter.setFont(font(Body));
    if (totals.isEmpty()) {
        line(QStringLiteral("In diesem Zeitraum wurde nicht geübt."));
        advance();
    }
    for (const JournalTotals& row : totals) {
        tableRow({ exerciseName(row.exercise), QString::number(row.tasks),
            QString::number((row.seconds + 30) / 60), errorsPerTask(row.errors, row.tasks),
            trend(row) });
        advance(1.2);
    }
    advance(1);

    const QString name = ::exercise(exercise).menuText;
    painter.setFont(font(26, true));
    line(QStringLiteral("%1: Aufgaben und Fehler je Tag").arg(name));
    advance(1.3);
    if (chart) {
        const QRect target(0, y, PageWidth, PageWidth * 9 / 20);
        chart->render(&painter, target, chart->viewport()->rect(), Qt::KeepAspectRatio);
        y = target.bottom() + 24;
    } else {
        painter.setFont(font(Body));
        line(QStringLiteral("In diesem Zeitraum nicht geübt."));
        advance(2);
    }

    painter.setFont(font(26, true));
    line(QStringLiteral("Schwierige Aufgaben"));
    advance(1.3);
    painter.setFont(font(Body));
    if (difficult.isEmpty()) {
        line(QStringLiteral("Keine: alle Aufgaben gelangen ohne Fehler."));
        advance();
    }
    for (const JournalDifficulty& task : difficult) {
        line(QString(task.prompt).replace(u'\n', u' '), 0, 640);
        line(QStringLiteral("%1 %2, %3 Fehler")
                 .arg(task.tries)
                 .arg(task.tries == 1 ? QStringLiteral("Versuch") : QStringLiteral("Versuche"))
                 .arg(task.errors),
            660, 340);
        advance(1.2);
    }
}
