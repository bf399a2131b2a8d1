#include "support/FakePlatform.h"

#include <QPdfWriter>
#include <QTime>
#include <QTimeZone>
#include <utility>

QString FakeClock::longTimeText() const
{
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(seconds * 1000) % 86400000)
        .toString(QStringLiteral("HH:mm:ss"));
}

QDateTime FakeClock::now() const
{
    return QDateTime(date, QTime(0, 0), QTimeZone(utcOffset))
        .addMSecs(static_cast<qint64>(seconds * 1000));
}

SettingsStore::Written MemorySettings::setValues(const QString& section, const Values& written)
{
    Written result { true, {} };
    if (std::exchange(isDamaged, false)) {
        stored.clear();
        result.setAside = QStringLiteral("Tambolino.conf.beschaedigt");
    }
    for (const auto& [key, value] : written)
        stored.insert(section + u'/' + key, value);
    return result;
}

bool PdfPrinter::print(const QString& documentName, const Paint& paint)
{
    if (pdf.isEmpty())
        return false;
    printed.append(documentName);
    QPdfWriter writer(pdf);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    paint(writer);
    return true;
}
