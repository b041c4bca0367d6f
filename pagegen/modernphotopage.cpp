#include "pagegen/modernphotopage.h"

#include <algorithm>
#include <tuple>
#include <utility>
#include <vector>

QString ModernPhotoPage(const QString &design, const ModernPhotoPageParts &p)
{
    const std::vector<std::pair<QLatin1String, const QString *>> parts{
        {QLatin1String("?$MODERN_OWNER"), &p.owner},
        {QLatin1String("?$MODERN_COLORS"), &p.colors},
        {QLatin1String("?$MODERN_PHOTO_TITLE"), &p.title},
        {QLatin1String("?$MODERN_DESCRIPTION"), &p.description},
        {QLatin1String("?$MODERN_PREVIOUS"), &p.previous},
        {QLatin1String("?$MODERN_BACK"), &p.back},
        {QLatin1String("?$MODERN_NEXT"), &p.next},
        {QLatin1String("?$MODERN_PICTURE"), &p.picture},
        {QLatin1String("?$MODERN_DETAILS"), &p.details},
        {QLatin1String("?$MODERN_CAPTION"), &p.caption},
    };
    // Places are found in the design alone and filled from the end, so that
    // no text put in (a comment, a file name) is ever read as a marker.
    std::vector<std::tuple<qsizetype, qsizetype, const QString *>> places;
    for (const auto &[marker, value] : parts)
        for (qsizetype at = design.indexOf(marker); at >= 0; at = design.indexOf(marker, at + 1))
            places.emplace_back(at, marker.size(), value);
    std::sort(places.begin(), places.end(), [](const auto &a, const auto &b) { return std::get<0>(a) > std::get<0>(b); });
    QString text = design;
    for (const auto &[at, length, value] : places)
        text.replace(at, length, *value);
    return text;
}

QString PhotoNavLink(const QString &href, const QString &text, const QString &rel)
{
    if (href.isEmpty())
        return QStringLiteral("<span class=\"nav-off\"></span>");
    const QString relText = rel.isEmpty() ? QString() : QStringLiteral(" rel=\"%1\"").arg(rel);
    return QStringLiteral("<a href=\"%1\"%2>%3</a>").arg(href, relText, text);
}
