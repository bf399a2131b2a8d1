#include "platform/QtDialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

MessageBox::Answer QtMessageBox::show(
    const QString& text, const QString& title, Buttons buttons, Icon icon)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
    // Messages name files and quote their lines.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    switch (icon) {
    case Icon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case Icon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case Icon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    }
    if (buttons != Buttons::Ok) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(buttons == Buttons::YesNo ? QMessageBox::Yes : QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return Answer::Ok;
}

namespace {
QString startPath(const FileDialog::Request& request)
{
    // Without a folder the dialog would open in the working directory; the home folder is
    // where a family looks first.
    const QString folder = request.folder.isEmpty() ? QDir::homePath() : request.folder;
    if (request.fileName.isEmpty())
        return folder + QLatin1Char('/');
    if (QDir::isAbsolutePath(request.fileName))
        return request.fileName;
    return QDir(folder).filePath(request.fileName);
}

std::optional<QString> result(const QString& chosen)
{
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}
} // namespace

std::optional<QString> QtFileDialog::openFile(const Request& request)
{
    return result(QFileDialog::getOpenFileName(
        QApplication::activeWindow(), request.title, startPath(request), request.filter));
}

std::optional<QString> QtFileDialog::saveFile(const Request& request)
{
    // QFileDialog asks before overwriting unless DontConfirmOverwrite is given.
    return result(QFileDialog::getSaveFileName(
        QApplication::activeWindow(), request.title, startPath(request), request.filter));
}

QtBrowser::~QtBrowser()
{
    for (QProcess* launcher : findChildren<QProcess*>()) {
        launcher->disconnect(this);
        launcher->kill();
        launcher->waitForFinished(1000);
    }
}

std::optional<QString> QtTextInput::askText(
    const QString& text, const QString& title, const QString& preset)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(
        QApplication::activeWindow(), title, text, QLineEdit::Normal, preset, &ok);
    if (!ok)
        return std::nullopt;
    return answer;
}

void QtBrowser::open(const QUrl& url, Done done)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // QDesktopServices::openUrl() reports success as soon as xdg-open has started, even when
    // it then finds no browser.
    auto* launcher = new QProcess(this);
    launcher->setProgram(QStringLiteral("xdg-open"));
    launcher->setArguments({ url.toString(QUrl::FullyEncoded) });
    launcher->setStandardInputFile(QProcess::nullDevice());
    launcher->setProcessChannelMode(QProcess::ForwardedChannels);
    connect(launcher, &QProcess::finished, this,
        [launcher, done](int exitCode, QProcess::ExitStatus status) {
            launcher->deleteLater();
            done(status == QProcess::NormalExit && exitCode == 0);
        });
    connect(
        launcher, &QProcess::errorOccurred, this, [launcher, done](QProcess::ProcessError error) {
            // Any other error ends in finished().
            if (error != QProcess::FailedToStart)
                return;
            launcher->deleteLater();
            done(false);
        });
    launcher->start();
#else
    done(QDesktopServices::openUrl(url));
#endif
}
