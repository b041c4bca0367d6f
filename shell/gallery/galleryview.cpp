#include "shell/gallery/galleryview.h"

#include "document/gallerydocument.h"
#include "document/notifycodes.h"
#include "document/thumbnailpath.h"
#include "pagegen/placementbuilder.h"
#include "shell/common/generaloptions.h"
#include "shell/common/viewregistry.h"
#include "shell/gallery/commentdelegate.h"
#include "shell/gallery/fileclipboard.h"
#include "shell/gallery/galleryheader.h"
#include "shell/gallery/gallerymodel.h"
#include "shell/gallery/gallerysink.h"
#include "shell/gallery/waitpanel.h"
#include "shell/undo/galleryhistory.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QTimer>
#include <atomic>

namespace {
constexpr int kInitialWidths[GalleryModel::ColumnCount] = {100, 100, 200, 100, 150};

quint64 NextViewNumber()
{
    static std::atomic<quint64> counter {0};
    return ++counter;
}
} // namespace

GalleryView::GalleryView(GalleryDocument &document, GeneralOptions &options, QWidget *parent)
    : QTreeView(parent)
    , m_document(document)
    , m_options(options)
    , m_model(new GalleryModel(document, this))
    , m_sink(new GallerySink(m_model, this))
    , m_history(new GalleryHistory(document, [this] { return ThumbnailTexts(); }, this))
    , m_header(new GalleryHeader(this))
    , m_waitPanel(new WaitPanel(parent ? parent : this))
    , m_scrollTimer(new QTimer(this))
    , m_viewNumber(NextViewNumber())
{
    setObjectName(QStringLiteral("galleryView"));
    setAccessibleName(QStringLiteral("Liste des images"));
    setHeader(m_header);
    setModel(m_model);
    setItemDelegateForColumn(GalleryModel::CommentColumn, new CommentDelegate(this));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSortingEnabled(false);
    setSelectionMode(ExtendedSelection);
    setSelectionBehavior(SelectRows);
    setEditTriggers(NoEditTriggers);
    setVerticalScrollMode(ScrollPerPixel);
    setMouseTracking(true);
    setDragEnabled(true);
    setAcceptDrops(true);
    setDragDropMode(DragDrop);
    setDropIndicatorShown(false);
    setAutoScroll(false); // rows dragged scroll by the list's own rule
    m_header->setStretchLastSection(false);
    for (int c = 0; c < GalleryModel::ColumnCount; ++c)
        m_header->resizeSection(c, kInitialWidths[c]);
    m_waitPanel->hide();

    connect(m_sink, &GallerySink::posted, this, &GalleryView::OnPosted);
    connect(m_sink, &GallerySink::selectionMoved, this, &GalleryView::OnSelectionMoved);
    connect(m_sink, &GallerySink::invalidated, this, [this] {
        m_model->RefreshDocumentColumns();
        viewport()->update();
    });
    connect(m_sink, &GallerySink::thumbnailFileChanged, this, &GalleryView::thumbnailFileChanged);
    connect(m_sink, &GallerySink::saveFailed, this, &GalleryView::ShowSaveError);
    connect(m_history, &GalleryHistory::changed, this, &GalleryView::commandStateChanged);
    m_model->SetCommentEditor([this](int row, const QString &text) {
        m_history->Record(QStringLiteral("la modification du commentaire"),
                          [&] { m_document.SetComment(row, text); });
    });
    connect(m_header, &GalleryHeader::iconClicked, this, &GalleryView::OnHeaderIcon);
    connect(m_waitPanel, &WaitPanel::cancelRequested, this, [this] {
        if (m_waitPanel->phase() == WaitPanel::Phase::Placement)
            Q_EMIT placementCloseRequested();
        else
            runCommand(Command::StopBuild);
    });
    m_placementNumber = ViewRegistry::Instance().Register(
        this, &m_document, [this](int message, int a, int b) { placementMessage(message, a, b); });
    const auto rowsChanged = [this] {
        m_selectedCount = -1;
        Q_EMIT commandStateChanged();
    };
    connect(m_model, &QAbstractItemModel::rowsInserted, this, rowsChanged);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, rowsChanged);
    m_scrollTimer->setInterval(50);
    connect(m_scrollTimer, &QTimer::timeout, this, &GalleryView::AutoScroll);

    m_document.SetSink(m_sink);
    // Entries the document had before this view: their rows come from a copy;
    // an insert of one of them that still reaches the sink is recognised there.
    std::vector<GalleryModel::RowTexts> rows;
    {
        std::lock_guard lock(m_document.ListLock());
        for (const ImageEntry &e : m_document.CopyEntries()) {
            const QString state = e.ThumbnailDimensions.isEmpty()
                ? QString()
                : JoinDimensionsAndSize(e.ThumbnailDimensions, e.ThumbnailSizeText);
            rows.push_back({e.Path, JoinDimensionsAndSize(e.ImageDimensions, e.ImageSizeText), state});
        }
    }
    m_model->InsertRows(0, std::move(rows));
}

GalleryView::~GalleryView()
{
    if (m_waitPanel->parentWidget() != this)
        m_waitPanel->setParent(this); // goes with the view
    ViewRegistry::Instance().Unregister(m_placementNumber);
    m_document.SetSink(nullptr);
    m_sink->Detach();
}

std::vector<QString> GalleryView::ThumbnailTexts() const
{
    m_sink->ApplyQueuedRows();
    std::vector<QString> texts;
    texts.reserve(std::size_t(rowCount()));
    for (int row = 0; row < rowCount(); ++row)
        texts.push_back(m_model->ThumbnailText(row));
    return texts;
}

bool GalleryView::isBusy() const
{
    return !m_waitPanel->isHidden();
}

int GalleryView::selectedCount() const
{
    if (m_selectedCount < 0)
        m_selectedCount = int(selectionModel()->selectedRows().size());
    return m_selectedCount;
}

int GalleryView::rowCount() const
{
    return m_model->rowCount();
}

bool GalleryView::selectedRowHasThumbnailFile() const
{
    if (selectedCount() != 1)
        return false;
    const std::vector<int> rows = selectedRows();
    return rows.size() == 1 && m_model->HasThumbnailFile(rows.front());
}

std::vector<int> GalleryView::selectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void GalleryView::selectRows(const std::vector<int> &rows)
{
    QItemSelection selection;
    for (int row : rows) {
        if (row >= 0 && row < m_model->rowCount())
            selection.select(m_model->index(row, 0), m_model->index(row, GalleryModel::ColumnCount - 1));
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    if (!rows.empty())
        selectionModel()->setCurrentIndex(m_model->index(rows.front(), 0), QItemSelectionModel::NoUpdate);
}

// --- notifications from the document --------------------------------------

void GalleryView::OnPosted(int code, qintptr value)
{
    if (code >= NOTIFY_ERROR && code <= NOTIFY_THUMBNAIL_BYTES)
        Q_EMIT statusNotification(code, value);
    switch (code) {
    case NOTIFY_ADDING:
        if (value == 0)
            m_history->EndAdd();
        if (m_adding != (value != 0)) {
            m_adding = value != 0;
            Q_EMIT commandStateChanged();
        }
        break;
    case NOTIFY_THUMBNAILS:
        // A 0 may be older than the jobs queued for this build: the build
        // starts only once none is left.
        if (value == 0 && isBusy() && m_waitPanel->phase() == WaitPanel::Phase::Thumbnails
            && m_document.GetPendingThumbnailCount() == 0) {
            m_waitPanel->setPhase(WaitPanel::Phase::Pages);
            m_waitPanel->resetProgress(rowCount());
            m_document.SignalStartBuild();
        }
        break;
    case NOTIFY_BUSY:
        // The placement builder ends right after its pages are written; the
        // phase lasts until its window goes.
        if (value == 0 && isBusy() && m_waitPanel->phase() != WaitPanel::Phase::Placement)
            LeaveBusy();
        break;
    case NOTIFY_PLACEMENT_READY:
        OnPlacementReady();
        break;
    case NOTIFY_THUMBNAIL_DONE:
    case NOTIFY_PROGRESS:
        if (isBusy())
            m_waitPanel->stepProgress();
        break;
    default:
        break;
    }
}

void GalleryView::OnPlacementReady()
{
    if (!isBusy() || rowCount() == 0)
        return;
    Q_EMIT statusNotification(NOTIFY_BUSY, 0);
    m_waitPanel->setPhase(WaitPanel::Phase::Placement);
    m_waitPanel->update();
    Q_EMIT placementReady(PlacementPagesFor(m_document.GetPath(0)).main);
}

void GalleryView::OnSelectionMoved(int fromRow, int toRow)
{
    const QModelIndex from = m_model->index(fromRow, 0);
    const QModelIndex to = m_model->index(toRow, 0);
    if (!from.isValid() || !to.isValid())
        return;
    const QItemSelection row(to, m_model->index(toRow, GalleryModel::ColumnCount - 1));
    const bool selected = selectionModel()->isRowSelected(fromRow, {});
    selectionModel()->select(row, selected ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
    if (currentIndex().row() == fromRow)
        selectionModel()->setCurrentIndex(to, QItemSelectionModel::NoUpdate);
}

void GalleryView::OnHeaderIcon(int section)
{
    if (section == GalleryModel::CommentColumn && rowCount() > 0)
        RequestOrRun(Command::GeneralCommentAssistant);
    else if (section == GalleryModel::OptionsColumn)
        RequestOrRun(Command::DocumentOptions);
}

void GalleryView::ShowSaveError(const QString &message)
{
    m_history->SaveFailed();
    // Not modal in the nested sense: the sink's flush must not wait on it.
    auto *box
        = new QMessageBox(QMessageBox::Critical, QStringLiteral("Gallorim"), message, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void GalleryView::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    QTreeView::selectionChanged(selected, deselected);
    m_selectedCount = -1;
    Q_EMIT commandStateChanged();
    if (selected.isEmpty() || m_options.PreviewWithSelection == 2)
        return;
    const QString path = m_model->Path(selected.indexes().front().row());
    if (m_options.PreviewWithSelection == 1) {
        Q_EMIT previewRequested(path);
    } else {
        const BuildVignetteOptions thumbs = m_document.GetOptions().BuildVignette;
        Q_EMIT previewRequested(ThumbnailPath(path, thumbs.PreSuffixe, thumbs.WithPrefixe));
    }
}

// --- busy state ---------------------------------------------------------------

void GalleryView::EnterBusy(int steps, bool thumbnailPhase)
{
    setAcceptDrops(false);
    m_waitPanel->setPhase(thumbnailPhase ? WaitPanel::Phase::Thumbnails : WaitPanel::Phase::Pages);
    m_waitPanel->resetProgress(steps);
    PlaceWaitPanel();
    m_waitPanel->show();
    m_waitPanel->raise();
    m_header->hide();
    // Keyboard and screen-reader users land on what they can do now.
    if (hasFocus() || isAncestorOf(QApplication::focusWidget()))
        m_waitPanel->cancelButton()->setFocus();
    Q_EMIT commandStateChanged();
}

void GalleryView::LeaveBusy()
{
    const bool hadFocus = m_waitPanel->isAncestorOf(QApplication::focusWidget());
    m_waitPanel->hide();
    if (hadFocus)
        setFocus();
    m_header->show();
    setAcceptDrops(true);
    viewport()->update();
    Q_EMIT commandStateChanged();
}

void GalleryView::PlaceWaitPanel()
{
    m_waitPanel->setGeometry(m_waitPanel->parentWidget() == this ? rect() : geometry());
}

void GalleryView::moveEvent(QMoveEvent *event)
{
    QTreeView::moveEvent(event);
    PlaceWaitPanel();
}

void GalleryView::resizeEvent(QResizeEvent *event)
{
    QTreeView::resizeEvent(event);
    PlaceWaitPanel();
    const int client = viewport()->width();
    if (!m_firstSize || client <= 5)
        return;
    m_firstSize = false;
    const int w = client / 5;
    const int narrow = std::min(w, 100);
    const int options = std::min(w, 150);
    m_header->resizeSection(GalleryModel::FileColumn, narrow);
    m_header->resizeSection(GalleryModel::SizeColumn, narrow);
    m_header->resizeSection(GalleryModel::ThumbnailColumn, narrow);
    m_header->resizeSection(GalleryModel::OptionsColumn, options);
    m_header->resizeSection(GalleryModel::CommentColumn, client - 3 * narrow - options);
}
