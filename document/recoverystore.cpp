#include "document/recoverystore.h"

#include "document/projectfile.h"
#include "platform/atomicfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>
#include <algorithm>

namespace {
const QString kCopySuffix = QStringLiteral(".glr");
const QString kRecordSuffix = QStringLiteral(".json");

QString RecordPathOf(const QString &copyPath)
{
    const QFileInfo info(copyPath);
    return info.dir().filePath(info.completeBaseName() + kRecordSuffix);
}

// Recovered content is private: only its owner may read the folder.
bool MakePrivateFolder(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return false;
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return true;
}

bool ReadRecord(const QString &recordPath, RecoveryCopy &copy)
{
    QFile file(recordPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QJsonObject record = QJsonDocument::fromJson(file.read(64 * 1024)).object();
    const QJsonObject owner = record.value(QStringLiteral("owner")).toObject();
    copy.Owner.Pid = owner.value(QStringLiteral("pid")).toInteger();
    copy.Owner.StartTicks = owner.value(QStringLiteral("start")).toString().toULongLong();
    copy.ProjectPath = record.value(QStringLiteral("project")).toString();
    copy.Time = QDateTime::fromString(record.value(QStringLiteral("time")).toString(), Qt::ISODateWithMs);
    return copy.Owner.Pid > 0 && copy.Time.isValid();
}
} // namespace

QString RecoveryCopy::Name() const
{
    return ProjectPath.isEmpty() ? QString() : QFileInfo(ProjectPath).fileName();
}

QString RecoveryFolderFor(const QString &xdgStateHome, const QString &home)
{
    const QString state = QDir::isAbsolutePath(xdgStateHome) ? xdgStateHome
                                                             : QDir(home).filePath(QStringLiteral(".local/state"));
    return QDir::cleanPath(state + QStringLiteral("/gallorim/recovery"));
}

QString DefaultRecoveryFolder()
{
    return RecoveryFolderFor(qEnvironmentVariable("XDG_STATE_HOME"), QDir::homePath());
}

RecoveryStore::RecoveryStore(QString folder, ProcessIdentity owner) : m_folder(std::move(folder)), m_owner(owner) {}

QString RecoveryStore::NewCopyPath() const
{
    return QDir(m_folder).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) + kCopySuffix);
}

bool RecoveryStore::Write(const QString &copyPath, const QString &projectPath, const GalleryOptions &options,
                          const ImageList &images) const
{
    if (!IsValid() || !MakePrivateFolder(m_folder))
        return false;
    // The copy first: a record always describes a complete copy.
    return SaveProjectFile(copyPath, options, images)
        && WriteRecord(copyPath, projectPath, QDateTime::currentDateTimeUtc());
}

bool RecoveryStore::Claim(const RecoveryCopy &copy) const
{
    return IsValid() && WriteRecord(copy.CopyPath, copy.ProjectPath, copy.Time);
}

bool RecoveryStore::WriteRecord(const QString &copyPath, const QString &projectPath, const QDateTime &time) const
{
    QJsonObject owner;
    owner.insert(QStringLiteral("pid"), m_owner.Pid);
    // As text: tick counts may exceed what a JSON number holds exactly.
    owner.insert(QStringLiteral("start"), QString::number(m_owner.StartTicks));
    QJsonObject record;
    record.insert(QStringLiteral("owner"), owner);
    record.insert(QStringLiteral("project"), projectPath);
    record.insert(QStringLiteral("time"), time.toUTC().toString(Qt::ISODateWithMs));
    return WriteFileAtomically(RecordPathOf(copyPath), QJsonDocument(record).toJson());
}

void RecoveryStore::Remove(const QString &copyPath)
{
    if (copyPath.isEmpty())
        return;
    // The record goes first: a copy without one is never offered.
    QFile::remove(RecordPathOf(copyPath));
    QFile::remove(copyPath);
}

QList<RecoveryCopy> RecoveryStore::OrphanedCopies() const
{
    QList<RecoveryCopy> copies;
    if (!IsValid())
        return copies;
    const QDir folder(m_folder);
    const QStringList records = folder.entryList({QStringLiteral("*") + kRecordSuffix}, QDir::Files);
    for (const QString &name : records) {
        RecoveryCopy copy;
        copy.CopyPath = folder.filePath(QFileInfo(name).completeBaseName() + kCopySuffix);
        if (!ReadRecord(folder.filePath(name), copy) || !QFileInfo(copy.CopyPath).isFile())
            continue;
        if (copy.Owner == m_owner || IsProcessRunning(copy.Owner))
            continue;
        copies << copy;
    }
    std::sort(copies.begin(), copies.end(),
              [](const RecoveryCopy &a, const RecoveryCopy &b) { return a.Time > b.Time; });
    return copies;
}
