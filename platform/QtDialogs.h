#pragma once

#include "platform/Dialogs.h"

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

class QtBrowser final : public Browser
{
public:
    bool open(const QUrl& url) override;
};
