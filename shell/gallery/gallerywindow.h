#pragma once
// shell/gallery: one gallery window: its list (model, view, header, comment
// editor, drag and drop, clipboard), its document setup and sink, and its
// wait panel. It serves as the entry point to the per-gallery features, so
// it uses gallerystatus/, options/, preview/, placementhost/, print/ and
// undo/ (never the reverse), plus commands/, common/ and widgets/.
//
// One open gallery: the document with its workers, its list view and its
// status bar, shown as a child window of the main window. It answers the
// gallery's commands and asks to save the gallery before it closes.

#include "shell/commands/commandtable.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class GalleryDocument;
class GalleryStatusBar;
class GalleryView;
class PlacementWindow;
class PreviewWindow;
class Profile;
class QPrinter;
struct GeneralOptions;

class GalleryWindow : public QWidget {
    Q_OBJECT
public:
    // `untitledNumber` names a gallery that has no file yet ("GLR 1").
    GalleryWindow(Profile &profile, GeneralOptions &options, int untitledNumber, QWidget *parent = nullptr);
    ~GalleryWindow() override;

    GalleryDocument &document() { return *m_document; }
    GalleryView *view() const { return m_view.get(); }
    GalleryStatusBar *galleryStatusBar() const { return m_statusBar.get(); }

    // The file name of the project, or "GLR n" while it has none.
    QString title() const;
    QString projectPath() const;

    // Loads a project into this (new) gallery; false, with the message shown,
    // when the file is not a project.
    bool openProject(const QString &path);
    // Loads a recovery copy into this (new) gallery, attached to `projectPath`
    // (empty: untitled) and modified, so "Enregistrer" writes the project.
    bool openRecovered(const QString &copyPath, const QString &projectPath);
    // "Enregistrer": the project's own path, or "Enregistrer sous" when it has none.
    bool save();
    bool saveAs();
    // Writes at once (not through the save worker) so the file is complete
    // before the window goes; false, with the message shown, on failure.
    bool saveNow(const QString &path);
    // The "save changes?" question; true when the window may close.
    bool maybeSave();
    // Closes without asking again (the question was already answered).
    void closeAnswered();

    CommandContext commandContext() const;
    bool canRun(Command command) const;
    void runCommand(Command command);
    // The program's options changed: the document follows them.
    void generalOptionsChanged();
    // The program's printer (its page set-up is kept for the run).
    void setPrinter(QPrinter *printer) { m_printer = printer; }
    // The program's floating preview, which the image commands show.
    void setPreviewWindow(PreviewWindow *preview) { m_preview = preview; }

Q_SIGNALS:
    void titleChanged();
    void commandStateChanged();
    void projectSaved(const QString &path);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QString askProjectPath();
    // Commands this window carries out itself rather than its list: one row
    // each, read both to enable them and to run them.
    struct OwnCommand;
    static const OwnCommand *FindOwnCommand(Command command);
    bool runsHere(Command command) const;
    void runSaveCommand(Command command);
    void runPrintCommand(Command command);
    void runDialogCommand(Command command);
    void runSpecificThumbnails(Command command);
    void runPreviewCommand(Command command);
    void showPreview(bool thumbnail);
    void openPlacementWindow(const QString &mainPagePath);
    void closePlacementWindow();
    void setProjectPath(const QString &path);

    Profile &m_profile;
    GeneralOptions &m_options;
    int m_untitledNumber;
    bool m_closeAnswered = false;
    QPrinter *m_printer = nullptr;
    PreviewWindow *m_preview = nullptr;
    QPointer<PlacementWindow> m_placement;
    // Declared in this order so the view (and its sink) goes before the document.
    std::unique_ptr<GalleryDocument> m_document;
    std::unique_ptr<GalleryStatusBar> m_statusBar;
    std::unique_ptr<GalleryView> m_view;
};
