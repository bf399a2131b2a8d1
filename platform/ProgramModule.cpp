#include "platform/ProgramModule.h"

ProgramModule::ProgramModule(const QString& programDirectory, const QString& fileName)
    // A full path: a module of that name elsewhere on the library path is not ours.
    : m_library(programDirectory + u'/' + fileName)
{ }

QFunctionPointer ProgramModule::resolve(const char* name)
{
    if (!m_library.isLoaded() && !m_library.load())
        return nullptr;
    return m_library.resolve(name);
}
