#include "pagegen/ziparchive.h"

#include "document/thumbnailpath.h"
#include "pagegen/pagelinks.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cstdio>
#include <zip.h>

namespace {

// Files held open at once before the archive is written out. Bounds the
// descriptors a page of thousands of images would need, while keeping the
// rewrites of the archive (each commit copies it) to a handful per page.
constexpr int kMaxPendingSources = 256;

// End-of-central-directory record of an archive without entries.
constexpr char kEmptyArchive[22] = {'P', 'K', 5, 6};

bool IsFileErrorCode(int code)
{
    switch (code) {
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
    case ZIP_ER_WRITE:
    case ZIP_ER_SEEK:
    case ZIP_ER_CLOSE:
    case ZIP_ER_RENAME:
    case ZIP_ER_REMOVE:
    case ZIP_ER_TMPOPEN:
    case ZIP_ER_NOENT:
    case ZIP_ER_EXISTS:
    case ZIP_ER_RDONLY:
        return true;
    default:
        return false;
    }
}

[[noreturn]] void ThrowZipError(zip_error_t *error, const QString &path)
{
    const int code = zip_error_code_zip(error);
    const QString text = QString::fromUtf8(zip_error_strerror(error));
    throw ZipException(IsFileErrorCode(code) ? ZipException::FileError : ZipException::ZipError,
                        path + QStringLiteral(": ") + text);
}

std::FILE *OpenForReading(const QString &path)
{
#ifdef Q_OS_WIN
    return _wfopen(reinterpret_cast<const wchar_t *>(path.utf16()), L"rb");
#else
    return std::fopen(QFile::encodeName(path).constData(), "rb");
#endif
}

// libzip takes UTF-8 names on Windows and the local encoding elsewhere.
QByteArray ArchivePathBytes(const QString &path)
{
#ifdef Q_OS_WIN
    return path.toUtf8();
#else
    return QFile::encodeName(path);
#endif
}

void WriteEmptyArchive(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw ZipException(ZipException::FileError, path + QStringLiteral(": ") + file.errorString());
    if (file.write(kEmptyArchive, sizeof kEmptyArchive) != qint64(sizeof kEmptyArchive) || !file.flush())
        throw ZipException(ZipException::FileError, path + QStringLiteral(": ") + file.errorString());
}

} // namespace

ZipException::ZipException(Cause cause, const QString &message)
    : std::runtime_error(message.toStdString()), m_cause(cause)
{
}

ZipArchive::ZipArchive() = default;

ZipArchive::~ZipArchive()
{
    if (m_zip)
        zip_discard(m_zip);
}

void ZipArchive::Open(const QString &path, int mode, int volumeSize)
{
    if (m_zip)
        throw ZipException(ZipException::ZipError, QStringLiteral("archive already open"));
    if (volumeSize != 0)
        throw ZipException(ZipException::ZipError, QStringLiteral("multi-volume archives are not supported"));
    // libzip writes nothing until it closes, and removes an archive left
    // empty; a real empty archive now lets the caller see failures at once
    // and keeps a valid file even when nothing is ever added.
    if (mode == zipCreate)
        WriteEmptyArchive(path);
    m_path = path;
    m_readOnly = mode == zipOpenReadOnly;
    m_pendingSources = 0;
    m_toJudge.clear();
    m_storeFixesPending = false;
    m_newestEntrySecs = 0;
    m_names.clear();
    Reopen();
    const zip_int64_t count = zip_get_num_entries(m_zip, 0);
    for (zip_int64_t i = 0; i < count; ++i)
        m_names.insert(QString::fromUtf8(zip_get_name(m_zip, zip_uint64_t(i), 0)).toLower());
}

void ZipArchive::Reopen()
{
    int errorCode = 0;
    m_zip = zip_open(ArchivePathBytes(m_path).constData(), m_readOnly ? ZIP_RDONLY : 0, &errorCode);
    if (!m_zip) {
        zip_error_t error;
        zip_error_init_with_code(&error, errorCode);
        const QString text = QString::fromUtf8(zip_error_strerror(&error));
        zip_error_fini(&error);
        throw ZipException(IsFileErrorCode(errorCode) ? ZipException::FileError : ZipException::ZipError,
                            m_path + QStringLiteral(": ") + text);
    }
}

bool ZipArchive::AddNewFile(const QString &filePath, const QString &nameInArchive, int level,
                             int smartness, unsigned long /*bufferSize*/)
{
    if (!m_zip || m_readOnly || nameInArchive.isEmpty())
        return false;
    const QFileInfo info(filePath);
    if (!info.isFile())
        return false;
    std::FILE *file = OpenForReading(filePath);
    if (!file)
        return false;
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_filep_create(file, 0, -1, &error);
    zip_error_fini(&error);
    if (!source) {
        std::fclose(file);
        return false;
    }
    const QString name = UniqueName(nameInArchive);
    const zip_int64_t index = zip_file_add(m_zip, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
        zip_source_free(source); // also closes the file
        return false;
    }
    const bool deflate = level > 0;
    zip_set_file_compression(m_zip, zip_uint64_t(index), deflate ? ZIP_CM_DEFLATE : ZIP_CM_STORE,
                             deflate ? zip_uint32_t(qMin(level, 9)) : 0);
    if (deflate && (smartness & zipsmCheckForEff))
        m_toJudge.append(index);
    m_names.insert(name.toLower());
    m_newestEntrySecs = qMax(m_newestEntrySecs, info.lastModified().toSecsSinceEpoch());
    if (++m_pendingSources >= kMaxPendingSources)
        Commit(true);
    return true;
}

void ZipArchive::Commit(bool reopen)
{
    if (zip_close(m_zip) != 0)
        ThrowZipError(zip_get_error(m_zip), m_path); // still open: the caller may recover
    m_zip = nullptr;
    m_pendingSources = 0;
    m_storeFixesPending = false;
    if (!reopen)
        return;
    Reopen();
    MarkUnhelpfulDeflateAsStored();
}

// Whether deflating helps is only known once an entry is written; entries
// that did not shrink are turned into stored ones by the next write-out.
void ZipArchive::MarkUnhelpfulDeflateAsStored()
{
    for (const qint64 index : std::as_const(m_toJudge)) {
        zip_stat_t stat;
        if (zip_stat_index(m_zip, zip_uint64_t(index), 0, &stat) != 0)
            continue;
        const bool known = (stat.valid & ZIP_STAT_SIZE) && (stat.valid & ZIP_STAT_COMP_SIZE)
                           && (stat.valid & ZIP_STAT_COMP_METHOD);
        if (known && stat.comp_method != ZIP_CM_STORE && stat.comp_size >= stat.size) {
            zip_set_file_compression(m_zip, zip_uint64_t(index), ZIP_CM_STORE, 0);
            m_storeFixesPending = true;
        }
    }
    m_toJudge.clear();
}

void ZipArchive::Close(int afterException, bool updateTimeStamp)
{
    if (!m_zip)
        return;
    if (afterException != 0 || m_readOnly) {
        CloseFileAfterTestFailed();
        return;
    }
    Commit(true);
    if (m_storeFixesPending)
        Commit(true);
    zip_discard(m_zip);
    m_zip = nullptr;
    if (updateTimeStamp && m_newestEntrySecs > 0) {
        QFile file(m_path);
        if (file.open(QIODevice::Append))
            file.setFileTime(QDateTime::fromSecsSinceEpoch(m_newestEntrySecs),
                             QFileDevice::FileModificationTime);
    }
}

void ZipArchive::CloseFileAfterTestFailed()
{
    if (m_zip)
        zip_discard(m_zip); // frees pending sources and closes their files
    m_zip = nullptr;
    m_pendingSources = 0;
    m_toJudge.clear();
    m_storeFixesPending = false;
}

QString ZipArchive::UniqueName(const QString &name) const
{
    // Extraction on Windows ignores letter case, so names are compared without it.
    if (!m_names.contains(name.toLower()))
        return name;
    const qsizetype slash = name.lastIndexOf(QLatin1Char('/'));
    qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= slash + 1)
        dot = name.size();
    const QString stem = name.left(dot);
    const QString extension = name.mid(dot);
    for (int n = 2;; ++n) {
        const QString candidate = stem + QStringLiteral(" (%1)").arg(n) + extension;
        if (!m_names.contains(candidate.toLower()))
            return candidate;
    }
}

QString ZipEntryName(const QString &relativeFolder, const QString &fileName)
{
    if (relativeFolder == QLatin1String("???PATH???"))
        return fileName;
    // Whole "." and ".." steps go, not just the text "../": a folder called
    // "x.." keeps its name, and no name can climb out of the extraction folder.
    QStringList kept;
    const QStringList steps = QString(relativeFolder).replace(QLatin1Char('\\'), QLatin1Char('/'))
                                  .split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &step : steps) {
        if (step != QLatin1String(".") && step != QLatin1String(".."))
            kept.append(step);
    }
    if (kept.isEmpty())
        return fileName;
    return kept.join(QLatin1Char('/')) + QLatin1Char('/') + fileName;
}

QString WritableZipBase(const QString &pagePath, const QString &zipName)
{
    const QString base = FolderOf(pagePath) + NativeSeparators(zipName);
    try {
        CreateFolders(FolderOf(base));
        ZipArchive test;
        try {
            test.Open(base, ZipArchive::zipCreate, 0);
            test.Close(0, false);
        } catch (...) {
            if (!test.IsClosed())
                test.CloseFileAfterTestFailed();
            throw;
        }
        return OnDiskPath(base);
    } catch (const std::exception &) {
        return QString();
    }
}
