#pragma once
// Zip archive of the full-size images of one gallery page, over libzip.
//
// Contract the page builder relies on:
//  - Open(path, zipCreate, 0) creates a new, valid, empty archive at once,
//    replacing any file of that name; failure throws ZipException.
//  - AddNewFile() answers whether the file was taken: false for a file that is
//    missing or unreadable (the archive stays usable). The file is held open
//    from then on, so it may vanish before Close() without harm. Each entry is
//    deflated at the given level, or stored when deflating would not make it
//    smaller. A name already in the archive gets " (2)", " (3)"... before its
//    extension, so extracting the archive never overwrites one image by another.
//  - Close() writes everything out; afterwards the file is a complete archive
//    whose size can be read. On failure it throws and keeps the archive open:
//    CloseFileAfterTestFailed() then releases it without writing.
// One object is used by one thread at a time.

#include <QList>
#include <QSet>
#include <QString>
#include <stdexcept>

struct zip;

class ZipException : public std::runtime_error {
public:
    enum Cause { FileError, ZipError };
    ZipException(Cause cause, const QString &message);
    Cause cause() const { return m_cause; }

private:
    Cause m_cause;
};

class ZipArchive {
public:
    enum OpenMode { zipOpen = 0, zipOpenReadOnly = 1, zipCreate = 2 };
    // Smartness flags of AddNewFile; only the efficiency check has a meaning here.
    enum Smartness { zipsmCheckForEff = 0x01, zipsmSafeSmart = 0x07 };

    ZipArchive();
    ~ZipArchive(); // releases an archive still open without writing it
    ZipArchive(const ZipArchive &) = delete;
    ZipArchive &operator=(const ZipArchive &) = delete;

    // Only single-volume archives exist here: a volume size other than 0 throws.
    void Open(const QString &path, int mode = zipCreate, int volumeSize = 0);
    bool AddNewFile(const QString &filePath, const QString &nameInArchive, int level = 5,
                    int smartness = zipsmSafeSmart, unsigned long bufferSize = 65536);
    // afterException != 0 drops pending additions instead of writing them.
    // updateTimeStamp gives the archive file the time of its newest entry.
    void Close(int afterException = 0, bool updateTimeStamp = false);
    void CloseFileAfterTestFailed();

    bool IsClosed() const { return m_zip == nullptr; }
    QString GetArchivePath() const { return m_path; }

private:
    void Commit(bool reopen);
    void Reopen();
    void MarkUnhelpfulDeflateAsStored();
    QString UniqueName(const QString &name) const;

    zip *m_zip = nullptr;
    QString m_path;
    bool m_readOnly = false;
    int m_pendingSources = 0;       // files held open until the next commit
    QList<qint64> m_toJudge;        // deflated entries not yet compared with their size
    bool m_storeFixesPending = false;
    qint64 m_newestEntrySecs = 0;
    QSet<QString> m_names;
};

// In-archive name of an image: its folder relative to the archive's folder
// (URL form, as RelativeFolder writes it) followed by its file name. Steps that
// climb out of the archive's folder are dropped, so every name stays inside the
// folder the archive is extracted to; a folder that cannot be expressed
// ("???PATH???") leaves the file name alone.
QString ZipEntryName(const QString &relativeFolder, const QString &fileName);

// Where a gallery's zips go: `zipName` beside `pagePath`, once a test archive
// could be made there (its folders created), in its on-disk form; "" when no
// archive can be written there.
QString WritableZipBase(const QString &pagePath, const QString &zipName);
