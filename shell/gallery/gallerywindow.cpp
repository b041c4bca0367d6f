#include "shell/gallery/gallerywindow.h"

#include "document/gallerydocument.h"
#include "document/notifycodes.h"
#include "document/projectfile.h"
#include "document/thumbnailpath.h"
#include "pagegen/buildenvironment.h"
#include "shell/common/generaloptions.h"
#include "shell/common/linkopening.h"
#include "shell/common/programinfo.h"
#include "shell/gallery/documentsetup.h"
#include "shell/gallery/gallerydialogs.h"
#include "shell/gallery/galleryview.h"
#include "shell/gallerystatus/gallerystatusbar.h"
#include "shell/placementhost/placementwindow.h"
#include "shell/preview/previewwindow.h"
#include "shell/print/listprinting.h"
#include "shell/undo/galleryhistory.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QVBoxLayout>

namespace {
const QString kProjectFilter = QStringLiteral("Fichiers Gallorim (*.glr)");
}

GalleryWindow::GalleryWindow(Profile &profile, GeneralOptions &options, int untitledNumber, QWidget *parent)
    : QWidget(parent), m_profile(profile), m_options(options), m_untitledNumber(untitledNumber),
      m_document(CreateGalleryDocument(profile, options, GuiBuildEnvironment))
{
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_view = std::make_unique<GalleryView>(*m_document, m_options, this);
    m_statusBar = std::make_unique<GalleryStatusBar>(m_options, m_profile, this);
    layout->addWidget(m_view.get(), 1);
    layout->addWidget(m_statusBar.get());
    connect(m_view.get(), &GalleryView::statusNotification, m_statusBar.get(), &GalleryStatusBar::notify);
    connect(m_view.get(), &GalleryView::commandStateChanged, this, &GalleryWindow::commandStateChanged);
    connect(m_view.get(), &GalleryView::commandRequested, this, &GalleryWindow::runCommand);
    connect(m_view.get(), &GalleryView::placementReady, this, &GalleryWindow::openPlacementWindow);
    connect(m_view.get(), &GalleryView::placementCloseRequested, this, &GalleryWindow::closePlacementWindow);
    connect(m_view.get(), &GalleryView::thumbnailFileChanged, this, [this](const QString &path) {
        if (m_preview)
            m_preview->FileRewritten(path);
    });
    // The selection moved: the preview follows it without being shown.
    connect(m_view.get(), &GalleryView::previewRequested, this, [this](const QString &path) {
        if (m_preview)
            m_preview->RequestPreview(path);
    });
    connect(m_statusBar.get(), &GalleryStatusBar::stopAddingRequested, this,
            [this] { runCommand(Command::StopAdding); });
    connect(m_statusBar.get(), &GalleryStatusBar::stopThumbnailsRequested, this,
            [this] { runCommand(Command::StopThumbnails); });
    setWindowTitle(title());
    setAccessibleName(title());
    setFocusProxy(m_view.get());
}

GalleryWindow::~GalleryWindow()
{
    closePlacementWindow();
    // Workers and a running build stop; the view detaches before the document goes.
    m_document->OnCloseDocument();
}

QString GalleryWindow::projectPath() const { return m_document->GetPathName(); }

QString GalleryWindow::title() const
{
    const QString path = projectPath();
    return path.isEmpty() ? QStringLiteral("GLR %1").arg(m_untitledNumber) : QFileInfo(path).fileName();
}

void GalleryWindow::setProjectPath(const QString &path)
{
    m_document->SetPathName(path);
    setWindowTitle(title());
    setAccessibleName(title());
    Q_EMIT titleChanged();
}

bool GalleryWindow::openProject(const QString &path)
{
    const QString absolute = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    if (!m_document->OnOpenDocument(absolute)) {
        QMessageBox::warning(this, ProgramInfo::ApplicationTitle(),
                             QStringLiteral("%1\n\n%2").arg(absolute, QString::fromUtf8(kInvalidProjectMessage)));
        return false;
    }
    setProjectPath(absolute);
    return true;
}

bool GalleryWindow::openRecovered(const QString &copyPath, const QString &projectPath)
{
    if (!openProject(copyPath))
        return false;
    setProjectPath(projectPath);
    // No state of the history is what the project file holds: modified until saved.
    m_view->history().SaveFailed();
    return true;
}

QString GalleryWindow::askProjectPath()
{
    QString proposed = projectPath();
    if (proposed.isEmpty())
        proposed = QDir::home().filePath(title() + QStringLiteral(".glr"));
    QFileDialog dialog(this, QStringLiteral("Enregistrer sous"), proposed, kProjectFilter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("glr"));
    dialog.selectFile(proposed);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

bool GalleryWindow::save()
{
    if (projectPath().isEmpty())
        return saveAs();
    m_view->history().MarkSaved();
    m_document->OnSaveDocument(projectPath());
    Q_EMIT projectSaved(projectPath());
    return true;
}

bool GalleryWindow::saveAs()
{
    const QString path = askProjectPath();
    if (path.isEmpty())
        return false;
    setProjectPath(path);
    m_view->history().MarkSaved();
    m_document->OnSaveDocument(path);
    Q_EMIT projectSaved(path);
    return true;
}

bool GalleryWindow::saveNow(const QString &path)
{
    if (!SaveProjectFile(path, m_document->GetOptions(), m_document->CopyEntries())) {
        QMessageBox::critical(this, ProgramInfo::ApplicationTitle(),
                              QStringLiteral("%1\n\n%2").arg(path, QString::fromUtf8(kProjectSaveErrorMessage)));
        return false;
    }
    setProjectPath(path);
    m_view->history().MarkSaved();
    m_document->SetModifiedFlag(false);
    Q_EMIT projectSaved(path);
    return true;
}

bool GalleryWindow::maybeSave()
{
    if (!m_document->IsModified())
        return true;
    const auto answer = QMessageBox::question(
        this, ProgramInfo::ApplicationTitle(),
        QStringLiteral("Enregistrer les modifications apportées à %1?").arg(title()),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
    if (answer == QMessageBox::No)
        return true;
    if (answer != QMessageBox::Yes)
        return false;
    QString path = projectPath();
    if (path.isEmpty())
        path = askProjectPath();
    return !path.isEmpty() && saveNow(path);
}

void GalleryWindow::closeAnswered()
{
    m_closeAnswered = true;
    if (QWidget *frame = parentWidget(); frame && frame->inherits("QMdiSubWindow"))
        frame->close();
    else
        close();
}

void GalleryWindow::closeEvent(QCloseEvent *event)
{
    if (m_closeAnswered || maybeSave()) {
        m_document->CloseOnPurpose();
        closePlacementWindow();
        event->accept();
    } else {
        event->ignore();
    }
}

CommandContext GalleryWindow::commandContext() const
{
    // The clipboard is read once per change, by the main window.
    return m_view->commandContext();
}

// What a command needs of the window before it can run here.
enum class OwnNeeds { Nothing, Printer, Preview };

using GalleryDialog
    = void (*)(GalleryDocument &, const GeneralOptions &, Profile &, const std::vector<int> &, QWidget *, DialogDone);

struct GalleryWindow::OwnCommand {
    Command command;
    OwnNeeds needs;
    void (GalleryWindow::*run)(Command);
    GalleryDialog dialog; // for the dialog commands
};

const GalleryWindow::OwnCommand *GalleryWindow::FindOwnCommand(Command command)
{
    static const OwnCommand table[] = {
        {Command::Save, OwnNeeds::Nothing, &GalleryWindow::runSaveCommand, nullptr},
        {Command::SaveAs, OwnNeeds::Nothing, &GalleryWindow::runSaveCommand, nullptr},
        {Command::Print, OwnNeeds::Printer, &GalleryWindow::runPrintCommand, nullptr},
        {Command::PrintPreview, OwnNeeds::Printer, &GalleryWindow::runPrintCommand, nullptr},
        {Command::ShowImage, OwnNeeds::Preview, &GalleryWindow::runPreviewCommand, nullptr},
        {Command::ShowThumbnail, OwnNeeds::Preview, &GalleryWindow::runPreviewCommand, nullptr},
        {Command::AddImages, OwnNeeds::Nothing, &GalleryWindow::runDialogCommand, &AddImages},
        {Command::DocumentOptions, OwnNeeds::Nothing, &GalleryWindow::runDialogCommand, &EditDocumentOptions},
        {Command::GeneralCommentAssistant, OwnNeeds::Nothing, &GalleryWindow::runDialogCommand, &EditGeneralComment},
        {Command::CommentAssistant, OwnNeeds::Nothing, &GalleryWindow::runDialogCommand, &EditComments},
        {Command::SpecificOptions, OwnNeeds::Nothing, &GalleryWindow::runDialogCommand, &EditImageOptions},
        {Command::SpecificThumbnails, OwnNeeds::Nothing, &GalleryWindow::runSpecificThumbnails, nullptr},
    };
    for (const OwnCommand &row : table) {
        if (row.command == command)
            return &row;
    }
    return nullptr;
}

bool GalleryWindow::runsHere(Command command) const
{
    const OwnCommand *own = FindOwnCommand(command);
    if (!own)
        return false;
    switch (own->needs) {
    case OwnNeeds::Printer:
        return m_printer != nullptr;
    case OwnNeeds::Preview:
        return m_preview != nullptr;
    case OwnNeeds::Nothing:
        break;
    }
    return true;
}

void GalleryWindow::runSaveCommand(Command command)
{
    if (command == Command::Save)
        save();
    else
        saveAs();
}

void GalleryWindow::runPreviewCommand(Command command)
{
    showPreview(command == Command::ShowThumbnail);
}

void GalleryWindow::openPlacementWindow(const QString &mainPagePath)
{
    auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
    QMdiArea *area = frame ? frame->mdiArea() : nullptr;
    if (!area) {
        // Without a frame there is nowhere to show it: the phase ends at once.
        m_view->placementMessage(0, -1, -1);
        return;
    }
    m_placement = OpenPlacementWindow(area, mainPagePath, title(), m_view->placementNumber());
}

void GalleryWindow::closePlacementWindow()
{
    if (!m_placement)
        return;
    QWidget *frame = m_placement->parentWidget();
    m_placement = nullptr;
    if (frame)
        frame->close();
}

void GalleryWindow::showPreview(bool thumbnail)
{
    const std::vector<int> rows = m_view->selectedRows();
    if (rows.size() != 1)
        return;
    QString path = m_document->GetPath(rows.front());
    if (thumbnail) {
        const BuildVignetteOptions options = m_document->GetOptions().BuildVignette;
        path = ThumbnailPath(path, options.PreSuffixe, options.WithPrefixe);
    }
    m_preview->Show(1);
    m_preview->RequestPreview(path);
}

namespace {
// What the menu says the step of a dialog undoes ("Annuler le tri").
QString DialogStepName(Command command, std::size_t rows)
{
    switch (command) {
    case Command::DocumentOptions:
        return QStringLiteral("la modification des options du document");
    case Command::SpecificOptions:
        return QStringLiteral("la modification des options spécifiques");
    case Command::CommentAssistant:
        if (rows == 1)
            return QStringLiteral("la modification du commentaire");
        [[fallthrough]];
    default:
        return QStringLiteral("la modification des commentaires");
    }
}
} // namespace

void GalleryWindow::runDialogCommand(Command command)
{
    GalleryHistory &history = m_view->history();
    const std::vector<int> rows = m_view->selectedRows();
    // An add is measured by the history as its files arrive; any other
    // dialog's step is what the document holds after it against before.
    const bool adding = command == Command::AddImages;
    const bool openedAdd = adding && history.BeginAdd();
    auto before = adding ? nullptr : std::make_shared<const ListSnapshot>(history.Snapshot());
    const QString step = DialogStepName(command, rows.size());
    // Comments and option summaries are asked for when drawn. The dialog
    // closes with this window at the latest, so `this` outlives it.
    FindOwnCommand(command)->dialog(*m_document, m_options, m_profile, rows, this,
                                    [this, before, openedAdd, step](bool changed) {
                                        if (changed && before)
                                            m_view->history().Commit(step, *before);
                                        if (!changed && openedAdd)
                                            m_view->history().CancelAdd();
                                        if (changed)
                                            m_view->viewport()->update();
                                        Q_EMIT commandStateChanged();
                                    });
}

void GalleryWindow::runSpecificThumbnails(Command)
{
    QStringList paths;
    for (int row : m_view->selectedRows())
        paths << m_document->GetPath(row);
    if (paths.isEmpty())
        return;
    AskSpecificThumbnails(*m_document, m_options, this, [this, paths](const BuildVignetteOptions &options) {
        m_view->history().RecordThumbnails(paths, options);
        Q_EMIT commandStateChanged();
    });
}

bool GalleryWindow::canRun(Command command) const
{
    if (runsHere(command))
        return IsCommandEnabled(command, commandContext());
    return m_view->canRun(command);
}

void GalleryWindow::runPrintCommand(Command command)
{
    const ListPrintSource source = ListPrintSource::FromView(
        *m_view, m_document->GetOptions().WebPage1.PageTitle, title());
    if (command == Command::PrintPreview)
        ShowListPreview(source, *m_printer, this);
    else
        PrintList(source, *m_printer, this);
}

void GalleryWindow::runCommand(Command command)
{
    if (const OwnCommand *own = FindOwnCommand(command)) {
        if (canRun(command))
            (this->*own->run)(command);
    } else if (m_view->canRun(command)) {
        m_view->runCommand(command);
    }
    Q_EMIT commandStateChanged();
}

void GalleryWindow::generalOptionsChanged()
{
    m_document->SetRecursiveDir(m_options.RecursiveDir != 0);
    Q_EMIT commandStateChanged();
}
