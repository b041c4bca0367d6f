#include "shell/gallery/commentdelegate.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace {
constexpr int kTextInset = 4;
constexpr int kIconWidth = 16;

// Keys that must reach the edit rather than the window's shortcuts.
class CommentLineEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::ShortcutOverride) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Escape
                || key->key() == Qt::Key_Delete || (key->modifiers() & Qt::ControlModifier)) {
                event->accept();
                return true;
            }
        }
        return QLineEdit::event(event);
    }
    void keyPressEvent(QKeyEvent *event) override
    {
        QLineEdit::keyPressEvent(event);
        // A line edit lets Enter go on to its parent: here that is the list,
        // where Enter would also show the image.
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            event->accept();
    }
};

// Widens the edit to its text, never past the right edge of its parent.
void FitToText(QLineEdit *edit)
{
    const int wanted = edit->fontMetrics().horizontalAdvance(edit->text()) + 5 + edit->textMargins().left()
        + edit->textMargins().right() + 8;
    const int limit = edit->parentWidget() ? edit->parentWidget()->width() - edit->x() : wanted;
    const int width = std::min(std::max(edit->width(), wanted), limit);
    if (width != edit->width())
        edit->resize(width, edit->height());
}
} // namespace

QWidget *CommentDelegate::createEditor(
    QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &) const
{
    auto *edit = new CommentLineEdit(parent);
    edit->setObjectName(QStringLiteral("commentEditor"));
    edit->setAccessibleName(QStringLiteral("Commentaire"));
    edit->setFrame(true);
    edit->setFont(option.font);
    edit->setAlignment(option.displayAlignment & Qt::AlignHorizontal_Mask);
    connect(edit, &QLineEdit::textEdited, edit, [edit] { FitToText(edit); });
    return edit;
}

void CommentDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *edit = static_cast<QLineEdit *>(editor);
    edit->setText(index.data(Qt::EditRole).toString());
    edit->selectAll();
}

void CommentDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    model->setData(index, static_cast<QLineEdit *>(editor)->text(), Qt::EditRole);
}

void CommentDelegate::updateEditorGeometry(
    QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const int clientRight = editor->parentWidget() ? editor->parentWidget()->width() : option.rect.right();
    QRect r = option.rect;
    int left = r.left() + kTextInset;
    if (!index.data(Qt::DecorationRole).isNull() && left + kIconWidth < clientRight)
        left += kIconWidth;
    const int right = std::min(r.left() + kTextInset + r.width() - 5, clientRight);
    r.setLeft(left);
    r.setRight(std::max(right, left + 10));
    editor->setGeometry(r);
}
