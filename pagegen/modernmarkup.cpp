#include "pagegen/modernmarkup.h"

#include "pagegen/pagevariables.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

QString HtmlText(const QString &text)
{
    QString s;
    s.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&': s += QLatin1String("&amp;"); break;
        case '<': s += QLatin1String("&lt;"); break;
        case '>': s += QLatin1String("&gt;"); break;
        case '"': s += QLatin1String("&quot;"); break;
        default: s += c;
        }
    }
    return s;
}

QString PlainText(const QString &html)
{
    static const QRegularExpression tags(QStringLiteral("<[^>]*>"));
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    QString s = html;
    return s.replace(tags, QStringLiteral(" ")).replace(spaces, QStringLiteral(" ")).trimmed();
}

QString PhotoAltText(const QString &comment, const QString &fileName)
{
    QString alt = PlainText(comment);
    if (alt.isEmpty()) {
        alt = fileName;
        const qsizetype dot = alt.lastIndexOf(QLatin1Char('.'));
        if (dot > 0)
            alt.truncate(dot);
    }
    return HtmlText(alt.isEmpty() ? QStringLiteral("Photo") : alt);
}

QString ModernColorStyle(const WebPage1Options &o)
{
    const WebPage1Options defaults;
    if (o.BackgroundColor == defaults.BackgroundColor && o.TextColor == defaults.TextColor
        && o.Link == defaults.Link)
        // The default link blue is too pale on white: the light scheme takes a darker one.
        return QStringLiteral("<style>:root{color-scheme:dark light;--bg:%1;--fg:%2;--ln:%3;--mu:#bbb}"
                              "@media(prefers-color-scheme:light){:root{--bg:#fff;--fg:#111;--ln:#0a5a80;"
                              "--mu:#555}}</style>")
            .arg(ColorText(o.BackgroundColor), ColorText(o.TextColor), ColorText(o.Link));
    return QStringLiteral("<style>:root{--bg:%1;--fg:%2;--ln:%3;--mu:%2}</style>")
        .arg(ColorText(o.BackgroundColor), ColorText(o.TextColor), ColorText(o.Link));
}

// The page's own rules on a phone: 390 x 844 window, 4 px gaps and margins,
// rows 110 px high, a thumbnail at most 1.6 times its basis, a 90 px header.
int ModernFirstScreenCount(const std::vector<double> &ratios)
{
    const double width = 390 - 8, height = 844 - 90, row = 110, gap = 4;
    double top = 0;
    size_t i = 0;
    while (i < ratios.size() && top < height) {
        double basis = 0, sum = 0;
        size_t n = 0;
        while (i + n < ratios.size()) {
            const double b = std::max(ratios[i + n], 0.05) * row;
            if (n > 0 && basis + b + gap * double(n) > width)
                break;
            basis += b;
            sum += std::max(ratios[i + n], 0.05);
            ++n;
        }
        const double free = width - gap * double(n - 1);
        top += std::min(free / sum, 1.6 * row) + gap;
        i += n;
    }
    return std::max<int>(1, int(i));
}

QString ModernGridMarkup(const ModernGridItem &m)
{
    const double ratio = m.gridSize.height() > 0 ? double(m.gridSize.width()) / m.gridSize.height() : 1.0;
    QString a = QStringLiteral("<a id=\"%1\" href=\"%2\" style=\"--r:%3\" data-s=\"%4\" data-w=\"%5\" "
                               "data-h=\"%6\" data-f=\"%7\" data-fw=\"%8\" data-c=\"%9\">")
                    .arg(m.id, m.pageLink, QString::number(ratio, 'f', 4), m.screenSrcset,
                         QString::number(m.screenSize.width()), QString::number(m.screenSize.height()), m.fullLink,
                         QString::number(m.fullSize.width()), HtmlText(m.caption));
    QString img = QStringLiteral("<img src=\"%1\" srcset=\"%1 1x, %2 2x\" width=\"%3\" height=\"%4\" alt=\"%5\"")
                      .arg(m.grid1x, m.grid2x, QString::number(m.gridSize.width()),
                           QString::number(m.gridSize.height()), m.alt);
    if (m.position == 0)
        img += QLatin1String(" fetchpriority=\"high\"");
    else if (m.position >= m.eagerCount)
        img += QLatin1String(" loading=\"lazy\" decoding=\"async\"");
    return a + img + QLatin1String("></a>\n");
}

QString CameraLine(const std::array<QString, 9> &c)
{
    QStringList parts;
    if (!c[1].isEmpty())
        parts << c[1];
    const double exposure = c[4].toDouble();
    if (exposure >= 1)
        parts << QStringLiteral("1/%1 s").arg(c[4]);
    else if (exposure > 0)
        parts << QStringLiteral("%1 s").arg(QString::number(1 / exposure, 'g', 3));
    if (!c[5].isEmpty())
        parts << QStringLiteral("f/%1").arg(c[5]);
    if (!c[6].isEmpty())
        parts << QStringLiteral("%1 mm").arg(c[6]);
    if (parts.isEmpty())
        return {}; // a date alone is only the file's date
    if (!c[2].isEmpty())
        parts << c[2];
    return HtmlText(parts.join(QStringLiteral(" · ")));
}

QString ScreenSizes(QSize size)
{
    const double ratio = size.height() > 0 ? double(size.width()) / size.height() : 1.0;
    return QStringLiteral("min(100vw, %1vh)").arg(QString::number(std::ceil(85 * ratio)));
}
