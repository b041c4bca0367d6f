// The multipage preview as the user drives it: buttons, pages menu, zoom
// by click, page scrolling and "Paysage".
#include "shell/print/listprinting.h"
#include "shell/print/printpreviewarea.h"
#include "shell/print/printpreviewwindow.h"

#include <QCheckBox>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardItemModel>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

std::unique_ptr<QStandardItemModel> MakeList(int rows)
{
    auto model = std::make_unique<QStandardItemModel>(rows, 5);
    model->setHorizontalHeaderLabels({"Fichier", "Taille", "Commentaire", "Vignette", "Options"});
    for (int r = 0; r < rows; ++r)
        model->setItem(r, 0, new QStandardItem(QStringLiteral("image%1.jpg").arg(r)));
    return model;
}

class PrintPreview : public ::testing::Test {
protected:
    void Open(int rows)
    {
        m_model = MakeList(rows);
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setPageSize(QPageSize(QPageSize::A4));
        m_printer.setPageOrientation(QPageLayout::Portrait);
        ListPrintSource source;
        source.model = m_model.get();
        source.columns = {{0, 100}, {1, 100}, {2, 200}, {3, 100}, {4, 150}};
        source.pageTitle = QStringLiteral("Mes photos");
        source.documentTitle = QStringLiteral("Test.glr");
        m_window = std::make_unique<PrintPreviewWindow>(source, m_printer);
        m_window->resize(900, 700);
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
        m_area = m_window->pageArea();
    }
    QToolButton *Button(const char *name) const
    {
        for (QToolButton *b : m_window->findChildren<QToolButton *>()) {
            if (b->accessibleName() == QString::fromUtf8(name))
                return b;
        }
        return nullptr;
    }
    void ChoosePages(const char *text)
    {
        for (QAction *a : Button("Pages")->menu()->actions()) {
            if (a->text() == QString::fromUtf8(text))
                a->trigger();
        }
    }
    std::unique_ptr<QStandardItemModel> m_model;
    QPrinter m_printer {QPrinter::HighResolution};
    std::unique_ptr<PrintPreviewWindow> m_window;
    PrintPreviewArea *m_area = nullptr;
};

} // namespace

TEST_F(PrintPreview, everyControlHasAnAccessibleName)
{
    Open(10);
    for (const char *name :
        {"Imprimer...", "Page suivante", "Page précédente", "Zoom avant", "Zoom arrière", "Pages"})
        EXPECT_NE(Button(name), nullptr) << name;
    EXPECT_EQ(m_window->findChild<QPushButton *>()->text(), QStringLiteral("&Fermer"));
    EXPECT_EQ(m_window->findChild<QCheckBox *>()->text(), QStringLiteral("Paysage"));
    const QStringList texts = {"1 Page", "2 pages", "3 Pages", "4 pages", "6 pages", "9 pages"};
    QStringList menu, tips;
    for (QAction *a : Button("Pages")->menu()->actions()) {
        menu << a->text();
        tips << a->toolTip();
    }
    EXPECT_EQ(menu, texts);
    EXPECT_EQ(tips.front(), QStringLiteral("Affiche 1 page"));
    EXPECT_EQ(tips.back(), QStringLiteral("Affiche 9 pages"));
}

TEST_F(PrintPreview, nextAndPreviousStepOnePageWithinTheDocument)
{
    Open(200);
    const int pages = m_area->pageCount();
    ASSERT_GE(pages, 3);
    EXPECT_FALSE(Button("Page précédente")->isEnabled());
    for (int i = 1; i < pages; ++i)
        QTest::mouseClick(Button("Page suivante"), Qt::LeftButton);
    EXPECT_EQ(m_area->firstPage(), pages - 1);
    EXPECT_FALSE(Button("Page suivante")->isEnabled());
    QTest::mouseClick(Button("Page précédente"), Qt::LeftButton);
    EXPECT_EQ(m_area->firstPage(), pages - 2);
}

TEST_F(PrintPreview, nineGridWithFewerPagesLeavesCellsEmptyAndIsRemembered)
{
    Open(100);
    const int pages = m_area->pageCount();
    ASSERT_LT(pages, 9);
    ChoosePages("9 pages");
    const QList<int> visible = m_area->visiblePages();
    ASSERT_EQ(visible.size(), 9);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(visible[i], i < pages ? i : -1) << i;
    EXPECT_TRUE(m_area->pageRect(pages).isEmpty());
    EXPECT_FALSE(Button("Page suivante")->isEnabled());

    ChoosePages("4 pages");
    m_window.reset();
    Open(100);
    EXPECT_EQ(m_area->pagesShown(), 4);
    ChoosePages("1 Page");
    EXPECT_EQ(PrintPreviewWindow::RememberedPagesShown(), 1);
}

TEST_F(PrintPreview, zoomButtonsStopAtTheSixLevels)
{
    Open(10);
    EXPECT_FALSE(Button("Zoom arrière")->isEnabled());
    for (int i = 0; i < 5; ++i)
        QTest::mouseClick(Button("Zoom avant"), Qt::LeftButton);
    EXPECT_EQ(m_area->zoomLevel(), 5);
    EXPECT_FALSE(Button("Zoom avant")->isEnabled());
    EXPECT_TRUE(Button("Zoom arrière")->isEnabled());
    // 400 % of the page at actual size is wider than the window: it scrolls.
    EXPECT_GT(m_area->horizontalScrollBar()->maximum(), 0);
}

TEST_F(PrintPreview, clickOnAPageZoomsOnItAndTheLastLevelWrapsToTheGrid)
{
    Open(200);
    ChoosePages("2 pages");
    const QRect second = m_area->pageRect(1);
    ASSERT_FALSE(second.isEmpty());
    QTest::mouseMove(m_area->viewport(), second.center());
    EXPECT_EQ(m_area->viewport()->cursor().shape(), Qt::BitmapCursor);
    QTest::mouseClick(m_area->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(m_area->zoomLevel(), 1);
    EXPECT_EQ(m_area->visiblePages(), QList<int> {1});
    for (int level = 2; level <= 5; ++level)
        QTest::mouseClick(m_area->viewport(), Qt::LeftButton, {}, m_area->pageRect(0).center());
    EXPECT_EQ(m_area->zoomLevel(), 5);
    QTest::mouseMove(m_area->viewport(), m_area->viewport()->rect().center());
    EXPECT_EQ(m_area->viewport()->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseClick(m_area->viewport(), Qt::LeftButton, {}, m_area->viewport()->rect().center());
    EXPECT_EQ(m_area->zoomLevel(), 0);
    EXPECT_EQ(m_area->visiblePages(), (QList<int> {1, 2}));
    ChoosePages("1 Page");
}

TEST_F(PrintPreview, zoomedClickKeepsTheClickedPointInView)
{
    Open(10);
    const QRect page = m_area->pageRect(0);
    const QPoint bottomRight = page.topLeft() + QPoint(page.width() * 9 / 10, page.height() * 9 / 10);
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(
            m_area->viewport(), Qt::LeftButton, {}, i ? m_area->viewport()->rect().center() : bottomRight);
    EXPECT_EQ(m_area->zoomLevel(), 3);
    EXPECT_GT(m_area->verticalScrollBar()->value(), m_area->verticalScrollBar()->maximum() / 2);
    EXPECT_GT(m_area->horizontalScrollBar()->value(), 0);
}

TEST_F(PrintPreview, scrollBarMovesByPageWithTheKeyboard)
{
    Open(1200);
    const int pages = m_area->pageCount();
    ASSERT_GE(pages, 12);
    m_area->setFocus();
    QTest::keyClick(m_area, Qt::Key_Down);
    EXPECT_EQ(m_area->firstPage(), 1);
    QTest::keyClick(m_area, Qt::Key_PageDown);
    EXPECT_EQ(m_area->firstPage(), 1 + (pages - 1 + 9) / 10);
    QTest::keyClick(m_area, Qt::Key_Up);
    EXPECT_EQ(m_area->firstPage(), (pages - 1 + 9) / 10);
    QTest::keyClick(m_area, Qt::Key_End);
    EXPECT_EQ(m_area->firstPage(), pages - 1);
}

TEST_F(PrintPreview, landscapeFollowsThePrinterAndLaysThePagesOutAgain)
{
    Open(200);
    auto *landscape = m_window->findChild<QCheckBox *>();
    EXPECT_FALSE(landscape->isChecked());
    const int portraitRows = m_window->layout().rowsPerPage();
    QTest::mouseClick(Button("Page suivante"), Qt::LeftButton);
    landscape->click();
    EXPECT_EQ(m_printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_LT(m_window->layout().rowsPerPage(), portraitRows);
    EXPECT_EQ(m_area->firstPage(), 0);
    const QRect page = m_area->pageRect(0);
    EXPECT_GT(page.width(), page.height());

    m_window.reset();
    m_window = std::make_unique<PrintPreviewWindow>(
        ListPrintSource {m_model.get(), {{0, 100}}, {}, {}, {}}, m_printer);
    EXPECT_TRUE(m_window->findChild<QCheckBox *>()->isChecked());
}

TEST_F(PrintPreview, followsRowsAddedAndClosesWhenTheListGoes)
{
    Open(10);
    EXPECT_EQ(m_area->pageCount(), 1);
    m_model->insertRows(10, 400);
    EXPECT_GT(m_area->pageCount(), 1);
    m_model.reset();
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_FALSE(m_window->isReady());
    EXPECT_EQ(m_area->pageCount(), 0);
    // Nothing left to lay out: a later orientation change must not read the list.
    m_window->findChild<QCheckBox *>()->click();
    EXPECT_EQ(m_window->layout().pageCount(), 0);
}

TEST_F(PrintPreview, cannotStartWithoutRows)
{
    auto model = MakeList(0);
    ListPrintSource source;
    source.model = model.get();
    source.columns = {{0, 100}};
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    EXPECT_FALSE(PrintPreviewWindow(source, printer).isReady());
}
