#pragma once

#include "platform/Dialogs.h"

// Qt Print Support's dialog, in the language of the installed translation. The program reaches
// it through the progress module only: Qt Print Support is not loaded at the start.
class QtPrinter final : public Printer
{
public:
    bool print(const QString& documentName, const Paint& paint) override;
};
