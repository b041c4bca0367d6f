// The printed list: its pages drawn into images and printed to PDF, then
// read back with pdftotext.
#include "shell/print/listprinting.h"

#include <QApplication>
#include <QFile>
#include <QFontInfo>
#include <QHeaderView>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

QIcon SolidIcon(const QColor &color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return QIcon(pixmap);
}

// A list like the gallery's: file, size, comment, thumbnail, options.
std::unique_ptr<QStandardItemModel> MakeList(
    int rows, const QString &comment = QStringLiteral("Un commentaire"))
{
    auto model = std::make_unique<QStandardItemModel>(rows, 5);
    model->setHorizontalHeaderLabels({"Fichier", "Taille", "Commentaire", "Vignette", "Options"});
    for (int r = 0; r < rows; ++r) {
        model->setItem(
            r, 0, new QStandardItem(QStringLiteral("photo_%1.jpg").arg(r + 1, 3, 10, QChar(u'0'))));
        model->setItem(r, 1, new QStandardItem(QStringLiteral("800x600 120 Ko")));
        model->setItem(r, 2, new QStandardItem(comment));
        model->setItem(r, 3, new QStandardItem(QStringLiteral("mini_photo.jpg")));
        model->setItem(r, 4, new QStandardItem(QStringLiteral("Aucune")));
    }
    return model;
}

ListPrintSource SourceFor(const QAbstractItemModel &model)
{
    ListPrintSource source;
    source.model = &model;
    source.columns = {{0, 100}, {1, 100}, {2, 200}, {3, 100}, {4, 150}};
    source.screenFont = QFont(QStringLiteral("Liberation Sans"));
    source.screenFont.setPixelSize(12);
    source.pageTitle = QStringLiteral("Mes photos");
    source.documentTitle = QStringLiteral("Vacances.glr");
    return source;
}

QPrinter &A4Pdf(QPrinter &printer)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setResolution(600);
    return printer;
}

// pdftotext's text of `pdf`, one form feed after each page.
QString PdfText(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

class ListPrintToPdf : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            << "pdftotext is missing: run scripts/install-deps.sh (poppler-utils)";
        ASSERT_TRUE(m_dir.isValid());
    }
    QString Path(const char *name) const { return m_dir.filePath(QString::fromUtf8(name)); }
    QTemporaryDir m_dir;
};

} // namespace

TEST(ListPrintLayout, printsInArialAndTimesOrTheirMetricTwins)
{
    const auto model = MakeList(3);
    QPrinter printer;
    const ListPrintLayout layout(SourceFor(*model), A4Pdf(printer));
    const QStringList sans = {"Arial", "Liberation Sans"};
    const QStringList serif = {"Times New Roman", "Liberation Serif"};
    EXPECT_TRUE(sans.contains(QFontInfo(layout.titleFont()).family()))
        << QFontInfo(layout.titleFont()).family().toStdString();
    EXPECT_TRUE(sans.contains(QFontInfo(layout.footerFont()).family()));
    EXPECT_TRUE(sans.contains(QFontInfo(layout.columnHeaderFont()).family()));
    EXPECT_TRUE(serif.contains(QFontInfo(layout.bodyFont()).family()))
        << QFontInfo(layout.bodyFont()).family().toStdString();
    // 10 points at 600 dpi.
    EXPECT_EQ(layout.bodyFont().pixelSize(), 83);
    EXPECT_EQ(layout.titleFont().weight(), QFont::Bold);
    EXPECT_EQ(layout.bodyFont().weight(), QFont::Normal);
}

TEST(ListPrintLayout, printsTheIconsOfColumnsTwoToFourOnly)
{
    auto model = MakeList(1);
    model->item(0, 0)->setIcon(SolidIcon(Qt::blue));
    model->item(0, 1)->setIcon(SolidIcon(Qt::blue));
    model->item(0, 2)->setIcon(SolidIcon(Qt::red));
    QImage page(1240, 1754, QImage::Format_RGB32); // A4 at 150 dpi
    page.setDotsPerMeterX(5906);
    page.setDotsPerMeterY(5906);
    page.fill(Qt::white);
    const ListPrintLayout layout(SourceFor(*model), page);
    QPainter painter(&page);
    layout.PaintPage(painter, 1);
    painter.end();
    int red = 0, blue = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QRgb c = page.pixel(x, y);
            red += c == qRgb(255, 0, 0);
            blue += c == qRgb(0, 0, 255);
        }
    }
    const int side = int(layout.bodyLineHeight() * 0.95);
    EXPECT_GE(red, (side - 2) * (side - 2));
    EXPECT_EQ(blue, 0);
}

TEST(ListPrintLayout, takesTheViewsVisibleColumnsInScreenOrder)
{
    const auto model = MakeList(2);
    QTreeView view;
    view.setModel(model.get());
    view.header()->resizeSection(2, 240);
    view.header()->moveSection(2, 0);
    view.header()->hideSection(4);
    const ListPrintSource source
        = ListPrintSource::FromView(view, QStringLiteral("Titre"), QStringLiteral("Doc"));
    QList<int> order;
    for (const auto &column : source.columns)
        order << column.logicalIndex;
    EXPECT_EQ(order, (QList<int> {2, 0, 1, 3}));
    EXPECT_EQ(source.columns.front().width, 240);
    EXPECT_EQ(source.model, model.get());
}

TEST_F(ListPrintToPdf, hundredRowsGiveEveryNameTitlesAndPageNumbers)
{
    const auto model = MakeList(100);
    const QString pdf = Path("liste.pdf");
    ASSERT_TRUE(PrintListToPdf(SourceFor(*model), pdf));
    QPrinter printer;
    const int pages = ListPrintLayout(SourceFor(*model), A4Pdf(printer)).pageCount();
    ASSERT_GT(pages, 1);

    const QString text = PdfText(pdf);
    EXPECT_EQ(text.count(u'\f'), pages);
    EXPECT_TRUE(text.contains(QStringLiteral("Page 1 sur %1").arg(pages)));
    EXPECT_TRUE(text.contains(QStringLiteral("Page %1 sur %1").arg(pages)));
    EXPECT_EQ(text.count(QStringLiteral("Mes photos")), pages);
    EXPECT_EQ(text.count(QStringLiteral("Vacances.glr")), pages);
    EXPECT_EQ(text.count(QStringLiteral("Vorlex Gallorim v3")), pages);
    EXPECT_EQ(text.count(QStringLiteral("Commentaire")), pages);
    for (int r = 1; r <= 100; ++r) {
        const QString name = QStringLiteral("photo_%1.jpg").arg(r, 3, 10, QChar(u'0'));
        EXPECT_EQ(text.count(name), 1) << name.toStdString();
    }
}

TEST_F(ListPrintToPdf, rowsExactlyFillingAPageMakeOnePage)
{
    QPrinter printer;
    const int perPage = ListPrintLayout(SourceFor(*MakeList(1)), A4Pdf(printer)).rowsPerPage();
    const auto model = MakeList(perPage);
    const QString pdf = Path("pleine.pdf");
    ASSERT_TRUE(PrintListToPdf(SourceFor(*model), pdf));
    const QString text = PdfText(pdf);
    EXPECT_EQ(text.count(u'\f'), 1);
    EXPECT_TRUE(text.contains(QStringLiteral("Page 1 sur 1")));
    EXPECT_TRUE(text.contains(QStringLiteral("photo_%1.jpg").arg(perPage, 3, 10, QChar(u'0'))));

    const auto more = MakeList(perPage + 1);
    ASSERT_TRUE(PrintListToPdf(SourceFor(*more), pdf));
    EXPECT_TRUE(PdfText(pdf).contains(QStringLiteral("Page 2 sur 2")));
}

TEST_F(ListPrintToPdf, aLongCommentIsCutWithAnEllipsis)
{
    const QString comment = QStringLiteral("Début ") + QStringLiteral("très long commentaire ").repeated(40)
        + QStringLiteral("FINDUCOMMENTAIRE");
    const auto model = MakeList(1, comment);
    const QString pdf = Path("long.pdf");
    ASSERT_TRUE(PrintListToPdf(SourceFor(*model), pdf));
    const QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(QStringLiteral("Début très long")));
    EXPECT_TRUE(text.contains(QChar(0x2026)));
    EXPECT_FALSE(text.contains(QStringLiteral("FINDUCOMMENTAIRE")));
    // The next column still starts where it should.
    EXPECT_TRUE(text.contains(QStringLiteral("mini_photo.jpg")));
}

TEST_F(ListPrintToPdf, refusesAnEmptyListAndAnUnwritableFile)
{
    const auto empty = MakeList(0);
    EXPECT_FALSE(PrintListToPdf(SourceFor(*empty), Path("vide.pdf")));
    EXPECT_FALSE(QFile::exists(Path("vide.pdf")));
    const auto model = MakeList(3);
    EXPECT_FALSE(PrintListToPdf(SourceFor(*model), Path("absent/dossier/liste.pdf")));
}

TEST_F(ListPrintToPdf, printDialogPrintsTheChosenPagesToTheFile)
{
    const auto model = MakeList(250);
    QPrinter printer;
    A4Pdf(printer).setOutputFileName(Path("dialogue.pdf"));
    bool dialogSeen = false;
    // Accept the dialog once it shows, asking for pages 2 to 3.
    QTimer accept;
    QObject::connect(&accept, &QTimer::timeout, [&] {
        if (auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget())) {
            dialogSeen = true;
            dialog->printer()->setPrintRange(QPrinter::PageRange);
            dialog->printer()->setFromTo(2, 3);
            dialog->done(QDialog::Accepted);
        }
    });
    accept.start(50);
    EXPECT_TRUE(PrintList(SourceFor(*model), printer, nullptr));
    EXPECT_TRUE(dialogSeen);
    const QString text = PdfText(Path("dialogue.pdf"));
    EXPECT_EQ(text.count(u'\f'), 2);
    EXPECT_TRUE(text.contains(QStringLiteral("Page 2 sur")));
    EXPECT_FALSE(text.contains(QStringLiteral("Page 1 sur")));
    EXPECT_FALSE(text.contains(QStringLiteral("Page 4 sur")));
}
