#include "soakdriver.h"

#include "document/gallerydocument.h"
#include "shell/app/mainwindow.h"
#include "shell/gallery/gallerymodel.h"
#include "shell/gallery/galleryview.h"
#include "shell/gallery/gallerywindow.h"
#include "shell/options/documentoptionsdialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QMessageBox>
#include <QSet>
#include <QTest>
#include <algorithm>

namespace {
// Commands that would end the run, leave the gallery, or start programs
// outside the test: the browser for help, the web engine for placement
// (whose clicks the driver sends itself).
bool Excluded(Command c)
{
    switch (c) {
    case Command::Close:
    case Command::Exit:
    case Command::New:
    case Command::HelpTopics:
    case Command::ContextHelp:
    case Command::VisualPlacement:
    case Command::Undo: // run in pairs by the driver, which checks them
    case Command::Redo:
        return true;
    default:
        return false;
    }
}
} // namespace

SoakDriver::SoakDriver(MainWindow &window, GalleryWindow &gallery, const QString &projectPath, unsigned seed)
    : m_window(window), m_gallery(gallery), m_view(*gallery.view()), m_projectPath(projectPath), m_random(seed)
{
    for (const CommandInfo &info : AllCommands())
        if (!Excluded(info.id))
            m_commands.push_back(info.id);
    m_expected = DocumentEntries();
    m_pageTitle = gallery.document().GetOptions().WebPage1.PageTitle;
    QObject::connect(&m_modalWatch, &QTimer::timeout, [this] { CloseModal(); });
    m_modalWatch.start(5);
}

void SoakDriver::CloseModal()
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal)
        return;
    if (auto *sheet = qobject_cast<DocumentOptionsDialog *>(modal); sheet && !m_pendingTitle.isEmpty()) {
        if (auto *title = sheet->findChild<QLineEdit *>(QStringLiteral("pageTitle"))) {
            title->setText(m_pendingTitle);
            m_pendingTitle.clear();
            sheet->accept();
            return;
        }
    }
    if (auto *box = qobject_cast<QMessageBox *>(modal)) {
        // The safe answer: cancel when offered, else the box's own way out.
        if (QAbstractButton *cancel = box->button(QMessageBox::Cancel))
            cancel->click();
        else if (box->escapeButton())
            box->escapeButton()->click();
        else
            box->buttons().constFirst()->click();
    } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
        dialog->reject();
    } else {
        modal->close();
    }
}

QHash<QString, QString> SoakDriver::DocumentEntries() const
{
    QHash<QString, QString> entries;
    for (const ImageEntry &e : m_gallery.document().CopyEntries())
        entries.insert(e.Path, e.Comment);
    return entries;
}

int SoakDriver::RandomRow()
{
    const int rows = m_view.rowCount();
    return rows > 0 ? Random(rows) : -1;
}

QString SoakDriver::Step()
{
    // Keep the soaked gallery in front: a command may have shown another window.
    m_window.openProject(m_projectPath);
    const QHash<QString, QString> before = DocumentEntries();
    QSet<QString> selected;
    for (int row : m_view.selectedRows())
        selected.insert(m_view.galleryModel()->Path(row));

    QString step;
    m_deletes = false;
    m_resync = false;
    const int pick = Random(100);
    if (m_view.isBusy() && pick < 30) {
        step = QStringLiteral("cancel build");
        m_window.runCommand(Command::StopBuild);
        // The build polls between images: it ends within moments, whatever it was doing.
        if (!QTest::qWaitFor([this] { return !m_view.isBusy(); }, 10000))
            m_failure = QStringLiteral("still building 10 s after the cancel");
    } else if (m_view.isBusy() && pick < 40) {
        step = QStringLiteral("stop thumbnails");
        m_window.runCommand(Command::StopThumbnails);
    } else if (m_view.rowCount() < 100 && !m_removed.isEmpty() && !m_view.isBusy() && pick < 60) {
        // Deletions win over time (select all, delete): photos come back.
        step = DropRemovedFiles();
    } else if (pick < 45) {
        step = RunRandomCommand();
    } else if (pick < 60) {
        step = EditComment();
    } else if (pick < 70) {
        step = DragRows();
    } else if (pick < 73) {
        step = m_view.rowCount() > 150 ? DeleteRows() : DropRemovedFiles();
    } else if (pick < 78) {
        step = ChangeOptions();
    } else if (pick < 83) {
        step = PlacementClick();
    } else if (pick < 88) {
        step = UndoAndRedo();
    } else if (pick < 98) {
        step = SelectRows();
    } else {
        step = QStringLiteral("build");
        m_window.runCommand(Random(3) ? Command::BuildPage : Command::BuildSlideshow);
    }
    QCoreApplication::processEvents();
    // Additions run on the add worker and reach the list in batches a few
    // milliseconds apart: the list is compared once it has caught up. The
    // worker's own idle state, not the count of requests waiting: the last
    // request has left the queue before its entry is in the list.
    if (!QTest::qWaitFor(
            [this] {
                const GalleryDocument &doc = m_gallery.document();
                return !m_view.isAdding() && doc.IsAddIdle() && m_view.rowCount() == doc.GetEntryCount();
            },
            20000))
        m_failure = QStringLiteral("the list did not catch up within 20 s");

    const QHash<QString, QString> after = DocumentEntries();
    if (m_resync) {
        // An undo may bring back or take away anything: the document says what.
        for (auto it = before.cbegin(); it != before.cend(); ++it)
            if (!after.contains(it.key()))
                m_removed.insert(it.key(), it.value());
        for (auto it = after.cbegin(); it != after.cend(); ++it)
            m_removed.remove(it.key());
        m_expected = after;
        m_pageTitle = m_gallery.document().GetOptions().WebPage1.PageTitle;
    }
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (after.contains(it.key()))
            continue;
        if (m_deletes && (selected.contains(it.key()) || m_deleted.contains(it.key()))) {
            m_expected.remove(it.key());
            m_removed.insert(it.key(), it.value());
        }
    }
    for (auto it = after.cbegin(); it != after.cend(); ++it)
        if (!before.contains(it.key()) && m_removed.contains(it.key()) && it.value().isEmpty()) {
            m_removed.remove(it.key());
            m_expected.insert(it.key(), QString());
        }
    ++m_tally[step.section(QLatin1Char(' '), 0, 0)];
    return step;
}

QString SoakDriver::Tally() const
{
    QStringList parts;
    for (auto it = m_tally.cbegin(); it != m_tally.cend(); ++it)
        parts << QStringLiteral("%1 %2").arg(it.key()).arg(it.value());
    parts.sort();
    return parts.join(QStringLiteral(", "));
}

QString SoakDriver::RunRandomCommand()
{
    std::vector<Command> enabled;
    for (Command c : m_commands)
        if (QAction *action = m_window.action(c); action && action->isEnabled())
            enabled.push_back(c);
    if (enabled.empty())
        return QStringLiteral("no command enabled");
    const Command c = enabled[Random(static_cast<int>(enabled.size()))];
    m_deletes = c == Command::Delete;
    m_window.runCommand(c);
    return QStringLiteral("command %1").arg(CommandInfoFor(c).menuText);
}

QString SoakDriver::EditComment()
{
    const int row = RandomRow();
    if (row < 0 || m_view.isBusy())
        return QStringLiteral("no comment to edit");
    // Now and then a text that Windows-1252 cannot hold.
    const QString text = Random(4) ? QStringLiteral("Commentaire n°%1 é").arg(++m_edits)
                                   : QStringLiteral("Ωμέγα %1 ✓").arg(++m_edits);
    GalleryModel *model = m_view.galleryModel();
    const QString path = model->Path(row);
    if (model->setData(model->index(row, GalleryModel::CommentColumn), text, Qt::EditRole))
        m_expected.insert(path, text);
    return QStringLiteral("comment row %1").arg(row);
}

QString SoakDriver::DragRows()
{
    const int rows = m_view.rowCount();
    if (rows < 2 || m_view.isBusy())
        return QStringLiteral("nothing to drag");
    std::vector<int> dragged;
    for (int i = 0, n = 1 + Random(3); i < n; ++i)
        dragged.push_back(Random(rows));
    std::sort(dragged.begin(), dragged.end());
    dragged.erase(std::unique(dragged.begin(), dragged.end()), dragged.end());
    const int target = Random(rows);
    const QRect rect = m_view.visualRect(m_view.galleryModel()->index(target, 0));
    const QPoint pos(10, rect.isValid() ? rect.top() + 1 : m_view.viewport()->height() - 2);
    std::unique_ptr<QMimeData> mime(m_view.createRowMimeData(dragged));
    QDragEnterEvent enter(pos, Qt::CopyAction | Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_view.viewport(), &enter);
    QDropEvent drop(pos, Qt::CopyAction | Qt::MoveAction, mime.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_view.viewport(), &drop);
    return QStringLiteral("drag %1 rows to %2").arg(dragged.size()).arg(target);
}

QString SoakDriver::DeleteRows()
{
    const int row = RandomRow();
    if (row < 0 || m_view.isBusy())
        return QStringLiteral("nothing to delete");
    std::vector<int> rows{row};
    if (Random(2) && row + 1 < m_view.rowCount())
        rows.push_back(row + 1);
    m_view.selectRows(rows);
    m_deleted.clear();
    for (int r : rows)
        m_deleted.insert(m_view.galleryModel()->Path(r));
    m_deletes = true;
    m_window.runCommand(Command::Delete);
    return QStringLiteral("delete from row %1").arg(row);
}

QString SoakDriver::DropRemovedFiles()
{
    if (m_removed.isEmpty() || m_view.isBusy())
        return QStringLiteral("nothing to add back");
    QStringList paths;
    for (auto it = m_removed.cbegin(); it != m_removed.cend() && paths.size() < 1 + Random(50); ++it)
        paths << it.key();
    m_view.addPaths(paths);
    return QStringLiteral("drop %1 files").arg(paths.size());
}

QStringList SoakDriver::OrderedEntries() const
{
    QStringList entries;
    for (const ImageEntry &e : m_gallery.document().CopyEntries())
        entries << e.Path + QLatin1Char('|') + e.Comment;
    return entries;
}

QString SoakDriver::UndoAndRedo()
{
    if (!m_window.action(Command::Undo)->isEnabled())
        return QStringLiteral("nothing to undo");
    const QStringList before = OrderedEntries();
    m_window.runCommand(Command::Undo);
    if (!m_window.action(Command::Redo)->isEnabled()) {
        m_failure = QStringLiteral("nothing to redo after an undo");
        return QStringLiteral("undo");
    }
    m_window.runCommand(Command::Redo);
    if (OrderedEntries() != before) {
        m_failure = QStringLiteral("undo then redo did not give the list back");
        return QStringLiteral("undo and redo");
    }
    // Now and then the undo stays, and the list is what the history says.
    if (Random(2)) {
        m_window.runCommand(Command::Undo);
        m_resync = true;
        return QStringLiteral("undo");
    }
    return QStringLiteral("undo and redo");
}

QString SoakDriver::ChangeOptions()
{
    if (m_view.isBusy())
        return QStringLiteral("no options while busy");
    m_pendingTitle = QStringLiteral("Galerie %1").arg(++m_edits);
    m_window.runCommand(Command::DocumentOptions);
    if (m_pendingTitle.isEmpty())
        m_pageTitle = QStringLiteral("Galerie %1").arg(m_edits);
    m_pendingTitle.clear();
    return QStringLiteral("options");
}

QString SoakDriver::PlacementClick()
{
    const int rows = m_view.rowCount();
    if (rows < 2 || m_view.isBusy())
        return QStringLiteral("no placement");
    const int message = Random(2) ? 1139 : 1140;
    const int a = 1 + Random(rows);
    const int b = 1 + Random(rows);
    m_view.placementMessage(message, a, b);
    return QStringLiteral("placement %1 %2 %3").arg(message).arg(a).arg(b);
}

QString SoakDriver::SelectRows()
{
    const int row = RandomRow();
    if (row < 0)
        return QStringLiteral("nothing to select");
    std::vector<int> rows{row};
    for (int more = Random(3); more > 0; --more)
        rows.push_back(RandomRow());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    m_view.selectRows(Random(4) ? std::vector<int>{row} : rows);
    return QStringLiteral("select %1 rows").arg(rows.size());
}

QString SoakDriver::Check()
{
    if (!m_failure.isEmpty())
        return m_failure;
    if (m_view.isAdding())
        return {};
    const std::vector<ImageEntry> entries = m_gallery.document().CopyEntries();
    GalleryModel *model = m_view.galleryModel();
    if (static_cast<int>(entries.size()) != m_view.rowCount())
        return QStringLiteral("%1 rows shown for %2 entries").arg(m_view.rowCount()).arg(entries.size());
    for (int row = 0; row < m_view.rowCount(); ++row)
        if (model->Path(row) != entries[row].Path)
            return QStringLiteral("row %1 shows %2, the entry is %3").arg(row).arg(model->Path(row), entries[row].Path);
    const QHash<QString, QString> held = DocumentEntries();
    if (held.size() != m_expected.size())
        return QStringLiteral("%1 entries, %2 expected").arg(held.size()).arg(m_expected.size());
    for (auto it = m_expected.cbegin(); it != m_expected.cend(); ++it) {
        if (!held.contains(it.key()))
            return QStringLiteral("%1 is missing").arg(it.key());
        if (held.value(it.key()) != it.value())
            return QStringLiteral("%1 has the comment \"%2\", not \"%3\"").arg(it.key(), held.value(it.key()), it.value());
    }
    return {};
}

bool SoakDriver::Settle()
{
    if (m_view.isBusy())
        m_window.runCommand(Command::StopBuild);
    return QTest::qWaitFor(
        [this] {
            return !m_view.isBusy() && !m_view.isAdding() && m_gallery.document().IsAddIdle()
                && !m_gallery.document().IsBuilding();
        },
        60000);
}
