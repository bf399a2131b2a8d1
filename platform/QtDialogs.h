#pragma once

#include "platform/Dialogs.h"

#include <QObject>

// The widget-based adapters; they parent their dialogs to the active window.
class QtMessageBox final : public MessageBox
{
public:
    Answer show(const QString& text, const QString& title, Buttons buttons, Icon icon) override;
};

class QtFileDialog final : public FileDialog
{
public:
    std::optional<QString> openFile(const Request& request) override;
    std::optional<QString> saveFile(const Request& request) override;
};

class QtTextInput final : public TextInput
{
public:
    std::optional<QString> askText(
        const QString& text, const QString& title, const QString& preset) override;
};

// xdg-open, run beside the window; its exit status tells whether a browser took the address.
class QtBrowser final : public QObject, public Browser
{
public:
    QtBrowser() = default;
    // Launchers still running are ended without a report.
    ~QtBrowser() override;
    void open(const QUrl& url, Done done) override;
};
