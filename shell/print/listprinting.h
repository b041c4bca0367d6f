#pragma once
// Printing a gallery's list: through Qt's print dialog, straight to a PDF
// file, or in the multipage preview. GUI thread only.
//
// The printer passed in is the program's own (its page set-up is kept for
// the run); a printer below 300 dpi is raised to 600 dpi first, since the
// page margins are counted in printer pixels.

#include "shell/print/listprintlayout.h"

class PrintPreviewWindow;
class QPrinter;
class QWidget;

// Pages `fromPage` to `toPage` (1-based, 0 for all) of `source` on
// `printer`. False when there is nothing to print or the printer cannot start.
bool PrintListPages(const ListPrintSource &source, QPrinter &printer, int fromPage = 0, int toPage = 0);

// Qt's print dialog, then the chosen pages. Without a real printer the
// dialog offers a PDF file; its name is asked for when the dialog left it
// empty. True when pages were printed; false when cancelled or failed (a
// failure also shows "La commande a échoué.").
bool PrintList(const ListPrintSource &source, QPrinter &printer, QWidget *parent);

// Every page into the PDF file `pdfPath`, on the paper and orientation of
// `pageSetup` when given (A4 portrait otherwise). False on an empty list or
// a file that cannot be written.
bool PrintListToPdf(
    const ListPrintSource &source, const QString &pdfPath, const QPrinter *pageSetup = nullptr);

// Opens the preview window (deleted when closed). When it cannot start it
// shows "La commande a échoué." and returns nullptr.
PrintPreviewWindow *ShowListPreview(const ListPrintSource &source, QPrinter &printer, QWidget *parent);

// The print commands' failure message.
void ShowPrintFailure(QWidget *parent);

// Raises a screen-resolution printer to 600 dpi.
void EnsurePrintResolution(QPrinter &printer);
