#pragma once
// shell/app: the program itself. Start-up (application object, splash, Qt's
// French catalogue), the main window with its menus and tool bar, the main
// window's own commands, window placement, recent files and the about box.
// It may use every other folder of shell/; nothing includes it.
//
// The main window: the galleries as child windows, the menus, tool bar and
// accelerators built from the command table, the status bar with its prompt
// and lock panes, dropped files, and the window placement kept between runs.

#include "document/recoverystore.h"
#include "shell/app/recentfiles.h"
#include "shell/commands/commandtable.h"

#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>

class GalleryWindow;
class LockIndicators;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class PreviewWindow;
class QPrinter;
class QToolBar;
class Profile;
struct GeneralOptions;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(Profile &profile, GeneralOptions &options, QWidget *parent = nullptr);
    ~MainWindow() override;

    // "Nouveau": an untitled gallery, shown at once.
    GalleryWindow *newGallery();
    // Opens a project, or brings forward the window that already shows it;
    // nullptr (with the message shown) when it is not a project.
    GalleryWindow *openProject(const QString &path);
    GalleryWindow *activeGallery() const;
    QList<GalleryWindow *> galleries() const;

    QAction *action(Command command) const { return m_actions[size_t(command)]; }
    QToolBar *toolBar() const { return m_toolBar; }
    PreviewWindow *previewWindow() const { return m_preview.get(); }
    const RecentFileList &recentFiles() const { return m_recent; }

    // Every gallery opened from now on keeps a recovery copy this way.
    void setRecovery(RecoverySettings settings) { m_recovery = std::move(settings); }
    // Offers the copies that no running instance keeps, and returns once the
    // user has dealt with them (nothing is shown when there are none).
    void offerRecovery();
    // A gallery with the copy's content, modified and attached to the
    // copy's project; the copy becomes the gallery's own.
    GalleryWindow *openRecoveredCopy(const RecoveryCopy &copy);

    // Places the window as it was when the program last closed, and shows it.
    void restorePlacement();
    // Runs a command of the table as its menu item would.
    void runCommand(Command command);

public Q_SLOTS:
    void updateCommands();

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void createActions();
    void createMenus();
    void showMenus(bool documentMenus);
    void createToolBar();
    void createStatusBar();
    void fillRecentMenu();
    void fillWindowMenu();
    void updateTitle();
    void rememberProject(const QString &path);
    GalleryWindow *addGalleryWindow(GalleryWindow *gallery, const RecoveryCopy *adopted = nullptr);
    GalleryWindow *findGallery(const QString &projectPath) const;
    bool closeGalleries();
    void savePlacement();
    void runFrameCommand(Command command);
    void openDroppedPaths(const QStringList &paths);
    void openHelpPage(const QString &name);
    void showProgramOptions();
    void showPrintSetup();
    bool handled(Command command) const;

    Profile &m_profile;
    GeneralOptions &m_options;
    QMdiArea *m_mdi = nullptr;
    QToolBar *m_toolBar = nullptr;
    QLabel *m_idleText = nullptr;
    LockIndicators *m_locks = nullptr;
    std::array<QAction *, size_t(Command::Count)> m_actions{};
    QAction *m_documentOptionsInOptionsMenu = nullptr;
    QList<QMenu *> m_frameMenus;    // no gallery open
    QList<QMenu *> m_documentMenus; // a gallery open
    QList<QMenu *> m_recentMenus;
    QMenu *m_windowMenu = nullptr;
    bool m_showingDocumentMenus = true;
    RecentFileList m_recent;
    int m_untitledCount = 0;
    bool m_clipboardHasFiles = false; // read when the clipboard changes, not at every update
    std::unique_ptr<QPrinter> m_printer; // the page set-up kept for the run
    std::unique_ptr<PreviewWindow> m_preview;
    std::optional<RecoverySettings> m_recovery;
};
