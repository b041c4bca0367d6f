#include "pagegen/gallerynavigation.h"

#include "pagegen/pagelinks.h"

PageNames NamesOfPage(const QString &outputPath, const QString &zipBase, int p, const PageLayout &layout,
                      const QString &previousPage)
{
    PageNames n;
    n.page = outputPath;
    n.zip = zipBase;
    if (!layout.pagination)
        return n;
    if (p >= 1) {
        n.page = InsertPageNumber(outputPath, p + 1);
        if (!zipBase.isEmpty())
            n.zip = InsertPageNumber(zipBase, p + 1);
    }
    if (p < layout.pages - 1)
        n.next = InsertPageNumber(outputPath, p + 2);
    n.previous = previousPage;
    return n;
}

QString NavigationLink(const QString &before, const QString &inside, const QString &after, const QString &link)
{
    if (link.isEmpty())
        return before + after;
    return before + QLatin1String("<a href=\"") + link + QLatin1String("\">") + inside + QLatin1String("</a>")
           + after;
}
