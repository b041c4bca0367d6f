#include "shell/placementhost/placementwindow.h"

#include "placement/glrplace_ids.h"
#include "shell/common/viewregistry.h"
#include "shell/placementhost/placementhost.h"
#include "shell/placementhost/placementpage.h"

#include <QChildEvent>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineView>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace {

void RemovePages(const PlacementPagePaths &pages)
{
    for (const QString &page : {pages.body, pages.header, pages.main})
        if (!page.isEmpty() && QFile::exists(page))
            QFile::remove(page);
}

} // namespace

QString PlacementWindowTitle(const QString &galleryTitle)
{
    return QStringLiteral("Placement visuel : ") + galleryTitle;
}

QString PlacementControlMissingText()
{
    return QStringLiteral("Le contrôle de placement visuel n'est pas installé. Réinstallez Gallorim.");
}

void PrepareWebEngineEnvironment()
{
#if defined(Q_OS_UNIX)
    static bool done = false;
    if (done)
        return;
    done = true;
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    // Chromium refuses to start its sandbox as root (containers, CI).
    if (geteuid() == 0 && !flags.contains("--no-sandbox") && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // Without a render node the GPU process fails and the page stays blank.
    const bool hasGpu = !QDir(QStringLiteral("/dev/dri")).entryList({QStringLiteral("renderD*")}, QDir::System).isEmpty();
    if (!hasGpu && !flags.contains("--disable-gpu")) {
        flags += flags.isEmpty() ? "--disable-gpu" : " --disable-gpu";
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
    }
#endif
}

PlacementWindow::PlacementWindow(const QString &mainPagePath, const QString &galleryTitle, int viewNumber,
                                 QWidget *parent)
    : QWidget(parent), m_pages(PlacementPagesFromMain(mainPagePath)), m_viewNumber(viewNumber)
{
    PrepareWebEngineEnvironment();
    setWindowTitle(PlacementWindowTitle(galleryTitle));
    setObjectName(QStringLiteral("placementWindow"));
    m_view = new QWebEngineView(this);
    m_page = new PlacementPage(m_pages, m_view);
    m_view->setPage(m_page);
    m_view->setContextMenuPolicy(Qt::NoContextMenu);
    m_view->setAcceptDrops(false);
    WatchKeys(m_view);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    // Tab and Enter go to the page as soon as the window is active.
    setFocusProxy(m_view);

    HostServices services;
    services.post = [](GlrWindow window, uint32_t message, intptr_t a, intptr_t b) {
        return ViewRegistry::Instance().Post(int(window), int(message), int(a), int(b));
    };
    services.isWindow = [](GlrWindow window) { return ViewRegistry::Instance().IsLive(int(window)); };
    m_host = new PlacementHost(m_view, services, this);

    connect(m_page, &PlacementPage::objectCalled, this, &PlacementWindow::OnObjectCalled);
    connect(m_page, &PlacementPage::objectMoved, this, &PlacementWindow::OnObjectMoved);
    connect(m_page, &PlacementPage::statusTextChanged, this, &PlacementWindow::ShowStatus);
    auto *zoomWatch = new QTimer(this);
    connect(zoomWatch, &QTimer::timeout, this, &PlacementWindow::OnZoomCheck);
    zoomWatch->start(200);
    m_view->load(QUrl::fromLocalFile(mainPagePath));
}

PlacementWindow::~PlacementWindow()
{
    m_host->ReleaseAll();
    // A control that never ran (or was never made) said nothing: the view
    // must still leave its placement phase.
    if (!m_host->ClosingMessagePosted())
        ViewRegistry::Instance().Post(m_viewNumber, kPlacementMessage, -1, -1);
    ShowStatus(QString());
}

void PlacementWindow::OnObjectCalled(const QString &key, const QString &classId, const QString &method,
                                     const std::vector<int32_t> &args)
{
    if (m_host->AddObject(key, classId))
        m_host->Call(key, method, args);
}

void PlacementWindow::OnObjectMoved(const QString &key, const QString &classId, const QRectF &rect, bool visible)
{
    if (!m_host->AddObject(key, classId))
        return;
    m_objectRects[key] = {rect, visible};
    PlaceObject(key);
}

void PlacementWindow::PlaceObject(const QString &key)
{
    const auto &[rect, visible] = m_objectRects[key];
    const QRectF scaled(rect.x() * m_zoom, rect.y() * m_zoom, rect.width() * m_zoom, rect.height() * m_zoom);
    m_host->PlaceObject(key, scaled.toRect(), visible);
}

void PlacementWindow::OnZoomCheck()
{
    if (qFuzzyCompare(m_view->zoomFactor(), m_zoom))
        return;
    m_zoom = m_view->zoomFactor();
    for (const auto &entry : m_objectRects)
        PlaceObject(entry.first);
}

void PlacementWindow::ShowStatus(const QString &text)
{
    Q_EMIT statusTextChanged(text);
    auto *main = qobject_cast<QMainWindow *>(window());
    if (!main || static_cast<QWidget *>(main) == this)
        return;
    if (text.isEmpty())
        main->statusBar()->clearMessage();
    else
        main->statusBar()->showMessage(text);
}

void PlacementWindow::WatchKeys(QObject *target)
{
    target->installEventFilter(this);
    for (QObject *child : target->children())
        if (child->isWidgetType())
            child->installEventFilter(this);
}

bool PlacementWindow::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::ChildAdded:
        // The view renders through a child widget made once the page loads.
        if (auto *child = static_cast<QChildEvent *>(event)->child(); child->isWidgetType())
            WatchKeys(child);
        break;
    case QEvent::ShortcutOverride:
        // Not claimed for the page: the program's own shortcuts still work.
        if (const auto *key = static_cast<QKeyEvent *>(event); !PlacementKeyAllowed(key->key(), key->modifiers())) {
            event->ignore();
            return true;
        }
        break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        if (const auto *key = static_cast<QKeyEvent *>(event); !PlacementKeyAllowed(key->key(), key->modifiers()))
            return true;
        break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        event->ignore();
        return true;
    case QEvent::ContextMenu:
        return true;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

PlacementWindow *OpenPlacementWindow(QMdiArea *area, const QString &mainPagePath, const QString &galleryTitle,
                                     int viewNumber)
{
    GlrGuid clsid {};
    const bool parsed = ParseClassId(QStringLiteral(GLR_CLSID_TEXT), &clsid);
    if (!parsed || !PlacementClassAvailable(clsid)) {
        RemovePages(PlacementPagesFromMain(mainPagePath));
        ViewRegistry::Instance().Post(viewNumber, kPlacementMessage, -1, -1);
        QMessageBox::warning(area, QStringLiteral("Gallorim"), PlacementControlMissingText());
        return nullptr;
    }
    auto *window = new PlacementWindow(mainPagePath, galleryTitle, viewNumber);
    const QMdiSubWindow *active = area->activeSubWindow();
    const bool maximized = active && active->isMaximized();
    QMdiSubWindow *sub = area->addSubWindow(window);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    if (maximized) {
        sub->showMaximized();
    } else {
        sub->resize(area->viewport()->size() * 3 / 4);
        sub->show();
    }
    return window;
}
