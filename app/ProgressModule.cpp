#include "app/ProgressModule.h"

ProgressModule::ProgressModule(const QString& programDirectory)
    : m_module(programDirectory, QLatin1StringView(FileName))
{ }

template<typename Function> Function* ProgressModule::resolve(const char* name)
{
    auto* function = reinterpret_cast<Function*>(m_module.resolve(name));
    if (!function)
        qWarning("%s", qUtf8Printable(m_module.errorString()));
    return function;
}

QWidget* ProgressModule::openView(
    JournalDatabase* journal, const QString& child, Platform& platform, const Practise& practise)
{
    OpenView* open = resolve<OpenView>(OpenViewName);
    return open ? open(journal, child, platform, practise) : nullptr;
}

bool ProgressModule::print(const QString& documentName, const Paint& paint)
{
    Print* print = resolve<Print>(PrintName);
    return print && print(documentName, paint);
}
