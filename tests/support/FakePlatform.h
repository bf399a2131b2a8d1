#pragma once

#include "platform/Clock.h"
#include "platform/Dialogs.h"
#include "platform/Folders.h"
#include "platform/Platform.h"
#include "platform/RandomSource.h"
#include "platform/SettingsStore.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QStringList>
#include <QUrl>
#include <deque>

// Stand-ins for every platform adapter. None of them blocks, waits or touches the user's files.

// The queued values in turn, then `fallback` forever.
template<class T> T takeNext(std::deque<T>& queued, const T& fallback)
{
    if (queued.empty())
        return fallback;
    T value = queued.front();
    queued.pop_front();
    return value;
}

class FakeClock final : public Clock
{
public:
    double seconds = 10 * 3600.0;
    // The day `seconds` count from, and the local offset from UTC.
    QDate date { 2026, 11, 2 };
    int utcOffset = 3600;
    double secondsSinceMidnight() const override { return seconds; }
    QString longTimeText() const override;
    QDateTime now() const override;
    void advance(double s) { seconds += s; }
};

class FakeRandom final : public RandomSource
{
public:
    std::deque<double> queued;
    double fallback = 0.0;
    double next() override { return takeNext(queued, fallback); }
};

class MemorySettings final : public SettingsStore
{
public:
    QMap<QString, QString> stored; // "section/key" -> value
    // The store cannot be read whole: the next write starts it afresh.
    bool isDamaged = false;
    QHash<QString, QString> values(const QString& section) const override
    {
        QHash<QString, QString> found;
        for (auto it = stored.cbegin(); it != stored.cend(); ++it) {
            if (it.key().startsWith(section + u'/'))
                found.insert(it.key().sliced(section.size() + 1), it.value());
        }
        return found;
    }
    bool damaged() const override { return isDamaged; }
    Written setValues(const QString& section, const Values& values) override;
};

class FakeFolders final : public Folders
{
public:
    QString documents;
    QString program;
    QString data;
    QString documentsFolder() const override { return documents; }
    QString programDirectory() const override { return program; }
    QString dataFolder() const override { return data; }
};

// Records every box shown.
class ScriptedMessageBox final : public MessageBox
{
public:
    struct Shown
    {
        QString text;
        QString title;
        Buttons buttons;
    };
    QList<Shown> shown;
    std::deque<Answer> answers;
    Answer fallback = Answer::Ok;
    Answer show(const QString& text, const QString& title, Buttons buttons, Icon) override
    {
        shown.append({ text, title, buttons });
        return takeNext(answers, fallback);
    }
};

// Results nullopt: cancelled. Records every request.
class ScriptedFileDialog final : public FileDialog
{
public:
    std::deque<std::optional<QString>> results;
    QList<Request> opened;
    QList<Request> saved;
    std::optional<QString> openFile(const Request& request) override
    {
        opened.append(request);
        return takeNext(results, {});
    }
    std::optional<QString> saveFile(const Request& request) override
    {
        saved.append(request);
        return takeNext(results, {});
    }
};

// Reports at once that the browser opened, or failed when `fail`.
class RecordingBrowser final : public Browser
{
public:
    QList<QUrl> urls;
    bool fail = false;
    void open(const QUrl& url, Done done) override
    {
        urls.append(url);
        done(!fail);
    }
};

// Answers nullopt: cancelled. Records every question.
class ScriptedTextInput final : public TextInput
{
public:
    std::deque<std::optional<QString>> answers;
    QStringList asked;
    std::optional<QString> askText(const QString& text, const QString&, const QString&) override
    {
        asked.append(text);
        return takeNext(answers, {});
    }
};

// Prints into the PDF file `pdf`, as the print dialog's "Print to File" does; cancelled while
// `pdf` is empty. Records the documents' names.
class PdfPrinter final : public Printer
{
public:
    QString pdf;
    QStringList printed;
    bool print(const QString& documentName, const Paint& paint) override;
};

class FakePlatform
{
public:
    FakeClock clock;
    FakeRandom random;
    MemorySettings settings;
    FakeFolders folders;
    ScriptedMessageBox messages;
    ScriptedFileDialog files;
    RecordingBrowser browser;
    ScriptedTextInput input;
    PdfPrinter printer;
    Platform platform { clock, random, settings, folders, messages, files, browser, input,
        printer };
};
