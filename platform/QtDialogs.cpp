#include "platform/QtDialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

MessageBox::Answer QtMessageBox::show(
    const QString& text, const QString& title, Buttons buttons, Icon icon)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(title);
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

bool QtBrowser::open(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}
