#pragma once
// File names of each gallery page and its zip, and the previous/next/zip link
// values composed from the design's link sections. Pure rules.

#include "pagegen/pagevariables.h"
#include "pagegen/templatetags.h"

#include <QString>

struct PageNames {
    QString page;     // this page
    QString zip;      // this page's archive, empty without zips
    QString previous; // empty on the first page and without pagination
    QString next;     // empty on the last page and without pagination
};

// Names of page p (0-based). `previousPage` is the page written before this one.
PageNames NamesOfPage(const QString &outputPath, const QString &zipBase, int p, const PageLayout &layout,
                      const QString &previousPage);

// before + <a href="link">inside</a> + after; without a link, before + after.
QString NavigationLink(const QString &before, const QString &inside, const QString &after,
                       const QString &link);

struct NavigationValues {
    QString zip, previous, next;
};
// The three link values of a page; `link` turns a file into its link from this page.
template <typename LinkFn>
NavigationValues ComposeNavigation(const PageDesign &d, const PageNames &names, bool pagination, LinkFn link)
{
    NavigationValues v;
    if (!names.zip.isEmpty())
        v.zip = NavigationLink(d.Section(BEFORE_ZIP_LINK), d.Section(INSIDE_ZIP_LINK), d.Section(AFTER_ZIP_LINK),
                               link(names.zip));
    if (pagination) {
        v.previous = NavigationLink(d.Section(BEFORE_PREVIOUS_LINK), d.Section(INSIDE_PREVIOUS_LINK),
                                    d.Section(AFTER_PREVIOUS_LINK),
                                    names.previous.isEmpty() ? QString() : link(names.previous));
        v.next = NavigationLink(d.Section(BEFORE_NEXT_LINK), d.Section(INSIDE_NEXT_LINK), d.Section(AFTER_NEXT_LINK),
                                names.next.isEmpty() ? QString() : link(names.next));
    }
    return v;
}
