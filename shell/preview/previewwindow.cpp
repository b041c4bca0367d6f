#include "shell/preview/previewwindow.h"

#include "platform/pathcase.h"
#include "platform/profile.h"
#include "shell/common/generaloptions.h"
#include "shell/preview/previewcanvas.h"
#include "shell/preview/previewicons.h"
#include "shell/preview/previewloader.h"
#include "shell/preview/previewoptionspage.h"
#include "shell/preview/previewstatusbar.h"
#include "shell/widgets/dialogbuttons.h"
#include "shell/widgets/hlscolor.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHash>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QAction *MakeAction(QObject *parent, const char *text, const char *tip, const char *prompt, const QIcon &icon)
{
    auto *action = new QAction(icon, QString::fromUtf8(text), parent);
    action->setToolTip(QString::fromUtf8(tip));
    action->setStatusTip(QString::fromUtf8(prompt));
    return action;
}

// A plain widget reads as a pane to assistive tools; this one is a window of its own.
QAccessibleInterface *PreviewWindowInterface(const QString &key, QObject *object)
{
    if (key == QLatin1String("PreviewWindow") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Window);
    return nullptr;
}

FrameMetrics MetricsFor(const QWidget *window, const QWidget *owner)
{
    FrameMetrics m;
    m.caption = window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const auto *main = qobject_cast<const QMainWindow *>(owner);
    m.menu = main && main->menuWidget() ? main->menuWidget()->sizeHint().height()
                                        : window->fontMetrics().height() + 8;
    return m;
}

} // namespace

PreviewWindow::PreviewWindow(Profile &profile, QWidget *owner)
    : QWidget(owner, Qt::Tool)
    , m_profile(profile)
    , m_loader(std::make_unique<PreviewLoader>())
{
    static const bool registered = (QAccessible::installFactory(&PreviewWindowInterface), true);
    Q_UNUSED(registered);
    m_options.Load(profile);
    setWindowTitle(QStringLiteral("Prévisualisation"));
    setAccessibleName(windowTitle());
    m_canvas = new PreviewCanvas(this);
    m_canvas->installEventFilter(this);
    m_statusBar = new PreviewStatusBar(this);
    m_toolBar = new QToolBar(QStringLiteral("Barre d'outils"), this);
    m_toolBar->setAccessibleName(m_toolBar->windowTitle());
    m_toolBar->setMovable(false);
    // Shown when the bar is too short for its buttons.
    if (auto *more = m_toolBar->findChild<QWidget *>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(QStringLiteral("Autres boutons"));
    m_grid = new QGridLayout;
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setSpacing(0);
    m_grid->addWidget(m_canvas, 1, 1);
    m_grid->setRowStretch(1, 1);
    m_grid->setColumnStretch(1, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(m_grid, 1);
    layout->addWidget(m_statusBar);
    CreateActions();
    ConnectLoader();
    PlaceToolBar();
    m_toolBar->setVisible(m_options.ToolBarVisible != 0);
    m_statusBar->setVisible(m_options.StatusBarVisible != 0);
    m_canvas->SetAnimationEnabled(m_options.Animation != 0);
    ApplyBackground();
    UpdateActions();
    m_loader->SetWindowVisible(false);
    resize(400, 300);
}

PreviewWindow::~PreviewWindow()
{
    m_loader.reset(); // no result may arrive for widgets being destroyed
    StoreOptions();
}

void PreviewWindow::CreateActions()
{
    m_fitAction = MakeAction(this, "&Adapter", "Adapter", "Adapter l'image à la fenêtre", PreviewFitIcon());
    m_panAction = MakeAction(this, "&Déplacement", "Déplacement", "Déplacer l'image", PreviewPanIcon());
    m_zoomAction = MakeAction(this, "&Zoom", "Zoom", "Zoom", PreviewZoomIcon());
    m_optionsAction
        = MakeAction(this, "&Options", "Options", "Options de prévisualisation", PreviewOptionsIcon());
    for (QAction *a : {m_fitAction, m_panAction, m_zoomAction})
        a->setCheckable(true);
    connect(m_fitAction, &QAction::triggered, this, [this] { m_canvas->SetFitting(!m_canvas->IsFitting()); });
    connect(m_panAction, &QAction::triggered, this, [this] { m_canvas->SetPanTool(true); });
    connect(m_zoomAction, &QAction::triggered, this, [this] { m_canvas->SetPanTool(false); });
    connect(m_optionsAction, &QAction::triggered, this, &PreviewWindow::OpenOptionsDialog);
    connect(m_canvas, &PreviewCanvas::toolStateChanged, this, &PreviewWindow::UpdateActions);
    m_toolBar->addActions({m_fitAction, m_panAction, m_zoomAction, m_optionsAction});
    // Reachable with Tab like any other control.
    for (QAction *a : m_toolBar->actions()) {
        if (QWidget *button = m_toolBar->widgetForAction(a))
            button->setFocusPolicy(Qt::TabFocus);
    }
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("Img_Preview"));
    m_menu->setAccessibleName(QStringLiteral("Menu de la prévisualisation"));
    m_menu->addActions({m_fitAction, m_panAction, m_zoomAction, m_optionsAction});
}

void PreviewWindow::ConnectLoader()
{
    PreviewLoader *l = m_loader.get();
    connect(l, &PreviewLoader::cleared, this, [this] {
        m_shownPath.clear();
        m_canvas->Clear();
        m_statusBar->ResetTexts();
        m_statusBar->ResetProgress();
    });
    connect(l, &PreviewLoader::fileOpened, this, [this](const QString &path, qint64 bytes, int steps) {
        m_shownPath = path;
        m_statusBar->ResetTexts();
        m_statusBar->StartProgress(steps);
        m_statusBar->ShowFile(path, bytes);
    });
    connect(l, &PreviewLoader::stepped, m_statusBar, &PreviewStatusBar::StepProgress);
    connect(l, &PreviewLoader::progressReset, m_statusBar, &PreviewStatusBar::ResetProgress);
    connect(l, &PreviewLoader::dimensionsKnown, m_statusBar, &PreviewStatusBar::ShowDimensions);
    connect(l, &PreviewLoader::imageReady, m_canvas, &PreviewCanvas::ShowImage);
    connect(l, &PreviewLoader::pixelsReady, m_canvas, &PreviewCanvas::ReplacePixels);
    connect(m_canvas, &PreviewCanvas::pixelsNeeded, this,
        [this](quint64 serial, QSize target) { m_loader->RequestPixels(serial, target); });
}

void PreviewWindow::UpdateActions()
{
    const bool fit = m_canvas->IsFitting();
    m_fitAction->setChecked(fit);
    m_panAction->setEnabled(!fit);
    m_zoomAction->setEnabled(!fit);
    m_panAction->setChecked(m_canvas->IsPanTool());
    m_zoomAction->setChecked(!m_canvas->IsPanTool());
}

void PreviewWindow::Show(int mode)
{
    const bool wasShown = isVisible();
    if (mode == -1) {
        QList<QRect> areas;
        if (QScreen *primary = QGuiApplication::primaryScreen())
            areas.append(primary->availableGeometry());
        for (QScreen *screen : QGuiApplication::screens())
            areas.append(screen->availableGeometry());
        setGeometry(PreviewStartRect(m_options, areas, MetricsFor(this, parentWidget())));
        m_placed = true;
        setVisible(m_options.Visible != 0);
    } else if (mode == 0) {
        m_options.Visible = 0;
        hide();
        RequestPreview(QStringLiteral("?"));
    } else {
        m_options.Visible = 1;
        show();
        raise();
    }
    if (wasShown != isVisible() || mode != -1)
        Q_EMIT visibilityChanged(isVisible());
}

void PreviewWindow::RequestPreview(const QString &path)
{
    m_loader->RequestPreview(path);
}

void PreviewWindow::closeEvent(QCloseEvent *event)
{
    // The close box (a close from the window system) hides and the window
    // lives on; a close from the program, as when it quits, must go through
    // or the application could never end.
    if (!event->spontaneous())
        return QWidget::closeEvent(event);
    event->ignore();
    Show(0);
}

void PreviewWindow::showEvent(QShowEvent *event)
{
    if (m_loader)
        m_loader->SetWindowVisible(true);
    QWidget::showEvent(event);
}

void PreviewWindow::hideEvent(QHideEvent *event)
{
    if (m_loader)
        m_loader->SetWindowVisible(false);
    QWidget::hideEvent(event);
}

bool PreviewWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_canvas && event->type() == QEvent::Resize && m_loader)
        m_loader->SetViewSize(m_canvas->size() * m_canvas->devicePixelRatioF());
    return QWidget::eventFilter(watched, event);
}

bool PreviewWindow::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        m_statusBar->ShowMessage(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QWidget::event(event);
}

void PreviewWindow::contextMenuEvent(QContextMenuEvent *event)
{
    m_menu->popup(event->globalPos());
}

void PreviewWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange && m_options.AutoBgColor)
        ApplyBackground();
    QWidget::changeEvent(event);
}

void PreviewWindow::PlaceToolBar()
{
    static const QHash<int, QPoint> cells = {{Qt::TopToolBarArea, {0, 1}}, {Qt::RightToolBarArea, {1, 2}},
        {Qt::BottomToolBarArea, {2, 1}}, {Qt::LeftToolBarArea, {1, 0}}};
    const Qt::ToolBarArea area = ToolBarArea(m_options.ToolBarPos);
    const QPoint cell = cells.value(area);
    m_grid->removeWidget(m_toolBar);
    const bool across = area == Qt::TopToolBarArea || area == Qt::BottomToolBarArea;
    m_toolBar->setOrientation(across ? Qt::Horizontal : Qt::Vertical);
    m_grid->addWidget(m_toolBar, cell.x(), cell.y());
}

void PreviewWindow::ApplyBackground()
{
    m_canvas->SetBackground(
        m_options.AutoBgColor ? palette().color(QPalette::Button) : QColorFromColorRef(m_options.BgColor));
}

void PreviewWindow::SetAutoBackground(bool automatic)
{
    m_options.AutoBgColor = automatic ? 1 : 0;
    ApplyBackground();
    StoreOptions();
}

void PreviewWindow::SetBackgroundColor(COLORREF color)
{
    m_options.BgColor = color & 0xFFFFFF;
    ApplyBackground();
    StoreOptions();
}

void PreviewWindow::SetStatusBarVisible(bool visible)
{
    m_options.StatusBarVisible = visible ? 1 : 0;
    m_statusBar->setVisible(visible);
    StoreOptions();
}

void PreviewWindow::SetToolBarVisible(bool visible)
{
    m_options.ToolBarVisible = visible ? 1 : 0;
    m_toolBar->setVisible(visible);
    StoreOptions();
}

void PreviewWindow::SetToolBarSide(int toolBarPos)
{
    m_options.ToolBarPos = toolBarPos;
    PlaceToolBar();
    StoreOptions();
}

void PreviewWindow::SetAnimation(bool animate)
{
    m_options.Animation = animate ? 1 : 0;
    m_canvas->SetAnimationEnabled(animate);
    StoreOptions();
}

void PreviewWindow::StoreOptions()
{
    if (m_placed) {
        const QScreen *screen = QGuiApplication::primaryScreen();
        m_options.ScreenX = screen ? screen->geometry().width() : 0;
        m_options.rect = geometry();
    }
    m_options.Save(m_profile);
}

QWidget *PreviewWindow::createOptionsPage(QWidget *parent)
{
    GeneralOptions general;
    general.LoadFromRegistry(m_profile);
    return new PreviewOptionsPage(*this, general.DisplayTooltipsInDialogs == 1, parent);
}

QDialog *PreviewWindow::optionsDialog() const
{
    return m_optionsDialog;
}

void PreviewWindow::OpenOptionsDialog()
{
    if (m_optionsDialog) {
        m_optionsDialog->raise();
        m_optionsDialog->activateWindow();
        return;
    }
    auto *dialog = new QDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("Options de la fenêtre de prévisualisation"));
    auto *pages = new QTabWidget(dialog);
    auto *page = static_cast<PreviewOptionsPage *>(createOptionsPage(pages));
    pages->addTab(page, QStringLiteral("Prévisualisation"));
    auto *buttons = MakeOkCancelButtons(dialog);
    connect(dialog, &QDialog::rejected, page, &PreviewOptionsPage::Revert);
    auto *layout = new QVBoxLayout(dialog);
    layout->addWidget(pages);
    layout->addWidget(buttons);
    m_optionsDialog = dialog;
    dialog->open();
}

void PreviewWindow::FileRewritten(const QString &path)
{
    if (m_shownPath.isEmpty() || !SamePath(m_shownPath, path))
        return;
    // The old picture goes first so the new file is read, not the cached one.
    RequestPreview(QStringLiteral("?"));
    QTimer::singleShot(10, this, [this, path] { RequestPreview(path); });
}
