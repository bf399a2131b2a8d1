#include "platform/QtPrinter.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>

bool QtPrinter::print(const QString& documentName, const Paint& paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentName);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("Drucken"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    paint(printer);
    return printer.printerState() != QPrinter::Error && printer.printerState() != QPrinter::Aborted;
}
