// Mouse and keyboard on the list: cell icons, in-place comment edit, keys.
#include "shell/gallery/galleryview.h"

#include "shell/common/generaloptions.h"
#include "shell/gallery/gallerymodel.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolTip>

namespace {
constexpr int kToolTipLimit = 80;

bool PlainClick(const QMouseEvent *event)
{
    return !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier));
}
} // namespace

QRect GalleryView::IconRect(const QModelIndex &index) const
{
    const QVariant decoration = index.data(Qt::DecorationRole);
    if (decoration.isNull())
        return {};
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    option.features |= QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::HasDisplay;
    option.icon = decoration.value<QIcon>();
    option.text = index.data(Qt::DisplayRole).toString();
    return style()->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, this);
}

bool GalleryView::IsOnCellIcon(const QModelIndex &index, const QPoint &pos) const
{
    if (!index.isValid() || index.column() < GalleryModel::CommentColumn)
        return false;
    return IconRect(index).contains(pos);
}

QString GalleryView::IconToolTip(int column) const
{
    QString text;
    if (column == GalleryModel::CommentColumn)
        text = m_options.CommentIconLaunchAssistant == 1 ? QStringLiteral("Assistant Commentaire")
                                                         : QStringLiteral("Editer le commentaire");
    else if (column == GalleryModel::ThumbnailColumn)
        text = QStringLiteral("Prévisualisation de la vignette");
    else if (column == GalleryModel::OptionsColumn)
        text = QStringLiteral("Options spécifiques");
    return text.left(kToolTipLimit);
}

bool GalleryView::editComment(int row)
{
    const QModelIndex index = m_model->index(row, GalleryModel::CommentColumn);
    if (!index.isValid() || header()->isSectionHidden(GalleryModel::CommentColumn)
        || columnWidth(GalleryModel::CommentColumn) <= 4)
        return false;
    scrollTo(index);
    // The cell's left edge must be in sight, not just some part of it.
    const int left = visualRect(index).left();
    if (left < 0 || left >= viewport()->width())
        horizontalScrollBar()->setValue(horizontalScrollBar()->value() + left);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    edit(index);
    return state() == EditingState;
}

void GalleryView::OnCellIconClicked(const QModelIndex &index)
{
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    switch (index.column()) {
    case GalleryModel::CommentColumn:
        if (m_options.CommentIconLaunchAssistant == 1)
            RequestOrRun(Command::CommentAssistant);
        else
            editComment(index.row());
        break;
    case GalleryModel::ThumbnailColumn:
        RequestOrRun(Command::ShowThumbnail);
        break;
    case GalleryModel::OptionsColumn:
        RequestOrRun(Command::SpecificOptions);
        break;
    default:
        break;
    }
}

void GalleryView::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (event->button() == Qt::LeftButton && PlainClick(event) && !isBusy() && IsOnCellIcon(index, pos)) {
        OnCellIconClicked(index);
        event->accept();
        return;
    }
    QTreeView::mousePressEvent(event);
}

void GalleryView::mouseDoubleClickEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (event->button() != Qt::LeftButton || !PlainClick(event) || !index.isValid()
        || IsOnCellIcon(index, pos)) {
        QTreeView::mouseDoubleClickEvent(event);
        return;
    }
    if (index.column() == GalleryModel::CommentColumn && !isBusy())
        editComment(index.row());
    else if (index.column() == GalleryModel::FileColumn)
        RequestOrRun(Command::ShowImage);
    event->accept();
}

void GalleryView::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() == Qt::NoButton) {
        const QPoint pos = event->position().toPoint();
        if (IsOnCellIcon(indexAt(pos), pos))
            viewport()->setCursor(Qt::PointingHandCursor);
        else
            viewport()->unsetCursor();
    }
    QTreeView::mouseMoveEvent(event);
}

bool GalleryView::viewportEvent(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QTreeView::viewportEvent(event);
    auto *help = static_cast<QHelpEvent *>(event);
    const QModelIndex index = indexAt(help->pos());
    if (IsOnCellIcon(index, help->pos()))
        QToolTip::showText(help->globalPos(), IconToolTip(index.column()), viewport(), IconRect(index));
    else
        QToolTip::hideText();
    return true;
}

void GalleryView::keyPressEvent(QKeyEvent *event)
{
    Command command = Command::Count;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        command = Command::ShowImage;
    else if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier)
        command = Command::Delete;
    else if (event->key() == Qt::Key_F2)
        command = Command::EditComment;
    else if (event->matches(QKeySequence::Copy))
        command = Command::Copy;
    else if (event->matches(QKeySequence::Paste))
        command = Command::Paste;
    else if (event->matches(QKeySequence::SelectAll))
        command = Command::SelectAll;
    if (command == Command::Count) {
        QTreeView::keyPressEvent(event);
        return;
    }
    RequestOrRun(command);
    event->accept();
}

void GalleryView::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
    // The frame may show its own menu; without one the list shows the row menu.
    if (isSignalConnected(QMetaMethod::fromSignal(&GalleryView::contextMenuRequested))) {
        Q_EMIT contextMenuRequested(event->globalPos());
        return;
    }
    struct Item {
        Command command; // Command::Count: a separator
        const char *text;
    };
    static const Item kItems[] = {
        {Command::ShowImage, "&Afficher l'image\tEntrée"},
        {Command::ShowThumbnail, "A&fficher la vignette"},
        {Command::Count, nullptr},
        {Command::EditComment, "&Editer le commentaire\tF2"},
        {Command::CommentAssistant, "Assistant &Commentaire..."},
        {Command::Count, nullptr},
        {Command::RecreateThumbnails, "(Re)Créer la &vignette"},
        {Command::SpecificThumbnails, "(Re)Créer une &vignette spécifique..."},
        {Command::Count, nullptr},
        {Command::Delete, "&Supprimer\tSup."},
        {Command::Count, nullptr},
        {Command::SpecificOptions, "O&ptions spécifiques..."},
        {Command::DocumentOptions, "&Options de la page..."},
        {Command::Count, nullptr},
        {Command::AddImages, "Ajouter des &images..."},
        {Command::AddFolder, "Ajouter depuis un &répertoire..."},
        {Command::Count, nullptr},
        {Command::VisualPlacement, "Placement visuel..."},
        {Command::Count, nullptr},
        {Command::BuildPage, "Créer la page &HTML"},
        {Command::BuildSlideshow, "Créer un diaporama"},
    };
    QMenu menu(this);
    menu.setAccessibleName(QStringLiteral("Menu de la liste"));
    for (const Item &item : kItems) {
        if (item.command == Command::Count) {
            menu.addSeparator();
            continue;
        }
        QAction *action = menu.addAction(CommandIcon(item.command), QString::fromUtf8(item.text));
        action->setStatusTip(CommandInfoFor(item.command).prompt);
        const Command command = item.command;
        action->setEnabled(IsCommandEnabled(command, Context(command)));
        connect(action, &QAction::triggered, this, [this, command] { RequestOrRun(command); });
    }
    menu.exec(event->globalPos());
}
