#pragma once
// Recovery copies: what a gallery with unsaved changes leaves behind if the
// program dies. Each copy is a project file in the usual format, with a
// small record beside it naming the process that keeps it up to date, the
// project it belongs to (if any) and when it was written. Both files are
// written whole or not at all.
//
// Any thread may use a store; it holds no state beyond its folder and owner.

#include "document/galleryoptions.h"
#include "document/imageentry.h"
#include "platform/processidentity.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <chrono>
#include <functional>

// One copy found on disk.
struct RecoveryCopy {
    QString CopyPath;    // the project-format copy
    QString ProjectPath; // the gallery's own project file; empty when never saved
    QDateTime Time;      // when the copy was written (UTC)
    ProcessIdentity Owner;

    // The project's file name, or empty for a gallery never saved.
    QString Name() const;
};

// $XDG_STATE_HOME/gallorim/recovery, or ~/.local/state/gallorim/recovery when
// that variable is unset or not absolute (as the XDG rules ask).
QString RecoveryFolderFor(const QString &xdgStateHome, const QString &home);
QString DefaultRecoveryFolder();

class RecoveryStore {
public:
    RecoveryStore() = default;
    RecoveryStore(QString folder, ProcessIdentity owner);

    const QString &Folder() const { return m_folder; }
    bool IsValid() const { return !m_folder.isEmpty(); }

    // A name no other gallery, in this process or another, will choose.
    QString NewCopyPath() const;
    // Writes the copy, then its record with this store's owner and the time.
    // False (the previous copy and record kept) when either write fails.
    bool Write(const QString &copyPath, const QString &projectPath, const GalleryOptions &options,
               const ImageList &images) const;
    // Takes over a copy left by another process: its record names this
    // store's owner from now on, so no other instance offers it.
    bool Claim(const RecoveryCopy &copy) const;
    // Removes the copy and its record; a missing file is no error.
    static void Remove(const QString &copyPath);

    // Copies whose owner no longer runs, newest first. Damaged or partial
    // records are left alone, never listed nor removed.
    QList<RecoveryCopy> OrphanedCopies() const;

private:
    bool WriteRecord(const QString &copyPath, const QString &projectPath, const QDateTime &time) const;

    QString m_folder;
    ProcessIdentity m_owner;
};

// How the galleries of one program run keep their copies.
struct RecoverySettings {
    RecoveryStore Store;
    std::chrono::milliseconds Interval{30000};
    // Called on the save worker after each copy written (tests wait on it).
    std::function<void(const QString &copyPath)> Written;
};
