#include "document/thumbnailpath.h"

#include "document/moderncopies.h"

#include "document/fullsizecopy.h"

#include "platform/pathcase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace {
QChar Sep() { return QDir::separator(); }

// Built once: these run for every file of a scanned folder.
const QString &OneSep()
{
    static const QString one(Sep());
    return one;
}

// "\\" doubled, and "\.\" (a separator, a dot, a separator), each become one separator.
QString CollapseSeparators(QString path)
{
    static const QString doubled = OneSep() + OneSep();
    static const QString dot = OneSep() + QLatin1Char('.') + OneSep();
    path.replace(doubled, OneSep());
    if (path.contains(dot))
        path.replace(dot, OneSep());
    return path;
}

// "\..\" and "\.\" each become one separator.
QString CollapseDotSegments(QString path)
{
    static const QString sepDot = OneSep() + QLatin1Char('.');
    if (!path.contains(sepDot))
        return path;
    path.replace(OneSep() + QStringLiteral("..") + OneSep(), OneSep());
    path.replace(sepDot + OneSep(), OneSep());
    return path;
}

// The folder part of a path: up to and including its last separator; a
// path without separator stays whole.
QString FolderPart(const QString &path)
{
    const qsizetype cut = path.lastIndexOf(Sep());
    return cut < 0 ? path : path.left(cut + 1);
}
} // namespace

QString NativeSeparators(const QString &path)
{
    QString out = path;
    out.replace(QLatin1Char('\\'), Sep());
    out.replace(QLatin1Char('/'), Sep());
    return out;
}

QString ThumbnailPath(const QString &imagePath, const QString &preSuffixe, int withPrefixe)
{
    const QString sep(Sep());
    const bool network = imagePath.startsWith(sep + sep);
    const qsizetype dot = imagePath.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return QString();

    const QString extension = imagePath.mid(dot);
    const QString rest = imagePath.left(dot);
    qsizetype cut = rest.lastIndexOf(Sep());
    if (cut < 0)
        cut = rest.lastIndexOf(QLatin1Char('/'));
    const QString folder = cut < 0 ? QString() : rest.left(cut + 1);
    const QString name = cut < 0 ? rest : rest.mid(cut + 1);

    const QString affix = NativeSeparators(preSuffixe);
    QString result = withPrefixe ? folder + affix + name + extension : folder + name + affix + extension;
    // Browsers do not show these, so their thumbnails are JPEG. The photo's
    // own extension stays in the name: "a.heic" and "a.jpg" side by side
    // must not share one thumbnail.
    for (const char *heif : {".heic", ".heif", ".avif"})
        if (extension.compare(QLatin1String(heif), Qt::CaseInsensitive) == 0)
            result += QStringLiteral(".jpg");
    result = CollapseSeparators(result);
    if (network)
        result.prepend(sep);
    return result;
}

bool IsThumbnailName(const QString &path, const QString &preSuffixe, int withPrefixe)
{
    // The modern design's copies are named after the thumbnail they stand beside.
    if (const QString thumbnail = ThumbnailOfModernCopy(path); !thumbnail.isEmpty()
        && IsThumbnailName(thumbnail, preSuffixe, withPrefixe))
        return true;
    const QString p = FoldPathCase(CollapseDotSegments(NativeSeparators(preSuffixe)));
    const QString t = FoldPathCase(path);
    if (p.isEmpty())
        return false; // an empty affix names no thumbnail
    // Every occurrence is tried: the affix may also appear in a folder name
    // before the one that makes the thumbnail name.
    for (qsizetype at = t.indexOf(p); at >= 0; at = t.indexOf(p, at + 1)) {
        const QString candidate = t.left(at) + t.mid(at + p.size());
        if (CollapseDotSegments(ThumbnailPath(candidate, p, withPrefixe)) == t)
            return true;
        // A HEIC's thumbnail and its full-size copy end in ".jpg" and
        // ".full.jpg" after the photo's extension, where a suffix does not go.
        if (candidate.endsWith(QLatin1String(".jpg"))
            && CollapseDotSegments(ThumbnailPath(candidate.chopped(4), p, withPrefixe)) == t)
            return true;
        if (candidate.endsWith(QLatin1String(".full.jpg"))) {
            const QString copy = FullSizeCopyPath(candidate.chopped(9), p, withPrefixe);
            if (!copy.isEmpty() && CollapseDotSegments(copy) == t)
                return true;
        }
    }
    return false;
}

QString RelativeFolder(const QString &fromPath, const QString &toPath, int rooted)
{
    const QChar sep = Sep();
    QString A = FolderPart(fromPath);
    QString B = FolderPart(toPath);
    QString a = FoldPathCase(A);
    QString b = FoldPathCase(B);

    if (a == b)
        return rooted ? QStringLiteral("/") : QString();

    bool matchedAny = false;
    for (;;) {
        const qsizetype ea = a.indexOf(sep);
        const qsizetype eb = b.indexOf(sep);
        if (ea < 0 || eb < 0 || ea != eb || a.left(ea + 1) != b.left(eb + 1))
            break;
        matchedAny = true;
        A.remove(0, ea + 1);
        a.remove(0, ea + 1);
        B.remove(0, eb + 1);
        b.remove(0, eb + 1);
    }
    if (!matchedAny)
        return UnreachablePathMarker();
    if (rooted && !A.isEmpty())
        return UnreachablePathMarker();

    QString r;
    const qsizetype ups = A.count(sep);
    for (qsizetype i = 0; i < ups; ++i)
        r += QStringLiteral("..") + sep;
    r += B;
    if (!r.endsWith(sep))
        r += sep;
    if (rooted)
        r.prepend(sep);
    r.replace(sep, QLatin1Char('/'));
    return r;
}

#ifdef Q_OS_WIN
namespace {
// Windows keeps a stored spelling that lookups ignore: the drive or share in
// capitals, then each component as the directory lists it (long name, case).
QString StoredSpelling(const QString &path)
{
    qsizetype rootEnd = path.indexOf(QLatin1Char('\\'));
    if (path.startsWith(QStringLiteral("\\\\"))) {
        const qsizetype serverEnd = path.indexOf(QLatin1Char('\\'), 2);
        rootEnd = serverEnd < 0 ? -1 : path.indexOf(QLatin1Char('\\'), serverEnd + 1);
    }
    if (rootEnd < 0)
        return path;
    QString out = path.left(rootEnd + 1).toUpper();
    const QStringList parts = path.mid(rootEnd + 1).split(QLatin1Char('\\'));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QString part = parts[i];
        if (!part.isEmpty()) {
            WIN32_FIND_DATAW found;
            const HANDLE h = FindFirstFileW((out + part).toStdWString().c_str(), &found);
            if (h != INVALID_HANDLE_VALUE) {
                FindClose(h);
                part = QString::fromWCharArray(found.cFileName);
            }
        }
        out += part;
        if (i + 1 < parts.size())
            out += QLatin1Char('\\');
    }
    return out;
}
} // namespace
#endif

QString OnDiskPath(const QString &path)
{
    if (path.isEmpty())
        return path;
    return OnDiskPath(QFileInfo(path));
}

QString OnDiskPath(const QFileInfo &info)
{
    return OnDiskPath(info, info.isReadable());
}

QString OnDiskPath(const QFileInfo &info, bool readable)
{
    const QString path = info.filePath();
    if (path.isEmpty() || !readable)
        return path;
    // Symlinks stay as the user named them; only the spelling is made absolute and clean.
    const QString clean = QDir::toNativeSeparators(QDir::cleanPath(info.absoluteFilePath()));
#ifdef Q_OS_WIN
    return StoredSpelling(clean);
#else
    return clean;
#endif
}

bool CreateFolders(const QString &folder)
{
    if (folder.isEmpty())
        return false;
    if (QFileInfo(folder).isDir())
        return true;
    QString path = folder;
    if (path.endsWith(Sep()))
        path.chop(1);
    const qsizetype cut = path.lastIndexOf(Sep());
    if (cut < 0)
        return false;
    // The parent of a folder just under the root is the root itself.
    const QString parent = cut == 0 ? QString(Sep()) : path.left(cut);
    if (!QFileInfo(parent).isDir() && !CreateFolders(parent))
        return false;
    return QDir().mkdir(path);
}

QString SizeTextForBytes(qint64 bytes)
{
    static const char *const units[] = {"Octets", "ko", "Mo", "Go", "To"};
    double x = static_cast<double>(bytes);
    int unit = 0;
    while (x >= 1024 && unit < 4) {
        x *= 0.0009765625;
        ++unit;
    }
    const char *format = x > 100 ? "%.0f " : (x > 10 ? "%.1f " : "%.2f ");
    return QString::asprintf(format, x) + QLatin1String(units[unit]);
}

QString SizeText(const QString &path, qint64 *bytes)
{
    // Only regular files are opened: opening a named pipe would wait for a writer.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return QString();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const qint64 length = file.size();
    if (length < 0)
        return QString();
    if (bytes)
        *bytes = length;
    return SizeTextForBytes(length);
}
