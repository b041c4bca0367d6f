#include "shell/print/listprinting.h"

#include "shell/print/printpreviewwindow.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

namespace {

int RowsOf(const ListPrintSource &source)
{
    return source.model ? source.model->rowCount() : 0;
}

// A PDF name when the dialog printed to a file without naming it.
bool AskPdfFile(QPrinter &printer, const ListPrintSource &source, QWidget *parent)
{
    const QString base = source.documentTitle.isEmpty() ? QStringLiteral("galerie") : source.documentTitle;
    const QString proposed
        = QDir::home().filePath(QFileInfo(base).completeBaseName() + QStringLiteral(".pdf"));
    QString path = QFileDialog::getSaveFileName(
        parent, QStringLiteral("Imprimer dans un fichier"), proposed, QStringLiteral("Fichiers PDF (*.pdf)"));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    printer.setOutputFileName(path);
    return true;
}

} // namespace

void EnsurePrintResolution(QPrinter &printer)
{
    if (printer.resolution() < 300)
        printer.setResolution(600);
}

void ShowPrintFailure(QWidget *parent)
{
    QMessageBox::warning(parent, QStringLiteral("Gallorim"), QStringLiteral("La commande a échoué."));
}

bool PrintListPages(const ListPrintSource &source, QPrinter &printer, int fromPage, int toPage)
{
    EnsurePrintResolution(printer);
    const ListPrintLayout layout(source, printer);
    if (layout.pageCount() == 0 || layout.pageSize().isEmpty())
        return false;
    const int first = fromPage > 0 ? fromPage : 1;
    const int last = toPage > 0 ? std::min(toPage, layout.pageCount()) : layout.pageCount();
    if (first > last)
        return false;
    if (printer.docName().isEmpty())
        printer.setDocName(source.documentTitle);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int page = first; page <= last; ++page) {
        if (page > first && !printer.newPage()) {
            painter.end();
            return false;
        }
        layout.PaintPage(painter, page);
    }
    return painter.end();
}

bool PrintList(const ListPrintSource &source, QPrinter &printer, QWidget *parent)
{
    EnsurePrintResolution(printer);
    const int pages = ListPrintLayout(source, printer).pageCount();
    if (pages == 0) {
        ShowPrintFailure(parent);
        return false;
    }
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(QStringLiteral("Imprimer"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange
        | QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(1, pages);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty()
        && !AskPdfFile(printer, source, parent))
        return false;
    const bool range = printer.printRange() == QPrinter::PageRange;
    // The dialog may have changed the paper: the pages are laid out again.
    if (!PrintListPages(source, printer, range ? printer.fromPage() : 0, range ? printer.toPage() : 0)) {
        ShowPrintFailure(parent);
        return false;
    }
    return true;
}

bool PrintListToPdf(const ListPrintSource &source, const QString &pdfPath, const QPrinter *pageSetup)
{
    if (RowsOf(source) == 0 || pdfPath.isEmpty())
        return false;
    QPrinter printer(QPrinter::HighResolution);
    if (pageSetup)
        printer.setPageLayout(pageSetup->pageLayout());
    else
        printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    printer.setResolution(600);
    printer.setCreator(QStringLiteral("Vorlex Gallorim v3"));
    return PrintListPages(source, printer);
}

PrintPreviewWindow *ShowListPreview(const ListPrintSource &source, QPrinter &printer, QWidget *parent)
{
    auto *window = new PrintPreviewWindow(source, printer, parent);
    if (!window->isReady()) {
        delete window;
        ShowPrintFailure(parent);
        return nullptr;
    }
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    return window;
}
