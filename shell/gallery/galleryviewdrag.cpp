// Drag and drop on the list: files from the desktop, rows moved inside the
// list, rows copied into another gallery.
#include "shell/gallery/galleryview.h"

#include "document/gallerydocument.h"
#include "document/workitems.h"
#include "shell/gallery/fileclipboard.h"
#include "shell/gallery/gallerymodel.h"
#include "shell/undo/galleryhistory.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <mutex>

namespace {
struct DraggedRows {
    qint64 process = 0;
    quint64 view = 0;
    std::vector<int> rows;
    std::vector<AddRequest> requests;
};

QDataStream &operator<<(QDataStream &out, const ImageOptionBlock &b)
{
    return out << quint32(b.Flags) << qint32(b.ToolTipType) << qint32(b.LinkType) << qint32(b.PopupWidth)
               << qint32(b.PopupHeight) << qint32(b.PopupAutoSize) << qint32(b.AdaptImageSize)
               << qint32(b.AllowFullSize) << qint32(b.BorderSize) << quint32(b.BorderColor)
               << quint32(b.PopupBgColor) << qint32(b.NoTooltipInPopups) << qint32(b.CommentUnderImage);
}

QDataStream &operator>>(QDataStream &in, ImageOptionBlock &b)
{
    quint32 flags, borderColor, background;
    qint32 v[10];
    in >> flags >> v[0] >> v[1] >> v[2] >> v[3] >> v[4] >> v[5] >> v[6] >> v[7] >> borderColor >> background
        >> v[8] >> v[9];
    b.Flags = flags;
    b.ToolTipType = v[0];
    b.LinkType = v[1];
    b.PopupWidth = v[2];
    b.PopupHeight = v[3];
    b.PopupAutoSize = v[4];
    b.AdaptImageSize = v[5];
    b.AllowFullSize = v[6];
    b.BorderSize = v[7];
    b.BorderColor = borderColor;
    b.PopupBgColor = background;
    b.NoTooltipInPopups = v[8];
    b.CommentUnderImage = v[9];
    return in;
}

// Rows of the private format; false when the data is damaged.
bool ReadDraggedRows(const QMimeData *mime, const QString &type, DraggedRows *rows)
{
    if (!mime || !mime->hasFormat(type))
        return false;
    QDataStream in(mime->data(type));
    quint32 count = 0;
    in >> rows->process >> rows->view >> count;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        qint32 row = 0;
        AddRequest request;
        in >> row >> request.Entry.Path >> request.Entry.Comment >> request.Entry.Options;
        rows->rows.push_back(row);
        rows->requests.push_back(std::move(request));
    }
    return in.status() == QDataStream::Ok;
}
} // namespace

QString GalleryView::rowMimeType()
{
    return QStringLiteral("application/x-gallorim-rows");
}

QMimeData *GalleryView::createRowMimeData(const std::vector<int> &rows) const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << qint64(QCoreApplication::applicationPid()) << m_viewNumber << quint32(rows.size());
    for (int row : rows) {
        ImageOptionBlock block;
        m_document.GetOptionBlock(row, block);
        out << qint32(row) << m_model->Path(row) << m_document.GetComment(row) << block;
    }
    auto *mime = new QMimeData;
    mime->setData(rowMimeType(), bytes);
    return mime;
}

QPixmap GalleryView::DragPixmap(const std::vector<int> &rows, QPoint *hotSpot) const
{
    // The file cells of the dragged rows that are in sight, as they are drawn.
    QRect area;
    for (int row : rows) {
        const QRect cell = visualRect(m_model->index(row, GalleryModel::FileColumn));
        if (cell.isValid() && cell.intersects(viewport()->rect()))
            area |= cell;
    }
    if (area.isEmpty())
        return {};
    QPixmap pixmap(area.size() * devicePixelRatioF());
    pixmap.setDevicePixelRatio(devicePixelRatioF());
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(palette().color(QPalette::Text));
    for (int row : rows) {
        const QModelIndex index = m_model->index(row, GalleryModel::FileColumn);
        const QRect cell = visualRect(index);
        if (!cell.isValid() || !cell.intersects(viewport()->rect()))
            continue;
        const QRect target = cell.translated(-area.topLeft());
        const QIcon icon = index.data(Qt::DecorationRole).value<QIcon>();
        const int side = std::min(16, target.height());
        icon.paint(
            &painter, QRect(target.left() + 2, target.top() + (target.height() - side) / 2, side, side));
        painter.drawText(target.adjusted(side + 6, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
            index.data(Qt::DisplayRole).toString());
    }
    *hotSpot = viewport()->mapFromGlobal(QCursor::pos()) - area.topLeft();
    return pixmap;
}

void GalleryView::startDrag(Qt::DropActions)
{
    const std::vector<int> rows = selectedRows();
    if (isBusy() || rows.empty())
        return;
    QPoint hotSpot;
    const QPixmap pixmap = DragPixmap(rows, &hotSpot);
    auto *drag = new QDrag(this);
    drag->setMimeData(createRowMimeData(rows));
    if (!pixmap.isNull()) {
        drag->setPixmap(pixmap);
        drag->setHotSpot(hotSpot);
    }
    selectionModel()->clearSelection();
    m_dragging = true;
    Q_EMIT commandStateChanged();
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
    m_dragging = false;
    SetDropIndex(-1);
    m_scrollTimer->stop();
    Q_EMIT commandStateChanged();
}

bool GalleryView::AcceptsDrag(const QMimeData *mime) const
{
    if (isBusy() || !mime)
        return false;
    return mime->hasFormat(rowMimeType()) || HasFileList(mime);
}

int GalleryView::DropIndexFor(const QPoint &pos) const
{
    const int count = rowCount();
    if (count == 0)
        return 0;
    const QModelIndex top = indexAt(QPoint(1, 1));
    const int first = top.isValid() ? top.row() : 0;
    const int height = std::max(rowHeight(m_model->index(first, 0)), 1);
    const int firstTop = visualRect(m_model->index(first, 0)).top();
    const QModelIndex bottom = indexAt(QPoint(1, viewport()->height() - 1));
    const int last = bottom.isValid() ? bottom.row() : count - 1;
    return DropIndexAt(pos.y(), height, first, firstTop, last, count);
}

void GalleryView::SetDropIndex(int index)
{
    if (index == m_dropIndex)
        return;
    m_dropIndex = index;
    viewport()->update();
}

void GalleryView::AutoScroll()
{
    if (m_lastDragY < 0 && m_dropIndex < 0) {
        m_scrollTimer->stop();
        return;
    }
    const int height = rowCount() > 0 ? rowHeight(m_model->index(0, 0)) : 0;
    const int delta = DragAutoScrollDelta(m_lastDragY, height, viewport()->height());
    if (delta != 0)
        verticalScrollBar()->setValue(verticalScrollBar()->value() + delta);
}

void GalleryView::dragEnterEvent(QDragEnterEvent *event)
{
    if (!AcceptsDrag(event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(event->source() == this ? Qt::MoveAction : Qt::CopyAction);
    event->accept();
}

void GalleryView::dragMoveEvent(QDragMoveEvent *event)
{
    if (!AcceptsDrag(event->mimeData())) {
        event->ignore();
        return;
    }
    const bool ownRows = event->source() == this;
    event->setDropAction(ownRows ? Qt::MoveAction : Qt::CopyAction);
    event->accept();
    if (!ownRows)
        return;
    const QPoint pos = event->position().toPoint();
    m_lastDragY = pos.y();
    SetDropIndex(DropIndexFor(pos));
    AutoScroll();
    if (!m_scrollTimer->isActive())
        m_scrollTimer->start();
}

void GalleryView::dragLeaveEvent(QDragLeaveEvent *event)
{
    m_lastDragY = -1;
    m_scrollTimer->stop();
    SetDropIndex(-1);
    event->accept();
}

void GalleryView::dropEvent(QDropEvent *event)
{
    m_lastDragY = -1;
    m_scrollTimer->stop();
    const QMimeData *mime = event->mimeData();
    if (!AcceptsDrag(mime)) {
        event->ignore();
        SetDropIndex(-1);
        return;
    }
    if (mime->hasFormat(rowMimeType())) {
        const int index = DropIndexFor(event->position().toPoint());
        SetDropIndex(index);
        DropRows(mime);
    } else {
        addPaths(FileListPaths(mime));
    }
    SetDropIndex(-1);
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void GalleryView::DropRows(const QMimeData *mime)
{
    DraggedRows dragged;
    if (!ReadDraggedRows(mime, rowMimeType(), &dragged))
        return;
    const bool fromHere
        = dragged.process == QCoreApplication::applicationPid() && dragged.view == m_viewNumber;
    if (!fromHere) {
        // Another gallery keeps its rows; this one gets copies, in order.
        m_history->BeginAdd();
        m_document.QueueAddRequests(dragged.requests);
        return;
    }
    const RowDropPlan plan = PlanRowDrop(dragged.rows, m_dropIndex, rowCount());
    ApplyMoves(plan.moves);
    selectRows(plan.selection);
}

void GalleryView::paintEvent(QPaintEvent *event)
{
    {
        // The comment and options cells read the document: one wait for its
        // list lock per paint, not one per cell while a worker holds it often.
        std::lock_guard lock(m_document.ListLock());
        QTreeView::paintEvent(event);
    }
    if (m_dropIndex < 0 || rowCount() == 0)
        return;
    // The drop point: a line above the row the dragged rows go before.
    const bool pastEnd = m_dropIndex >= rowCount();
    const QRect row = visualRect(m_model->index(pastEnd ? rowCount() - 1 : m_dropIndex, 0));
    const int y = pastEnd ? row.bottom() : row.top();
    QPainter painter(viewport());
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawLine(0, y, viewport()->width(), y);
}
