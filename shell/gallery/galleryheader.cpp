#include "shell/gallery/galleryheader.h"

#include "shell/gallery/gallerymodel.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QToolTip>

namespace {
constexpr int kIconLeft = 5;
constexpr int kIconWidth = 16;
} // namespace

GalleryHeader::GalleryHeader(QWidget *parent)
    : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsClickable(false);
    setSortIndicatorShown(false);
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("En-têtes des colonnes"));
}

bool GalleryHeader::IsOnIcon(int section, const QPoint &pos) const
{
    if (section != GalleryModel::CommentColumn && section != GalleryModel::OptionsColumn)
        return false;
    const int left = sectionViewportPosition(section) + kIconLeft;
    return pos.x() >= left && pos.x() < left + kIconWidth && pos.y() >= 0 && pos.y() < height();
}

int GalleryHeader::IconSectionAt(const QPoint &pos) const
{
    const int section = logicalIndexAt(pos);
    return IsOnIcon(section, pos) ? section : -1;
}

bool GalleryHeader::IconActive(int section) const
{
    if (section == GalleryModel::CommentColumn)
        return model() && model()->rowCount() > 0;
    return section == GalleryModel::OptionsColumn;
}

void GalleryHeader::mousePressEvent(QMouseEvent *event)
{
    const int section = IconSectionAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && section >= 0) {
        Q_EMIT iconClicked(section);
        event->accept();
        return;
    }
    QHeaderView::mousePressEvent(event);
}

void GalleryHeader::mouseMoveEvent(QMouseEvent *event)
{
    const int section = IconSectionAt(event->position().toPoint());
    if (section >= 0 && IconActive(section))
        viewport()->setCursor(Qt::PointingHandCursor);
    else
        viewport()->unsetCursor();
    QHeaderView::mouseMoveEvent(event);
}

void GalleryHeader::leaveEvent(QEvent *event)
{
    viewport()->unsetCursor();
    QHeaderView::leaveEvent(event);
}

bool GalleryHeader::viewportEvent(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QHeaderView::viewportEvent(event);
    auto *help = static_cast<QHelpEvent *>(event);
    const int section = IconSectionAt(help->pos());
    if (section == GalleryModel::CommentColumn)
        QToolTip::showText(help->globalPos(), QStringLiteral("Assistant Commentaires Automatiques"), this);
    else if (section == GalleryModel::OptionsColumn)
        QToolTip::showText(help->globalPos(), QStringLiteral("Options générales"), this);
    else
        QToolTip::hideText();
    return true;
}
