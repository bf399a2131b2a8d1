#pragma once

#include <QString>
#include <functional>
#include <optional>

class QPagedPaintDevice;
class QUrl;

class MessageBox
{
public:
    enum class Buttons
    {
        Ok,
        YesNo, // Yes is the default button
        YesNoDefaultNo,
    };
    enum class Icon
    {
        None,
        Information,
        Warning
    };
    enum class Answer
    {
        Ok,
        Yes,
        No
    };

    virtual ~MessageBox() = default;
    // Modal; returns the button pressed (No when a Yes/No box is closed otherwise). Enter presses
    // the default button.
    virtual Answer show(const QString& text, const QString& title, Buttons buttons = Buttons::Ok,
        Icon icon = Icon::None)
        = 0;
};

class FileDialog
{
public:
    struct Request
    {
        QString title;
        QString folder; // empty: the dialog's default
        QString fileName; // preselected name, may be empty
        QString filter; // e.g. "*.tbo"
    };

    virtual ~FileDialog() = default;
    // The chosen path, or nothing when the user cancelled.
    virtual std::optional<QString> openFile(const Request& request) = 0;
    // Asks before an existing file is overwritten; no extension is appended.
    virtual std::optional<QString> saveFile(const Request& request) = 0;
};

class Browser
{
public:
    // Whether the browser was started on the address.
    using Done = std::function<void(bool opened)>;

    virtual ~Browser() = default;
    // Starts the user's web browser on the address and returns without waiting for it. `done`
    // runs at most once, at once or later from the event loop: false when the browser could
    // not be started or reported an error.
    virtual void open(const QUrl& url, Done done) = 0;
};

class TextInput
{
public:
    virtual ~TextInput() = default;
    // Modal: one line of text, `preset` filled in. Nothing when the user cancelled.
    virtual std::optional<QString> askText(
        const QString& text, const QString& title, const QString& preset = {})
        = 0;
};

class Printer
{
public:
    // Draws the document; its pages are the device's.
    using Paint = std::function<void(QPagedPaintDevice& device)>;

    virtual ~Printer() = default;
    // The print dialog asks for a printer or a PDF file; then `paint` draws the document there.
    // False when the user cancelled or the printing failed.
    virtual bool print(const QString& documentName, const Paint& paint) = 0;
};
