#include "core/Help.h"

#include "core/ProgramState.h"
#include "platform/Dialogs.h"
#include "platform/Folders.h"
#include "platform/Platform.h"

#include <QUrl>

namespace {
void reportFailure(MessageBox& messages)
{
    messages.show(
        QStringLiteral("Beim Aufruf des Internet Explorers ist leider ein Fehler aufgetreten. "
                       "Bitte öffnen Sie die Webseite auf die Ihnen gewohnte Weise."),
        QStringLiteral("Fehlermeldung"), MessageBox::Buttons::Ok);
}

// The browser may fail after it has started: the message comes whenever the failure does.
void openOrReport(Platform& platform, const QUrl& url)
{
    if (!url.isValid()) {
        reportFailure(platform.messages);
        return;
    }
    platform.browser.open(url, [&messages = platform.messages](bool opened) {
        if (!opened)
            reportFailure(messages);
    });
}
} // namespace

QString vendorAddress()
{
    return QStringLiteral("https://www.tambolino.example/");
}

QString vendorCaption()
{
    return QStringLiteral("www.tambolino.example");
}

QString helpPagePath(const QString& programDirectory, const QString& page)
{
    QString path = programDirectory;
    if (!path.endsWith(QLatin1Char('/')) && !path.endsWith(QLatin1Char('\\')))
        path += QLatin1Char('/');
    return path + QStringLiteral("Hilfe/") + page;
}

void openHelpPage(Platform& platform, const QString& page)
{
    openOrReport(
        platform, QUrl::fromLocalFile(helpPagePath(platform.folders.programDirectory(), page)));
}

void openWebPage(ProgramState& state, Platform& platform)
{
    openOrReport(platform, QUrl(state.strSeite));
}

void openVendorPage(ProgramState& state, Platform& platform)
{
    state.strSeite = vendorAddress();
    openWebPage(state, platform);
}
