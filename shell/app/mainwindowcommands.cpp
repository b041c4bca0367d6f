// The main window's commands: actions, menus and tool bar made from the
// command table, their enabled states, and the handlers of the frame and the
// application.
#include "shell/app/mainwindow.h"

#include "platform/profile.h"
#include "shell/app/aboutdialog.h"
#include "shell/common/generaloptions.h"
#include "shell/common/helppages.h"
#include "shell/common/linkopening.h"
#include "shell/common/programinfo.h"
#include "shell/gallery/galleryview.h"
#include "shell/gallery/gallerywindow.h"
#include "shell/options/programoptionsdialog.h"
#include "shell/preview/previewoptionspage.h"
#include "shell/preview/previewwindow.h"
#include "shell/undo/galleryhistory.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QStatusBar>
#include <QToolBar>

namespace {
// The menu text without its shortcut part, for accessible names.
QString PlainText(const QString &menuText)
{
    QString text = menuText.section(QLatin1Char('\t'), 0, 0);
    return text.remove(QLatin1Char('&'));
}
} // namespace

void MainWindow::createActions()
{
    for (const CommandInfo &info : AllCommands()) {
        auto *action = new QAction(CommandIcon(info.id), info.menuText, this);
        action->setStatusTip(info.prompt);
        action->setToolTip(info.toolTip.isEmpty() ? PlainText(info.menuText) : info.toolTip);
        // A tool button speaks its text: without the shortcut after the tab.
        action->setIconText(PlainText(info.menuText));
        action->setShortcuts(info.shortcuts);
        action->setCheckable(info.checkable);
        action->setObjectName(QStringLiteral("command%1").arg(int(info.id)));
        // Accelerators work in every child of the frame, menus shown or not.
        addAction(action);
        const Command id = info.id;
        connect(action, &QAction::triggered, this, [this, id] { runCommand(id); });
        m_actions[size_t(id)] = action;
    }
    // The same command under its other name in the "Options" menu.
    const CommandInfo &options = CommandInfoFor(Command::DocumentOptions);
    m_documentOptionsInOptionsMenu = new QAction(CommandIcon(Command::DocumentOptions), QStringLiteral("Options du &document"), this);
    m_documentOptionsInOptionsMenu->setStatusTip(options.prompt);
    connect(m_documentOptionsInOptionsMenu, &QAction::triggered, this, [this] { runCommand(Command::DocumentOptions); });
}

void MainWindow::createToolBar()
{
    m_toolBar = new QToolBar(QStringLiteral("Barre d'outils"), this);
    m_toolBar->setObjectName(QStringLiteral("toolBar128"));
    m_toolBar->setAccessibleName(QStringLiteral("Barre d'outils"));
    if (auto *more = m_toolBar->findChild<QWidget *>(QStringLiteral("qt_toolbar_ext_button")))
        more->setAccessibleName(QStringLiteral("Autres boutons"));
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_toolBar->setIconSize(QSize(16, 16));
    using C = Command;
    const std::initializer_list<std::initializer_list<Command>> groups = {
        {C::New, C::Open, C::Save},
        {C::Print},
        {C::AddImages, C::AddFolder},
        {C::Undo, C::Redo},
        {C::Delete, C::Copy, C::Paste},
        {C::ShowImage, C::ShowThumbnail, C::MoveUp, C::MoveDown, C::VisualPlacement, C::BuildPage, C::BuildSlideshow},
        {C::DocumentOptions}};
    bool first = true;
    for (const auto &group : groups) {
        if (!first)
            m_toolBar->addSeparator();
        first = false;
        for (Command c : group)
            m_toolBar->addAction(action(c));
    }
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    connect(m_toolBar, &QToolBar::visibilityChanged, this, &MainWindow::updateCommands);
}

void MainWindow::createMenus()
{
    using C = Command;
    auto menu = [this](const QString &title, std::initializer_list<Command> commands) {
        auto *m = new QMenu(title, this);
        for (Command c : commands) {
            if (c == C::Count)
                m->addSeparator();
            else
                m->addAction(action(c));
        }
        return m;
    };
    const C sep = C::Count;
    auto recent = [this](QMenu *file, QAction *before) {
        QMenu *r = new QMenu(QStringLiteral("Fichier récent"), this);
        file->insertMenu(before, r);
        file->insertSeparator(before);
        m_recentMenus << r;
    };
    // Without a gallery.
    QMenu *file = menu(QStringLiteral("&Fichier"), {C::New, C::Open, sep, C::PrintSetup, sep, C::Exit});
    recent(file, action(C::Exit));
    m_frameMenus = {file, menu(QStringLiteral("&Options"), {C::ProgramOptions}),
                    menu(QStringLiteral("&Affichage"), {C::ToggleToolBar, C::ToggleStatusBar, C::TogglePreview}),
                    menu(QStringLiteral("&?"), {C::HelpTopics, C::ContextHelp, sep, C::About})};
    // With one.
    file = menu(QStringLiteral("&Fichier"), {C::New, C::Open, C::Close, C::Save, C::SaveAs, sep, C::Print,
                                            C::PrintPreview, C::PrintSetup, sep, C::Exit});
    recent(file, action(C::Exit));
    QMenu *document = menu(QStringLiteral("&Document"), {C::AddImages, C::AddFolder, C::GeneralCommentAssistant,
                                                         C::CreateMissingThumbnails, sep, C::VisualPlacement, sep,
                                                         C::BuildPage, C::BuildPageAs, C::BuildSlideshow,
                                                         C::BuildSlideshowAs, sep});
    document->addMenu(menu(QStringLiteral("Selection"),
                           {C::SelectAll, C::InvertSelection, C::SelectHorizontal, C::SelectVertical}));
    document->addMenu(menu(QStringLiteral("Tri"),
                           {C::SortNameAscending, C::SortNameDescending, C::SortSizeAscending, C::SortSizeDescending,
                            C::SortDimensionAscending, C::SortDimensionDescending, C::SortDateAscending,
                            C::SortDateDescending}));
    document->addSeparator();
    document->addAction(action(C::DocumentOptions));
    QMenu *options = menu(QStringLiteral("&Options"), {C::ProgramOptions});
    options->addAction(m_documentOptionsInOptionsMenu);
    m_windowMenu = new QMenu(QStringLiteral("Fe&nêtre"), this);
    connect(m_windowMenu, &QMenu::aboutToShow, this, &MainWindow::fillWindowMenu);
    m_documentMenus = {
        file,
        menu(QStringLiteral("&Edition"), {C::Undo, C::Redo, sep, C::Copy, C::Paste, C::Delete, C::SelectAll}),
        document,
        menu(QStringLiteral("&Images"), {C::ShowImage, C::ShowThumbnail, sep, C::EditComment, C::CommentAssistant,
                                         sep, C::MoveUp, C::MoveDown, sep, C::Delete, sep, C::RecreateThumbnails,
                                         C::SpecificThumbnails, sep, C::SpecificOptions}),
        options,
        menu(QStringLiteral("&Affichage"), {C::ToggleToolBar, C::ToggleStatusBar, C::TogglePreview, sep,
                                            C::ShowImage, C::ShowThumbnail}),
        m_windowMenu,
        menu(QStringLiteral("&?"), {C::HelpTopics, C::ContextHelp, sep, C::About})};
    for (QMenu *m : m_frameMenus + m_documentMenus) {
        m->setAccessibleName(PlainText(m->title()));
        m->setToolTipsVisible(false);
        connect(m, &QMenu::aboutToShow, this, &MainWindow::updateCommands);
    }
    fillRecentMenu();
    m_showingDocumentMenus = true;
    showMenus(false);
}

void MainWindow::showMenus(bool documentMenus)
{
    if (documentMenus == m_showingDocumentMenus)
        return;
    m_showingDocumentMenus = documentMenus;
    menuBar()->clear();
    for (QMenu *m : documentMenus ? m_documentMenus : m_frameMenus)
        menuBar()->addMenu(m);
}

void MainWindow::fillRecentMenu()
{
    for (QMenu *menu : std::as_const(m_recentMenus)) {
        menu->clear();
        for (int i = 0; i < m_recent.Files().size(); ++i) {
            const QString path = m_recent.Files()[i];
            QAction *item = menu->addAction(m_recent.MenuText(i));
            item->setStatusTip(QStringLiteral("Ouvre ce document"));
            connect(item, &QAction::triggered, this, [this, path] { openProject(path); });
        }
        menu->setEnabled(!m_recent.Files().isEmpty());
    }
}

void MainWindow::fillWindowMenu()
{
    m_windowMenu->clear();
    m_windowMenu->addAction(action(Command::Cascade));
    m_windowMenu->addAction(action(Command::Tile));
    m_windowMenu->addAction(action(Command::ArrangeIcons));
    const auto frames = m_mdi->subWindowList();
    if (!frames.isEmpty())
        m_windowMenu->addSeparator();
    for (int i = 0; i < frames.size(); ++i) {
        QMdiSubWindow *frame = frames[i];
        QAction *item = m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(frame->windowTitle()));
        item->setCheckable(true);
        item->setChecked(frame == m_mdi->activeSubWindow());
        connect(item, &QAction::triggered, this, [this, frame] { m_mdi->setActiveSubWindow(frame); });
    }
}

bool MainWindow::handled(Command command) const
{
    switch (CommandInfoFor(command).target) {
    case CommandTarget::View:
    case CommandTarget::Document:
        return activeGallery() && activeGallery()->canRun(command);
    default:
        return true;
    }
}

void MainWindow::updateCommands()
{
    const GalleryWindow *gallery = activeGallery();
    CommandContext context = gallery ? gallery->commandContext() : CommandContext{};
    context.documentOpen = !m_mdi->subWindowList().isEmpty();
    context.directoryOpen = m_options.DirectoryOpen != 0;
    context.clipboardHasFiles = m_clipboardHasFiles;
    for (const CommandInfo &info : AllCommands()) {
        const bool own = info.id == Command::Save || info.id == Command::SaveAs;
        action(info.id)->setEnabled(IsCommandEnabled(info.id, context) && (own || handled(info.id)));
    }
    m_documentOptionsInOptionsMenu->setEnabled(action(Command::DocumentOptions)->isEnabled());
    const GalleryHistory *history = gallery ? &gallery->view()->history() : nullptr;
    for (const auto &[id, step] : {std::pair {Command::Undo, history ? history->UndoName() : QString()},
                                   std::pair {Command::Redo, history ? history->RedoName() : QString()}}) {
        action(id)->setText(StepMenuText(id, step));
        action(id)->setToolTip(PlainText(StepMenuText(id, step)));
    }
    action(Command::ToggleToolBar)->setChecked(m_toolBar->isVisible());
    action(Command::ToggleStatusBar)->setChecked(statusBar()->isVisible());
    action(Command::TogglePreview)->setChecked(m_preview->isVisible());
    showMenus(context.documentOpen);
}

void MainWindow::runCommand(Command command)
{
    switch (CommandInfoFor(command).target) {
    case CommandTarget::View:
    case CommandTarget::Document:
        if (GalleryWindow *gallery = activeGallery())
            gallery->runCommand(command);
        break;
    default:
        runFrameCommand(command);
        break;
    }
    updateCommands();
}

void MainWindow::runFrameCommand(Command command)
{
    switch (command) {
    case Command::New:
        newGallery();
        break;
    case Command::Open: {
        const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Ouvrir"), QString(),
                                                          QStringLiteral("Fichiers Gallorim (*.glr)"));
        if (!path.isEmpty())
            openProject(path);
        break;
    }
    case Command::Close:
        if (QMdiSubWindow *frame = m_mdi->activeSubWindow())
            frame->close();
        break;
    case Command::Save:
    case Command::SaveAs:
        if (GalleryWindow *gallery = activeGallery())
            gallery->runCommand(command);
        break;
    case Command::PrintSetup:
        showPrintSetup();
        break;
    case Command::Exit:
        close();
        break;
    case Command::ProgramOptions:
        showProgramOptions();
        break;
    case Command::ToggleToolBar:
        m_toolBar->setVisible(!m_toolBar->isVisible());
        break;
    case Command::ToggleStatusBar:
        statusBar()->setVisible(!statusBar()->isVisible());
        break;
    case Command::TogglePreview:
        m_preview->Show(m_preview->isVisible() ? 0 : 1);
        break;
    case Command::Cascade:
        m_mdi->cascadeSubWindows();
        break;
    case Command::Tile:
        m_mdi->tileSubWindows();
        break;
    case Command::ArrangeIcons:
        for (QMdiSubWindow *frame : m_mdi->subWindowList())
            if (frame->isMinimized())
                frame->showMinimized(); // lays the icons out again
        break;
    case Command::NextPane:
        m_mdi->activateNextSubWindow();
        break;
    case Command::PreviousPane:
        m_mdi->activatePreviousSubWindow();
        break;
    case Command::HelpTopics:
        openHelpPage(QStringLiteral("index.html"));
        break;
    case Command::ContextHelp:
        openHelpPage(QStringLiteral("aide-contextuelle.html"));
        break;
    case Command::About: {
        // Not exec(): an assistive tool's press must get its answer while the box is up.
        auto *about = new AboutDialog(this);
        about->setAttribute(Qt::WA_DeleteOnClose);
        about->open();
        break;
    }
    default:
        break;
    }
}

void MainWindow::openHelpPage(const QString &name)
{
    const QString page = HelpPagePath(name);
    if (page.isEmpty()) {
        QApplication::beep();
        QMessageBox::warning(this, ProgramInfo::ApplicationTitle(),
                             QStringLiteral("Les pages d'aide sont introuvables (%1).").arg(name));
        return;
    }
    OpenLinkOrComplain(page, this);
}

void MainWindow::showProgramOptions()
{
    auto *dialog = new ProgramOptionsDialog(m_options, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // The preview page applies each change at once; Annuler undoes them.
    auto *previewPage = m_preview->createOptionsPage(dialog);
    dialog->pages()->addTab(previewPage, QStringLiteral("Prévisualisation"));
    connect(dialog, &QDialog::finished, this, [this, dialog, previewPage](int result) {
        if (result != QDialog::Accepted) {
            if (auto *page = qobject_cast<PreviewOptionsPage *>(previewPage))
                page->Revert();
            return;
        }
        m_options = dialog->options();
        m_options.SaveToRegistry(m_profile);
        for (GalleryWindow *gallery : galleries())
            gallery->generalOptionsChanged();
    });
    dialog->open();
}

void MainWindow::showPrintSetup()
{
    auto *dialog = new QPageSetupDialog(m_printer.get(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}
