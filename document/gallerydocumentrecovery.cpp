// The recovery copy: kept by the save worker while the gallery has unsaved changes.
#include "document/gallerydocument.h"

#include "document/recoveryschedule.h"

#include <algorithm>

namespace {
// While images are still coming in, the copy waits: a list half loaded
// would replace a complete copy.
constexpr std::chrono::milliseconds kAddingRetry{1000};
} // namespace

void GalleryDocument::EnableRecovery(RecoverySettings settings, const RecoveryCopy *adopted)
{
    if (adopted)
        settings.Store.Claim(*adopted);
    {
        std::lock_guard lock(m_recoveryLock);
        if (adopted) {
            m_recoveryCopy = adopted->CopyPath;
            // The copy holds what is being loaded: only later changes need a new one.
            std::lock_guard modified(m_modifiedLock);
            m_recoveryChanges = m_changes;
        }
        m_recovery = std::move(settings);
    }
    m_recoveryEnabled = true;
    if (IsModified())
        m_recoveryEvent.Set();
}

QString GalleryDocument::RecoveryCopyPath() const
{
    std::lock_guard lock(m_recoveryLock);
    return m_recoveryCopy;
}

void GalleryDocument::RecoveryChanged(RecoverySchedule &schedule)
{
    if (!IsModified()) {
        m_recoveryArmed = false;
        schedule.Done();
        DiscardRecoveryCopy();
        return;
    }
    std::chrono::milliseconds interval;
    {
        std::lock_guard lock(m_recoveryLock);
        if (!m_recovery)
            return;
        interval = m_recovery->Interval;
    }
    m_recoveryArmed = true;
    schedule.Changed(RecoverySchedule::Clock::now(), interval);
}

void GalleryDocument::RecoveryDue(RecoverySchedule &schedule)
{
    // Cleared before the list is read: a change from here on arms the next copy.
    m_recoveryArmed = false;
    schedule.Done();
    if (!IsModified()) {
        DiscardRecoveryCopy();
        return;
    }
    std::unique_lock lock(m_recoveryLock);
    if (!m_recovery)
        return;
    if (GetPendingAddCount() > 0) {
        m_recoveryArmed = true;
        schedule.Retry(RecoverySchedule::Clock::now(), std::min(kAddingRetry, m_recovery->Interval));
        return;
    }
    std::uint64_t changes;
    ImageList images;
    {
        // Copied, not written, under the list lock: the list is held for a copy's time only.
        std::lock_guard list(m_listLock);
        std::lock_guard modified(m_modifiedLock);
        changes = m_changes;
        images = m_imageList;
    }
    if (changes == m_recoveryChanges && !m_recoveryCopy.isEmpty())
        return;
    if (m_recoveryCopy.isEmpty())
        m_recoveryCopy = m_recovery->Store.NewCopyPath();
    // A failed write keeps the previous copy; the next change tries again.
    if (!m_recovery->Store.Write(m_recoveryCopy, GetPathName(), GetOptions(), images))
        return;
    m_recoveryChanges = changes;
    const auto written = m_recovery->Written;
    const QString copy = m_recoveryCopy;
    lock.unlock();
    if (written)
        written(copy);
}

void GalleryDocument::DiscardRecoveryCopy()
{
    std::lock_guard lock(m_recoveryLock);
    if (m_recoveryCopy.isEmpty())
        return;
    RecoveryStore::Remove(m_recoveryCopy);
    m_recoveryCopy.clear();
}
