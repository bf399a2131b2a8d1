// What the progress module exports to the program; built into the module alone.
#include "app/ProgressModule.h"
#include "app/ProgressScreen.h"
#include "platform/QtPrinter.h"

#include <type_traits>

extern "C" Q_DECL_EXPORT QWidget* tambolino_open_progress_view(JournalDatabase* journal,
    const QString& child, Platform& platform, const ProgressModule::Practise& practise)
{
    return ProgressScreen::open(journal, child, platform, practise);
}

extern "C" Q_DECL_EXPORT bool tambolino_print(
    const QString& documentName, const Printer::Paint& paint)
{
    return QtPrinter().print(documentName, paint);
}

static_assert(std::is_same_v<decltype(tambolino_open_progress_view), ProgressModule::OpenView>);
static_assert(std::is_same_v<decltype(tambolino_print), ProgressModule::Print>);
