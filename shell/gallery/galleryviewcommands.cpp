// The list's commands: what canRun answers and what runCommand does.
#include "shell/gallery/galleryview.h"

#include "document/gallerydocument.h"
#include "document/imageentry.h"
#include "document/workitems.h"
#include "shell/common/generaloptions.h"
#include "shell/gallery/fileclipboard.h"
#include "shell/gallery/gallerymodel.h"
#include "shell/gallery/waitpanel.h"
#include "shell/undo/galleryhistory.h"

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>

namespace {
// The commands this view carries out itself; the others belong to windows
// and dialogs of their own.
bool RunsHere(Command command)
{
    switch (command) {
    case Command::Copy:
    case Command::Paste:
    case Command::Delete:
    case Command::SelectAll:
    case Command::AddFolder:
    case Command::CreateMissingThumbnails:
    case Command::BuildPage:
    case Command::BuildPageAs:
    case Command::BuildSlideshow:
    case Command::BuildSlideshowAs:
    case Command::VisualPlacement:
    case Command::InvertSelection:
    case Command::SelectHorizontal:
    case Command::SelectVertical:
    case Command::SortNameAscending:
    case Command::SortNameDescending:
    case Command::SortSizeAscending:
    case Command::SortSizeDescending:
    case Command::SortDimensionAscending:
    case Command::SortDimensionDescending:
    case Command::SortDateAscending:
    case Command::SortDateDescending:
    case Command::EditComment:
    case Command::MoveUp:
    case Command::MoveDown:
    case Command::RecreateThumbnails:
    case Command::StopAdding:
    case Command::StopThumbnails:
    case Command::StopBuild:
    case Command::Undo:
    case Command::Redo:
        return true;
    default:
        return false;
    }
}

// Sort orders 1 to 8 follow the menu order of the sort commands.
int SortOrder(Command command)
{
    return int(command) - int(Command::SortNameAscending) + 1;
}
} // namespace

CommandContext GalleryView::Context(Command command) const
{
    CommandContext c;
    c.documentOpen = true;
    c.galleryActive = true;
    c.busy = isBusy();
    c.adding = m_adding;
    c.selected = selectedCount();
    c.rows = rowCount();
    c.thumbnailShown = selectedRowHasThumbnailFile();
    // Reading the clipboard costs; only the paste rule needs it.
    c.clipboardHasFiles = command == Command::Paste && !ClipboardFileList().isEmpty();
    c.directoryOpen = m_options.DirectoryOpen != 0;
    c.canUndo = m_history->CanUndo();
    c.canRedo = m_history->CanRedo();
    return c;
}

bool GalleryView::canRun(Command command) const
{
    return RunsHere(command) && IsCommandEnabled(command, Context(command));
}

void GalleryView::RequestOrRun(Command command)
{
    if (canRun(command))
        runCommand(command);
    else if (!RunsHere(command) && IsCommandEnabled(command, Context(command)))
        Q_EMIT commandRequested(command);
}

void GalleryView::runCommand(Command command)
{
    if (!canRun(command))
        return;
    switch (command) {
    case Command::Copy:
        CopySelection();
        break;
    case Command::Paste:
        PasteFiles();
        break;
    case Command::Delete:
        DeleteSelection();
        break;
    case Command::SelectAll:
        if (!m_dragging)
            selectAll();
        break;
    case Command::AddFolder:
        AddFolderDialog();
        break;
    case Command::CreateMissingThumbnails:
        CreateMissingThumbnails();
        break;
    case Command::BuildPage:
        Build(false, false);
        break;
    case Command::BuildPageAs:
        Build(false, true);
        break;
    case Command::BuildSlideshow:
        Build(true, false);
        break;
    case Command::BuildSlideshowAs:
        Build(true, true);
        break;
    case Command::VisualPlacement:
        StartPlacement();
        break;
    case Command::InvertSelection:
        InvertSelection();
        break;
    case Command::SelectHorizontal:
        SelectWhere(true);
        break;
    case Command::SelectVertical:
        SelectWhere(false);
        break;
    case Command::EditComment:
        editComment(selectedRows().front());
        break;
    case Command::MoveUp:
        MoveSelected(true);
        break;
    case Command::MoveDown:
        MoveSelected(false);
        break;
    case Command::RecreateThumbnails:
        m_document.RecreateThumbnails(selectedRows(), m_document.GetOptions().BuildVignette);
        break;
    case Command::StopAdding:
        m_document.StopAdding();
        break;
    case Command::StopThumbnails:
        m_document.StopThumbnails();
        break;
    case Command::StopBuild:
        m_document.CancelBuild();
        break;
    case Command::Undo:
        m_history->Undo();
        break;
    case Command::Redo:
        m_history->Redo();
        break;
    default:
        if (command >= Command::SortNameAscending && command <= Command::SortDateDescending)
            m_history->Record(QStringLiteral("le tri"), [&] { m_document.SortList(SortOrder(command)); });
        break;
    }
    Q_EMIT commandStateChanged();
}

void GalleryView::DeleteSelection()
{
    if (m_dragging)
        return;
    m_history->Record(QStringLiteral("la suppression"), [this] { m_document.RemoveEntries(selectedRows()); });
}

void GalleryView::SelectWhere(bool horizontal)
{
    std::vector<int> rows;
    for (int row = 0; row < rowCount(); ++row) {
        int width = 0;
        int height = 0;
        if (!ParseDimensions(m_model->Info(row), &width, &height))
            continue;
        if (horizontal ? width >= height : height >= width)
            rows.push_back(row);
    }
    QItemSelection selection;
    for (int row : rows)
        selection.select(m_model->index(row, 0), m_model->index(row, GalleryModel::ColumnCount - 1));
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void GalleryView::InvertSelection()
{
    if (rowCount() == 0)
        return;
    const QItemSelection all(
        m_model->index(0, 0), m_model->index(rowCount() - 1, GalleryModel::ColumnCount - 1));
    selectionModel()->select(all, QItemSelectionModel::Toggle);
}

void GalleryView::ApplyMoves(const std::vector<RowMove> &moves)
{
    if (moves.empty())
        return;
    m_history->Record(QStringLiteral("le déplacement"), [&] {
        for (const RowMove &m : moves)
            m_document.MoveEntry(m.from, m.to, m.removeAt);
    });
}

void GalleryView::MoveSelected(bool up)
{
    const std::vector<int> rows = selectedRows();
    if (rows.size() != 1)
        return;
    const std::optional<RowMove> move
        = up ? PlanMoveUp(rows.front()) : PlanMoveDown(rows.front(), rowCount());
    if (move)
        ApplyMoves({*move});
}

void GalleryView::CreateMissingThumbnails()
{
    std::vector<int> rows;
    for (int row = 0; row < rowCount(); ++row) {
        const QString text = m_model->ThumbnailText(row);
        if (text.isEmpty() || ThumbnailStateText::StillToMake(text))
            rows.push_back(row);
    }
    if (!rows.empty())
        m_document.RecreateThumbnails(rows, m_document.GetOptions().BuildVignette);
}

void GalleryView::addPaths(const QStringList &paths)
{
    std::vector<AddRequest> requests;
    for (const QString &path : paths) {
        AddRequest request;
        request.ScanFolder = m_options.DirectoryOpen != 0;
        request.Entry.Path = path;
        requests.push_back(std::move(request));
    }
    if (requests.empty())
        return;
    m_history->BeginAdd();
    m_document.QueueAddRequests(requests);
}

void GalleryView::AddFolderDialog()
{
    if (m_options.DirectoryOpen == 0)
        return;
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Sélectionnez le répertoire dont vous voulez ajouter les images"));
    if (folder.isEmpty())
        return;
    AddRequest request;
    request.ScanFolder = true;
    request.Entry.Path = QDir::toNativeSeparators(folder);
    m_history->BeginAdd();
    m_document.QueueAddRequest(request);
}

void GalleryView::CopySelection()
{
    QStringList paths;
    for (int row : selectedRows())
        paths.append(m_model->Path(row));
    if (paths.isEmpty())
        return;
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setMimeData(CreateFileListMimeData(paths));
}

void GalleryView::PasteFiles()
{
    // A paste during a row drag would add rows under the drag.
    if (m_dragging)
        return;
    addPaths(ClipboardFileList());
}

void GalleryView::placementMessage(int message, int a, int b)
{
    if (a == -1 && b == -1) {
        if (isBusy())
            LeaveBusy();
        return;
    }
    ApplyMoves(PlanPlacementMessage(message, a, b, rowCount()));
}
