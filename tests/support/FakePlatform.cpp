#include "support/FakePlatform.h"

#include <QTime>
#include <utility>

QString FakeClock::longTimeText() const
{
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(seconds * 1000) % 86400000)
        .toString(QStringLiteral("HH:mm:ss"));
}

double FakeRandom::next()
{
    if (queued.empty())
        return fallback;
    const double value = queued.front();
    queued.pop_front();
    return value;
}

QString MemorySettings::value(const QString& section, const QString& key) const
{
    return values.value(section + QLatin1Char('/') + key);
}

SettingsStore::Written MemorySettings::setValues(const QString& section, const Values& written)
{
    Written result { true, {} };
    if (std::exchange(damaged, false)) {
        values.clear();
        result.setAside = QStringLiteral("Tambolino.conf.beschaedigt");
    }
    for (const auto& [key, value] : written)
        values.insert(section + QLatin1Char('/') + key, value);
    return result;
}

MessageBox::Answer ScriptedMessageBox::show(
    const QString& text, const QString& title, Buttons buttons, Icon icon)
{
    shown.append({ text, title, buttons, icon });
    if (answers.empty())
        return fallback;
    const Answer answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<QString> ScriptedFileDialog::take()
{
    if (results.empty())
        return std::nullopt;
    auto result = results.front();
    results.pop_front();
    return result;
}

std::optional<QString> ScriptedFileDialog::openFile(const Request& request)
{
    opened.append(request);
    return take();
}

std::optional<QString> ScriptedFileDialog::saveFile(const Request& request)
{
    saved.append(request);
    return take();
}

void RecordingBrowser::open(const QUrl& url, Done done)
{
    urls.append(url);
    done(!fail);
}
