#pragma once
// shell/preview: the preview window: its canvas, loader thread, decoder, GIF
// timing, status bar, icons and options page. It uses common/ and widgets/
// only.
//
// The floating preview window "Prévisualisation": one picture or thumbnail
// on demand, fitted or zoomed, with its tool bar, context menu and status
// bar. Created hidden by the main window, placed by Show(-1); its options and
// placement live in the settings section WindowState/Preview.
//
// RequestPreview may be called from any thread; everything else belongs to
// the GUI thread.

#include "shell/preview/previewoptions.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class Profile;
class PreviewCanvas;
class PreviewLoader;
class PreviewStatusBar;
class PreviewOptionsPage;
class QAction;
class QDialog;
class QGridLayout;
class QMenu;
class QToolBar;

class PreviewWindow : public QWidget {
    Q_OBJECT
public:
    PreviewWindow(Profile &profile, QWidget *owner);
    // Stores the options and placement.
    ~PreviewWindow() override;

    // -1: place at the saved rectangle (or the right third of the screen)
    // and show only if it was shown when last stored; 0: hide and release
    // the picture; any other value: show.
    void Show(int mode);
    // "?" empties the window; so does any request while it is hidden.
    void RequestPreview(const QString &path);
    // A file was rewritten on disk (a new thumbnail): shown, it is read again.
    void FileRewritten(const QString &path);
    // The user's choice (what "Aperçu" ticks), kept while the owner is minimised.
    bool isShownByUser() const { return m_options.Visible != 0; }
    // The "Prévisualisation" options page bound to this window: each change
    // applies and is stored at once; PreviewOptionsPage::Revert undoes them.
    QWidget *createOptionsPage(QWidget *parent);
    // "Options de la fenêtre de prévisualisation", the tool bar's "Options".
    void OpenOptionsDialog();

    // Setters of the options page.
    const PreviewOptions &options() const { return m_options; }
    void SetAutoBackground(bool automatic);
    void SetBackgroundColor(COLORREF color);
    void SetStatusBarVisible(bool visible);
    void SetToolBarVisible(bool visible);
    void SetToolBarSide(int toolBarPos);
    void SetAnimation(bool animate);

    PreviewCanvas *canvas() const { return m_canvas; }
    PreviewStatusBar *previewStatusBar() const { return m_statusBar; }
    PreviewLoader *loader() const { return m_loader.get(); }
    QToolBar *toolBar() const { return m_toolBar; }
    QMenu *contextMenu() const { return m_menu; }
    QDialog *optionsDialog() const;

Q_SIGNALS:
    void visibilityChanged(bool visible);

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateActions();
    void ConnectLoader();
    void PlaceToolBar();
    void ApplyBackground();
    void UpdateActions();
    void StoreOptions();

    Profile &m_profile;
    PreviewOptions m_options;
    bool m_placed = false;
    std::unique_ptr<PreviewLoader> m_loader;
    PreviewCanvas *m_canvas = nullptr;
    PreviewStatusBar *m_statusBar = nullptr;
    QToolBar *m_toolBar = nullptr;
    QGridLayout *m_grid = nullptr;
    QMenu *m_menu = nullptr;
    QAction *m_fitAction = nullptr;
    QAction *m_panAction = nullptr;
    QAction *m_zoomAction = nullptr;
    QAction *m_optionsAction = nullptr;
    QPointer<QDialog> m_optionsDialog;
    QString m_shownPath; // the file on show, "" when empty
};
