#include "pagegen/pagelinks.h"

#include "document/galleryoptions.h"
#include "document/thumbnailpath.h"
#include "pagegen/htmlencoding.h"

qsizetype LastSeparator(const QString &path)
{
    qsizetype pos = path.lastIndexOf(QLatin1Char('/'));
#ifdef Q_OS_WIN
    pos = std::max(pos, path.lastIndexOf(QLatin1Char('\\')));
#endif
    return pos;
}

QString FileNameOf(const QString &path)
{
    const qsizetype sep = LastSeparator(path);
    if (sep < 0 || sep == path.size() - 1)
        return path;
    return path.mid(sep + 1);
}

QString FolderOf(const QString &path)
{
    return path.left(LastSeparator(path) + 1);
}

QString InsertPageNumber(const QString &path, int number)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const QString n = QString::number(number);
    if (dot >= 0 && dot > LastSeparator(path))
        return path.left(dot) + n + path.mid(dot);
    return path + n;
}

QString FileLink(const GalleryOptions &options, const QString &pagePath, const QString &target)
{
    const QString folder = options.WebPage2.RootRelativePath
                               ? RelativeFolder(options.WebPage2.RootPath, target, 1)
                               : RelativeFolder(pagePath, target, 0);
    return UrlSafeLink(folder + FileNameOf(target));
}
