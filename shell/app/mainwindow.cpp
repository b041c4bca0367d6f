#include "shell/app/mainwindow.h"

#include "document/gallerydocument.h"
#include "document/projectfile.h"
#include "platform/pathcase.h"
#include "platform/profile.h"
#include "shell/app/windowplacement.h"
#include "shell/common/generaloptions.h"
#include "shell/common/programinfo.h"
#include "shell/gallery/fileclipboard.h"
#include "shell/gallery/galleryview.h"
#include "shell/gallery/gallerywindow.h"
#include "shell/preview/previewwindow.h"
#include "shell/widgets/lockindicators.h"
#include "shell/widgets/valuelabel.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

namespace {
const QString kBarStateSection = QStringLiteral("WindowState/MainFrame");
const QString kBarStateName = QStringLiteral("MainFrameBarState");

bool IsProjectPath(const QString &path)
{
    return QFileInfo(path).suffix().compare(QStringLiteral("glr"), Qt::CaseInsensitive) == 0
        || ProjectFileFormat(path) != ProjectFormat::NotAProject;
}
} // namespace

MainWindow::MainWindow(Profile &profile, GeneralOptions &options, QWidget *parent)
    : QMainWindow(parent), m_profile(profile), m_options(options)
{
    setWindowTitle(ProgramInfo::MainWindowTitle());
    setAccessibleName(ProgramInfo::MainWindowTitle());
    setAcceptDrops(true);
    m_mdi = new QMdiArea(this);
    m_mdi->setAccessibleName(QStringLiteral("Galeries"));
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_mdi);
    m_recent.Load(m_profile);
    m_printer = std::make_unique<QPrinter>();
    m_preview = std::make_unique<PreviewWindow>(m_profile, this);
    createActions();
    createToolBar();
    createMenus();
    createStatusBar();
    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] {
        updateTitle();
        updateCommands();
    });
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        m_clipboardHasFiles = !ClipboardFileList().isEmpty();
        updateCommands();
    });
    m_clipboardHasFiles = !ClipboardFileList().isEmpty();
    updateCommands();
}

MainWindow::~MainWindow()
{
    // The child windows go after this body; their activation must not reach
    // a half-destroyed frame.
    m_mdi->disconnect(this);
    QApplication::clipboard()->disconnect(this);
    const auto frames = m_mdi->subWindowList();
    for (QMdiSubWindow *frame : frames) {
        frame->disconnect(this);
        if (frame->widget())
            frame->widget()->disconnect(this);
    }
}

void MainWindow::createStatusBar()
{
    auto *message = new ValueLabel(QStringLiteral("Message"), statusBar());
    message->setText(ProgramInfo::IdleStatusText());
    message->setValue(message->text());
    m_idleText = message;
    statusBar()->setAccessibleName(QStringLiteral("Barre d'état"));
    statusBar()->addWidget(m_idleText, 1);
    // The bar paints its prompts itself, out of assistive tools' reach: the
    // pane's value carries them.
    connect(statusBar(), &QStatusBar::messageChanged, message, [message](const QString &text) {
        message->setValue(text.isEmpty() ? message->text() : text);
    });
    m_locks = new LockIndicators(statusBar());
}

GalleryWindow *MainWindow::addGalleryWindow(GalleryWindow *gallery, const RecoveryCopy *adopted)
{
    if (m_recovery)
        gallery->document().EnableRecovery(*m_recovery, adopted);
    gallery->setPrinter(m_printer.get());
    gallery->setPreviewWindow(m_preview.get());
    QMdiSubWindow *frame = m_mdi->addSubWindow(gallery);
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setWindowIcon(QIcon(QStringLiteral(":/icons/gallorim.svg")));
    connect(gallery, &GalleryWindow::commandStateChanged, this, &MainWindow::updateCommands);
    connect(gallery, &GalleryWindow::titleChanged, this, &MainWindow::updateTitle);
    connect(gallery, &GalleryWindow::projectSaved, this, &MainWindow::rememberProject);
    connect(gallery, &QObject::destroyed, this, [this] {
        // The last gallery closed: back to the frame's own menus.
        QMetaObject::invokeMethod(this, &MainWindow::updateCommands, Qt::QueuedConnection);
    });
    connect(frame, &QMdiSubWindow::windowStateChanged, this, &MainWindow::updateTitle, Qt::QueuedConnection);
    // A maximised child adds " - [name]" to the title it finds here.
    setWindowTitle(ProgramInfo::MainWindowTitle());
    frame->showMaximized();
    gallery->setFocus();
    updateCommands();
    return gallery;
}

GalleryWindow *MainWindow::newGallery()
{
    return addGalleryWindow(new GalleryWindow(m_profile, m_options, ++m_untitledCount));
}

GalleryWindow *MainWindow::findGallery(const QString &projectPath) const
{
    const QString wanted = QDir::toNativeSeparators(QFileInfo(projectPath).absoluteFilePath());
    for (GalleryWindow *gallery : galleries())
        if (SamePath(gallery->projectPath(), wanted))
            return gallery;
    return nullptr;
}

GalleryWindow *MainWindow::openProject(const QString &path)
{
    if (GalleryWindow *open = findGallery(path)) {
        m_mdi->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(open->parentWidget()));
        return open;
    }
    // The window is only shown once the file was accepted.
    auto gallery = std::make_unique<GalleryWindow>(m_profile, m_options, m_untitledCount + 1);
    if (!gallery->openProject(path)) {
        m_recent.Remove(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
        m_recent.Save(m_profile);
        fillRecentMenu();
        return nullptr;
    }
    rememberProject(gallery->projectPath());
    return addGalleryWindow(gallery.release());
}

GalleryWindow *MainWindow::activeGallery() const
{
    QMdiSubWindow *frame = m_mdi->activeSubWindow();
    return frame ? qobject_cast<GalleryWindow *>(frame->widget()) : nullptr;
}

QList<GalleryWindow *> MainWindow::galleries() const
{
    QList<GalleryWindow *> list;
    const auto frames = m_mdi->subWindowList();
    for (QMdiSubWindow *frame : frames)
        if (auto *gallery = qobject_cast<GalleryWindow *>(frame->widget()))
            list << gallery;
    return list;
}

void MainWindow::rememberProject(const QString &path)
{
    m_recent.Add(path);
    m_recent.Save(m_profile);
    fillRecentMenu();
}

void MainWindow::updateTitle()
{
    const GalleryWindow *gallery = activeGallery();
    if (m_windowMenu)
        fillWindowMenu();
    // A maximised child titles the frame itself ("Gallorim - [name]").
    if (m_mdi->activeSubWindow() && m_mdi->activeSubWindow()->isMaximized())
        return;
    setWindowTitle(gallery ? QStringLiteral("%1 - %2").arg(ProgramInfo::MainWindowTitle(), gallery->title())
                           : ProgramInfo::MainWindowTitle());
}

void MainWindow::restorePlacement()
{
    const QString state = m_profile.GetString(kBarStateSection, kBarStateName, QString());
    if (!state.isEmpty())
        restoreState(QByteArray::fromBase64(state.toLatin1()));
    StoredPlacement stored;
    stored.Load(m_profile);
    const QScreen *screen = QGuiApplication::primaryScreen();
    const StartPlacement start = PlacementAtStart(stored, screen ? screen->availableGeometry() : QRect());
    if (!start.normalRect.isNull())
        setGeometry(start.normalRect);
    if (start.maximized)
        showMaximized();
    else
        showNormal();
    m_preview->Show(-1);
}

void MainWindow::savePlacement()
{
    m_profile.WriteString(kBarStateSection, kBarStateName, QString::fromLatin1(saveState().toBase64()));
    const QScreen *screen = QGuiApplication::primaryScreen();
    const bool normal = !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
    PlacementAtClose(normalGeometry(), normal, screen ? screen->geometry().width() : 0).Save(m_profile);
}

bool MainWindow::closeGalleries()
{
    const QList<GalleryWindow *> list = galleries();
    for (GalleryWindow *gallery : list) {
        m_mdi->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(gallery->parentWidget()));
        if (!gallery->maybeSave())
            return false;
    }
    for (GalleryWindow *gallery : list)
        gallery->closeAnswered();
    return true;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    savePlacement();
    if (!closeGalleries()) {
        event->ignore();
        return;
    }
    event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    QStringList paths;
    const auto urls = event->mimeData()->urls();
    for (const QUrl &url : urls)
        if (url.isLocalFile())
            paths << QDir::toNativeSeparators(url.toLocalFile());
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    openDroppedPaths(paths);
}

void MainWindow::openDroppedPaths(const QStringList &paths)
{
    // Projects open in their own windows; pictures and folders join the
    // active gallery, or a new one when there is none.
    QStringList pictures;
    for (const QString &path : paths) {
        if (QFileInfo(path).isFile() && IsProjectPath(path))
            openProject(path);
        else
            pictures << path;
    }
    if (pictures.isEmpty())
        return;
    GalleryWindow *gallery = activeGallery();
    if (!gallery)
        gallery = newGallery();
    if (!gallery->view()->isBusy())
        gallery->view()->addPaths(pictures);
}
