#include "shell/gallery/fileclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

namespace {
const QString kGnomeCopiedFiles = QStringLiteral("x-special/gnome-copied-files");

QStringList LocalPaths(const QList<QUrl> &urls)
{
    QStringList paths;
    for (const QUrl &url : urls) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    return paths;
}
} // namespace

QMimeData *CreateFileListMimeData(const QStringList &paths)
{
    auto *mime = new QMimeData;
    QList<QUrl> urls;
    QByteArray gnome("copy");
    for (const QString &path : paths) {
        const QUrl url = QUrl::fromLocalFile(path);
        urls.append(url);
        gnome += '\n' + url.toEncoded();
    }
    mime->setUrls(urls);
    mime->setData(kGnomeCopiedFiles, gnome);
    return mime;
}

QStringList FileListPaths(const QMimeData *mime)
{
    if (!mime)
        return {};
    if (mime->hasUrls())
        return LocalPaths(mime->urls());
    if (!mime->hasFormat(kGnomeCopiedFiles))
        return {};
    // First line: "copy" or "cut"; then one URL per line.
    const QList<QByteArray> lines = mime->data(kGnomeCopiedFiles).split('\n');
    QList<QUrl> urls;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (!lines[i].trimmed().isEmpty())
            urls.append(QUrl::fromEncoded(lines[i].trimmed()));
    }
    return LocalPaths(urls);
}

bool HasFileList(const QMimeData *mime)
{
    return !FileListPaths(mime).isEmpty();
}

QStringList ClipboardFileList()
{
    const QClipboard *clipboard = QGuiApplication::clipboard();
    return clipboard ? FileListPaths(clipboard->mimeData()) : QStringList();
}
