#pragma once

#include <QLibrary>

// A shared library of the program's own, beside its executable, loaded at the first function
// asked of it and not unloaded while the program runs: what it made may outlive this object.
class ProgramModule
{
public:
    ProgramModule(const QString& programDirectory, const QString& fileName);

    // The function of this name, or nullptr when the module or the function is missing.
    QFunctionPointer resolve(const char* name);
    QString errorString() const { return m_library.errorString(); }

private:
    QLibrary m_library;
};
