#include "shell/print/printpreviewwindow.h"

#include "shell/print/listprinting.h"
#include "shell/print/printpreviewarea.h"

#include <QAbstractItemModel>
#include <QActionGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

int g_pagesShown = 1; // kept for the next preview of the run

QIcon ThemeIcon(const char *name, const QIcon &fallback)
{
    return QIcon::fromTheme(QLatin1String(name), fallback);
}

// A magnifier with a plus or a minus, for themes without zoom icons.
QIcon ZoomIcon(bool in)
{
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(15, 15), QPointF(21, 21));
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(10, 10), 7, 7);
    p.drawLine(QPointF(6.5, 10), QPointF(13.5, 10));
    if (in)
        p.drawLine(QPointF(10, 6.5), QPointF(10, 13.5));
    return QIcon(pixmap);
}

// Small sheets in the grid of `pages`.
QIcon GridIcon(int pages)
{
    const PrintGeometry::Grid grid = PrintGeometry::GridForPages(pages);
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    const int w = (22 - 2 * (grid.columns - 1)) / grid.columns;
    const int h = (22 - 2 * (grid.rows - 1)) / grid.rows;
    for (int r = 0; r < grid.rows; ++r) {
        for (int c = 0; c < grid.columns; ++c)
            p.drawRect(1 + c * (w + 2), 1 + r * (h + 2), w - 1, h - 1);
    }
    return QIcon(pixmap);
}

} // namespace

int PrintPreviewWindow::RememberedPagesShown()
{
    return g_pagesShown;
}

PrintPreviewWindow::PrintPreviewWindow(const ListPrintSource &source, QPrinter &printer, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_source(source)
    , m_model(source.model)
    , m_printer(printer)
{
    setWindowTitle(QStringLiteral("Aperçu avant impression"));
    setAccessibleName(windowTitle());
    setWindowModality(Qt::ApplicationModal);
    EnsurePrintResolution(m_printer);

    m_area = new PrintPreviewArea(this);
    BuildToolBar();
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("previewToolBar"));
    auto *row = new QHBoxLayout(bar);
    row->setContentsMargins(6, 4, 6, 4);
    for (QWidget *w :
        std::initializer_list<QWidget *> {m_print, m_next, m_previous, m_zoomIn, m_zoomOut, m_pages})
        row->addWidget(w);
    row->addSpacing(12);
    row->addWidget(m_close);
    row->addSpacing(12);
    row->addWidget(m_landscape);
    row->addStretch(1);
    column->addWidget(bar);
    column->addWidget(m_area, 1);

    connect(m_area, &PrintPreviewArea::stateChanged, this, &PrintPreviewWindow::UpdateButtons);
    FollowModel();
    Relayout();
    m_area->setPagesShown(g_pagesShown);
    UpdateButtons();
    m_area->setFocus();
    resize(parent ? parent->window()->size() : QSize(1000, 760));
}

PrintPreviewWindow::~PrintPreviewWindow() = default;

bool PrintPreviewWindow::isReady() const
{
    return m_model && m_layout && m_layout->pageCount() > 0 && !m_layout->pageSize().isEmpty();
}

QToolButton *PrintPreviewWindow::AddButton(
    const QString &name, const QIcon &icon, const QKeySequence &shortcut)
{
    auto *button = new QToolButton(this);
    button->setIcon(icon);
    button->setIconSize(QSize(24, 24));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setToolTip(shortcut.isEmpty()
            ? name
            : name + QStringLiteral(" (") + shortcut.toString(QKeySequence::NativeText) + u')');
    button->setAccessibleName(name);
    if (!shortcut.isEmpty()) {
        auto *key = new QShortcut(shortcut, this);
        connect(key, &QShortcut::activated, button, &QToolButton::click);
    }
    return button;
}

void PrintPreviewWindow::BuildToolBar()
{
    const QStyle *s = style();
    m_print = AddButton(QStringLiteral("Imprimer..."),
        ThemeIcon("document-print", QIcon(QStringLiteral(":/icons/document-print.svg"))),
        QKeySequence::Print);
    m_next = AddButton(QStringLiteral("Page suivante"),
        ThemeIcon("go-next", s->standardIcon(QStyle::SP_ArrowRight)),
        QKeySequence(Qt::CTRL | Qt::Key_PageDown));
    m_previous = AddButton(QStringLiteral("Page précédente"),
        ThemeIcon("go-previous", s->standardIcon(QStyle::SP_ArrowLeft)),
        QKeySequence(Qt::CTRL | Qt::Key_PageUp));
    m_zoomIn
        = AddButton(QStringLiteral("Zoom avant"), ThemeIcon("zoom-in", ZoomIcon(true)), QKeySequence::ZoomIn);
    m_zoomOut = AddButton(
        QStringLiteral("Zoom arrière"), ThemeIcon("zoom-out", ZoomIcon(false)), QKeySequence::ZoomOut);
    m_pages = AddButton(QStringLiteral("Pages"), GridIcon(4), {});
    BuildPagesMenu();
    m_close = new QPushButton(QStringLiteral("&Fermer"), this);
    m_close->setAccessibleName(QStringLiteral("Fermer"));
    m_landscape = new QCheckBox(QStringLiteral("Paysage"), this);
    m_landscape->setAccessibleName(QStringLiteral("Paysage"));
    m_landscape->setChecked(m_printer.pageLayout().orientation() == QPageLayout::Landscape);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);

    connect(m_print, &QToolButton::clicked, this, &PrintPreviewWindow::Print);
    connect(m_next, &QToolButton::clicked, this, [this] { m_area->setFirstPage(m_area->firstPage() + 1); });
    connect(
        m_previous, &QToolButton::clicked, this, [this] { m_area->setFirstPage(m_area->firstPage() - 1); });
    connect(m_zoomIn, &QToolButton::clicked, this, [this] { m_area->setZoomLevel(m_area->zoomLevel() + 1); });
    connect(
        m_zoomOut, &QToolButton::clicked, this, [this] { m_area->setZoomLevel(m_area->zoomLevel() - 1); });
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    connect(m_landscape, &QCheckBox::toggled, this, &PrintPreviewWindow::OnLandscapeToggled);
}

void PrintPreviewWindow::BuildPagesMenu()
{
    struct Choice {
        int pages;
        const char *text;
    };
    static const Choice choices[]
        = {{1, "1 Page"}, {2, "2 pages"}, {3, "3 Pages"}, {4, "4 pages"}, {6, "6 pages"}, {9, "9 pages"}};
    auto *menu = new QMenu(m_pages);
    menu->setAccessibleName(QStringLiteral("Pages"));
    menu->setToolTipsVisible(true);
    auto *group = new QActionGroup(menu);
    for (const Choice &choice : choices) {
        QAction *action = menu->addAction(GridIcon(choice.pages), QString::fromUtf8(choice.text));
        action->setToolTip(choice.pages == 1 ? QStringLiteral("Affiche 1 page")
                                             : QStringLiteral("Affiche %1 pages").arg(choice.pages));
        action->setStatusTip(action->toolTip());
        action->setData(choice.pages);
        action->setCheckable(true);
        action->setChecked(choice.pages == g_pagesShown);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, pages = choice.pages] { ChoosePages(pages); });
    }
    m_pages->setMenu(menu);
    m_pages->setPopupMode(QToolButton::InstantPopup);
}

void PrintPreviewWindow::ChoosePages(int pages)
{
    g_pagesShown = pages;
    // The grid shows at zoom level 0.
    m_area->setZoomLevel(0);
    m_area->setPagesShown(pages);
}

void PrintPreviewWindow::Relayout()
{
    m_layout = std::make_unique<ListPrintLayout>(m_source, m_printer);
    const double dpi = m_printer.resolution();
    const QPageLayout page = m_printer.pageLayout();
    const QRect paper = page.fullRectPixels(int(dpi));
    const QRect printable = page.paintRectPixels(int(dpi));
    m_area->setPages(m_layout.get(), paper.size(), printable, dpi);
}

void PrintPreviewWindow::UpdateButtons()
{
    using PrintGeometry::MaxZoomLevel;
    const bool ready = isReady();
    m_print->setEnabled(ready);
    m_next->setEnabled(ready && m_area->canGoNext());
    m_previous->setEnabled(ready && m_area->canGoPrevious());
    m_zoomIn->setEnabled(ready && m_area->zoomLevel() < MaxZoomLevel);
    m_zoomOut->setEnabled(ready && m_area->zoomLevel() > 0);
    const QList<QAction *> actions = m_pages->menu()->actions();
    for (QAction *action : actions)
        action->setChecked(action->data().toInt() == m_area->pagesShown());
}

void PrintPreviewWindow::OnLandscapeToggled(bool landscape)
{
    m_printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    // The preview starts over with the new pages.
    m_area->setZoomLevel(0);
    m_area->setFirstPage(0);
    Relayout();
}

void PrintPreviewWindow::Print()
{
    if (!isReady())
        return;
    if (PrintList(m_source, m_printer, this))
        close();
    else
        Relayout(); // the dialog may have changed the paper
}

void PrintPreviewWindow::FollowModel()
{
    const QAbstractItemModel *model = m_model.data();
    if (!model)
        return;
    const auto relayout = [this] {
        Relayout();
        UpdateButtons();
    };
    const auto repaint = [this] { m_area->viewport()->update(); };
    connect(model, &QAbstractItemModel::rowsInserted, this, relayout);
    connect(model, &QAbstractItemModel::rowsRemoved, this, relayout);
    connect(model, &QAbstractItemModel::rowsMoved, this, repaint);
    connect(model, &QAbstractItemModel::modelReset, this, relayout);
    connect(model, &QAbstractItemModel::layoutChanged, this, repaint);
    connect(model, &QAbstractItemModel::dataChanged, this, repaint);
    connect(model, &QAbstractItemModel::headerDataChanged, this, repaint);
    // The layout reads the model while painting: no model, no preview.
    connect(model, &QObject::destroyed, this, [this] {
        m_source.model = nullptr;
        Relayout();
        UpdateButtons();
        close();
    });
}
