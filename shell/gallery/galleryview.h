#pragma once
// The window of a gallery: one row per image entry, in document order. It
// edits comments in place, runs the list's commands, starts the page and
// slideshow builds behind a wait panel, takes files dropped from the desktop,
// reorders rows dragged inside it and copies rows dragged to another gallery.
// GUI thread only; the document's workers reach it through its sink.

#include "shell/commands/commandtable.h"
#include "shell/gallery/rowmoves.h"

#include <QList>
#include <QPointer>
#include <QTreeView>
#include <vector>

class GalleryDocument;
class GalleryHeader;
class GalleryHistory;
class GalleryModel;
class GallerySink;
class QTimer;
class WaitPanel;
struct GeneralOptions;

class GalleryView : public QTreeView {
    Q_OBJECT
public:
    // Attaches the view's sink to `document`; the destructor detaches it first.
    GalleryView(GalleryDocument &document, GeneralOptions &options, QWidget *parent = nullptr);
    ~GalleryView() override;

    bool isBusy() const;
    bool isAdding() const { return m_adding; }
    int selectedCount() const;
    int rowCount() const;
    bool selectedRowHasThumbnailFile() const;

    // What the enabling rules look at, but for the clipboard.
    CommandContext commandContext() const { return Context(Command::Count); }
    // Whether this view carries `command` out and its enabling rule allows it now.
    bool canRun(Command command) const;
    void runCommand(Command command);
    // Files or folders to add, in order (a drop, the command line).
    void addPaths(const QStringList &paths);
    // 1139 exchange / 1140 insert with 1-based rows; (-1, -1) ends the placement.
    void placementMessage(int message, int a, int b);

    GalleryModel *galleryModel() const { return m_model; }
    GallerySink *sink() const { return m_sink; }
    WaitPanel *waitPanel() const { return m_waitPanel; }
    GalleryDocument &document() const { return m_document; }
    // The gallery's undo history: every edit made here or by the window's dialogs.
    GalleryHistory &history() const { return *m_history; }
    // The number that names this view in the placement pages.
    int placementNumber() const { return m_placementNumber; }
    // Selected rows, ascending.
    std::vector<int> selectedRows() const;
    void selectRows(const std::vector<int> &rows);
    // In-place edit of the comment of `row`; false when it cannot start.
    bool editComment(int row);
    // The private drag format for `rows`: this view, then each row's path,
    // raw comment and option block.
    QMimeData *createRowMimeData(const std::vector<int> &rows) const;

    static QString rowMimeType();

Q_SIGNALS:
    void statusNotification(int code, qintptr value);
    void commandStateChanged();
    void contextMenuRequested(const QPoint &globalPos);
    // A gesture asked for a command that the window carries out (preview,
    // dialogs); sent only when its enabling rule allows it.
    void commandRequested(Command command);
    // The selection moved to a row: the preview may follow it.
    void previewRequested(const QString &path);
    // A thumbnail file was rewritten; a preview showing it reloads.
    void thumbnailFileChanged(const QString &thumbnailPath);
    // The placement pages are written: the window showing `mainPagePath` opens.
    void placementReady(const QString &mainPagePath);
    // "Annuler" in the placement phase: the placement window closes.
    void placementCloseRequested();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;

private:
    // The thumbnail column's texts, with every row announced so far in place.
    std::vector<QString> ThumbnailTexts() const;
    // notifications
    void OnPosted(int code, qintptr value);
    void OnSelectionMoved(int fromRow, int toRow);
    void OnHeaderIcon(int section);
    void ShowSaveError(const QString &message);
    void OnPlacementReady();
    void StartPlacement();
    // commands
    CommandContext Context(Command command) const;
    void RequestOrRun(Command command);
    void DeleteSelection();
    void SelectWhere(bool horizontal);
    void InvertSelection();
    void MoveSelected(bool up);
    void CreateMissingThumbnails();
    void AddFolderDialog();
    void CopySelection();
    void PasteFiles();
    void ApplyMoves(const std::vector<RowMove> &moves);
    // builds
    void Build(bool slideshow, bool askFirst);
    QString AskPagePath(bool slideshow, const QString &current);
    QString DefaultPagePath(bool slideshow) const;
    bool PagePathReachable(const QString &page) const;
    void QueuePendingThumbnails();
    void EnterBusy(int steps, bool thumbnailPhase);
    void LeaveBusy();
    void PlaceWaitPanel();
    // mouse
    QRect IconRect(const QModelIndex &index) const;
    bool IsOnCellIcon(const QModelIndex &index, const QPoint &pos) const;
    QString IconToolTip(int column) const;
    void OnCellIconClicked(const QModelIndex &index);
    // drag and drop
    bool AcceptsDrag(const QMimeData *mime) const;
    int DropIndexFor(const QPoint &pos) const;
    void AutoScroll();
    QPixmap DragPixmap(const std::vector<int> &rows, QPoint *hotSpot) const;
    void DropRows(const QMimeData *mime);
    void SetDropIndex(int index);

    GalleryDocument &m_document;
    GeneralOptions &m_options;
    GalleryModel *m_model;
    GallerySink *m_sink;
    GalleryHistory *m_history;
    GalleryHeader *m_header;
    // A sibling stacked over the list when the view has a parent: an item
    // view shows assistive tools only its cells, never a child widget.
    WaitPanel *m_waitPanel;
    QTimer *m_scrollTimer;
    const quint64 m_viewNumber;
    int m_placementNumber = 0; // names this view in the placement pages

    // Selected rows, counted when first asked after a change (-1): menus ask often.
    mutable int m_selectedCount = -1;
    bool m_adding = false;
    bool m_firstSize = true;
    bool m_dragging = false;
    int m_dropIndex = -1;
    int m_lastDragY = -1;
};
