// The main window's side of recovery: offering the copies left by an
// instance that died, and opening one as a gallery.
#include "shell/app/mainwindow.h"

#include "shell/app/recoverydialog.h"
#include "shell/gallery/gallerywindow.h"

void MainWindow::offerRecovery()
{
    if (!m_recovery)
        return;
    const QList<RecoveryCopy> copies = m_recovery->Store.OrphanedCopies();
    if (copies.isEmpty())
        return;
    RecoveryDialog dialog(copies, [this](const RecoveryCopy &copy) { return openRecoveredCopy(copy) != nullptr; },
                          this);
    dialog.exec();
}

GalleryWindow *MainWindow::openRecoveredCopy(const RecoveryCopy &copy)
{
    auto gallery = std::make_unique<GalleryWindow>(m_profile, m_options, m_untitledCount + 1);
    if (!gallery->openRecovered(copy.CopyPath, copy.ProjectPath))
        return nullptr;
    // Only a gallery that stays untitled uses up a number.
    if (copy.ProjectPath.isEmpty())
        ++m_untitledCount;
    return addGalleryWindow(gallery.release(), &copy);
}
