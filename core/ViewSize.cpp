#include "core/ViewSize.h"

#include "platform/SettingsStore.h"

#include <QString>
#include <algorithm>

namespace {
const QString Section = QStringLiteral("Ansicht");
const QString Key = QStringLiteral("Groesse");
} // namespace

namespace ViewSize {

int load(const SettingsStore& settings)
{
    bool number = false;
    const int stored = settings.value(Section, Key).toInt(&number);
    return number && std::ranges::find(Steps, stored) != Steps.end() ? stored : Steps.front();
}

bool save(SettingsStore& settings, int percent)
{
    return settings.setValues(Section, { { Key, QString::number(percent) } }).ok;
}

int larger(int percent)
{
    const auto next = std::ranges::upper_bound(Steps, percent);
    return next == Steps.end() ? Steps.back() : *next;
}

int smaller(int percent)
{
    const auto next = std::ranges::lower_bound(Steps, percent);
    return next == Steps.begin() ? Steps.front() : *(next - 1);
}

} // namespace ViewSize
