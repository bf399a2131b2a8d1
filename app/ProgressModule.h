#pragma once

#include "platform/Dialogs.h"
#include "platform/ProgramModule.h"

#include <QStringList>
#include <functional>

class JournalDatabase;
class QWidget;
struct Platform;

// The progress view and its printed report need Qt Charts and Qt Print Support, which would cost
// the start more than all of the program's own work. So they are a module of their own beside
// the executable, loaded when "Fortschritt" first opens. This is the program's side of it; tests
// link the view directly.
class ProgressModule final : public Printer
{
public:
    // In a folder of its own: a shared object right in the program's folder would make the
    // Debian package run ldconfig, which a private library does not need.
    static constexpr char FileName[] = "module/tambolino-progress.so";

    // "Diese Aufgaben üben": exercise k with only these tasks.
    using Practise = std::function<void(int k, const QStringList& prompts)>;
    // The view of `child` over `journal` (may be null), not yet shown.
    using OpenView = QWidget*(JournalDatabase* journal, const QString& child, Platform& platform,
        const Practise& practise);
    using Print = bool(const QString& documentName, const Paint& paint);

    // The names under which the module exports the two.
    static constexpr char OpenViewName[] = "tambolino_open_progress_view";
    static constexpr char PrintName[] = "tambolino_print";

    explicit ProgressModule(const QString& programDirectory);

    // Null when the module is missing or broken; the reason goes to the log.
    QWidget* openView(JournalDatabase* journal, const QString& child, Platform& platform,
        const Practise& practise);
    bool print(const QString& documentName, const Paint& paint) override;

private:
    template<typename Function> Function* resolve(const char* name);

    ProgramModule m_module;
};
