#include "pagegen/pagevariables.h"

#include "document/imageentry.h"
#include "document/thumbnailpath.h"
#include "pagegen/htmlencoding.h"
#include "pagegen/pagelinks.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <vector>

namespace {

const char *const kNames[PAGE_VARIABLE_COUNT] = {
    "?$VORLEX_VAR_INSERT_ZIP_LINK",
    "?$VORLEX_VAR_INSERT_PREVIOUS_LINK",
    "?$VORLEX_VAR_INSERT_NEXT_LINK",
    "?$VORLEX_VARIABLE_TITLE",
    "?$VORLEX_VARIABLE_NUMBER_OF_IMAGES",
    "?$VORLEX_VARIABLE_NUMBER_OF_LINES",
    "?$VORLEX_VARIABLE_NUMBER_OF_PAGES",
    "?$VORLEX_VARIABLE_NB_IMAGE_PER_LINE",
    "?$VORLEX_VARIABLE_NB_LINE_PER_PAGE",
    "?$VORLEX_VARIABLE_NB_IMAGE_PER_PAGE",
    "?$VORLEX_VARIABLE_PAGE_INDEX",
    "?$VORLEX_VARIABLE_NB_IMAGE_IN_THIS_PAGE",
    "?$VORLEX_VARIABLE_NB_LINE_IN_THIS_PAGE",
    "?$VORLEX_VARIABLE_TEXTCOLOR",
    "?$VORLEX_VARIABLE_BGCOLOR",
    "?$VORLEX_VARIABLE_LINKCOLOR",
    "?$VORLEX_VARIABLE_BACKGROUND_IMAGE",
    "?$VORLEX_VARIABLE_PROTECT_TOOLBAR_IMAGE",
    "?$VORLEX_VARIABLE_PROTECT_IMAGES_RIGHT_CLIC",
    "?$VORLEX_VARIABLE_PROTECT_IMAGES_BIS_RIGHT_CLIC",
    "?$VORLEX_VARIABLE_BORDERCOLOR",
    "?$VORLEX_VARIABLE_ZIP_SIZE",
    "?$VORLEX_VARIABLE_IMAGE_INDEX",
    "?$VORLEX_VARIABLE_IMAGE_POS_IN_LINE",
    "?$VORLEX_VARIABLE_IMAGE_POS_IN_PAGE",
    "?$VORLEX_VARIABLE_IMAGE_NAME",
    "?$VORLEX_VARIABLE_IMAGE_DIMENSIONS",
    "?$VORLEX_VARIABLE_IMAGE_SIZE",
    "?$VORLEX_VARIABLE_NB_IMAGE_IN_THIS_LINE",
    "?$VORLEX_VARIABLE_LINE_INDEX",
    "?$VORLEX_VARIABLE_LINE_POS_IN_PAGE",
    "?$VORLEX_VARIABLE_VIGNETTE_NAME",
    "?$VORLEX_VARIABLE_VIGNETTE_DIMENSIONS",
    "?$VORLEX_VARIABLE_VIGNETTE_SIZE",
    "?$VORLEX_VARIABLE_APN_BRAND",
    "?$VORLEX_VARIABLE_APN_TYPE",
    "?$VORLEX_VARIABLE_APN_DATE",
    "?$VORLEX_VARIABLE_APN_TIME",
    "?$VORLEX_VARIABLE_APN_EXP_TIME",
    "?$VORLEX_VARIABLE_APN_DIAPH",
    "?$VORLEX_VARIABLE_APN_FOCAL",
    "?$VORLEX_VARIABLE_APN_FLASH",
    "?$VORLEX_VARIABLE_APN_ISO",
    "?$VORLEX_VARIABLE_IMAGE_COMMENTS",
};

// Page-level substitution order (BORDERCOLOR is handled apart: it may be the image's).
constexpr PageVariable kPageOrder[] = {
    VAR_INSERT_ZIP_LINK,       VAR_INSERT_PREVIOUS_LINK,      VAR_INSERT_NEXT_LINK,
    VAR_TITLE,                 VAR_NUMBER_OF_IMAGES,          VAR_NUMBER_OF_LINES,
    VAR_NUMBER_OF_PAGES,       VAR_NB_IMAGE_PER_LINE,         VAR_NB_LINE_PER_PAGE,
    VAR_NB_IMAGE_PER_PAGE,     VAR_PAGE_INDEX,                VAR_NB_IMAGE_IN_THIS_PAGE,
    VAR_NB_LINE_IN_THIS_PAGE,  VAR_TEXTCOLOR,                 VAR_BGCOLOR,
    VAR_LINKCOLOR,             VAR_BACKGROUND_IMAGE,          VAR_PROTECT_TOOLBAR_IMAGE,
    VAR_PROTECT_IMAGES_RIGHT_CLIC, VAR_PROTECT_IMAGES_BIS_RIGHT_CLIC, VAR_BORDERCOLOR,
    VAR_ZIP_SIZE,
};

constexpr PageVariable kImageOrder[] = {
    VAR_IMAGE_INDEX,         VAR_IMAGE_POS_IN_LINE,     VAR_IMAGE_POS_IN_PAGE, VAR_IMAGE_NAME,
    VAR_IMAGE_DIMENSIONS,    VAR_IMAGE_SIZE,            VAR_NB_IMAGE_IN_THIS_LINE,
    VAR_NB_IMAGE_IN_THIS_PAGE, VAR_LINE_INDEX,          VAR_LINE_POS_IN_PAGE,
    VAR_NB_LINE_IN_THIS_PAGE, VAR_PAGE_INDEX,           VAR_VIGNETTE_NAME,     VAR_VIGNETTE_DIMENSIONS,
    VAR_VIGNETTE_SIZE,       VAR_APN_BRAND,             VAR_APN_TYPE,          VAR_APN_DATE,
    VAR_APN_TIME,            VAR_APN_EXP_TIME,          VAR_APN_DIAPH,         VAR_APN_FOCAL,
    VAR_APN_FLASH,           VAR_APN_ISO,
};

constexpr PageVariable kCameraVariables[CAMERA_TEXT_COUNT] = {
    VAR_APN_BRAND, VAR_APN_TYPE,  VAR_APN_DATE,  VAR_APN_TIME, VAR_APN_EXP_TIME,
    VAR_APN_DIAPH, VAR_APN_FOCAL, VAR_APN_FLASH, VAR_APN_ISO,
};

// Where every variable name can start: they all begin with this.
constexpr QLatin1String kNamePrefix("?$VORLEX_VAR");

std::vector<qsizetype> PrefixPositions(const QString &text)
{
    std::vector<qsizetype> at;
    for (qsizetype i = text.indexOf(kNamePrefix); i >= 0; i = text.indexOf(kNamePrefix, i + kNamePrefix.size()))
        at.push_back(i);
    return at;
}

// The same as replacing each variable of `order` in turn over the whole text
// (a value may bring names that later variables then replace), but a name is
// looked for only where a name can start: a design holds a handful of the
// forty-odd names, and each full replace reads the whole text.
template <typename ValueOf> QString ReplaceInOrder(QString text, const PageVariable *begin, const PageVariable *end,
                                                   const ValueOf &valueOf)
{
    std::vector<qsizetype> at = PrefixPositions(text);
    for (const PageVariable *v = begin; v != end && !at.empty(); ++v) {
        const QLatin1String name(kNames[*v]);
        const bool present = std::any_of(at.begin(), at.end(), [&](qsizetype i) {
            return QStringView(text).sliced(i).startsWith(name);
        });
        if (!present)
            continue;
        text.replace(name, valueOf(*v));
        at = PrefixPositions(text);
    }
    return text;
}

// Rounded-up division; zero for a zero divisor so an empty list never divides by zero.
int CeilDiv(int a, int b)
{
    return b <= 0 ? 0 : int((qint64(a) + b - 1) / b);
}

QString Num(int n)
{
    return QString::number(n);
}

} // namespace

QString PageVariableName(PageVariable v)
{
    return QLatin1String(kNames[v]);
}

QString ColorText(COLORREF color)
{
    return QStringLiteral("#%1%2%3")
        .arg(color & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((color >> 8) & 0xFF, 2, 16, QLatin1Char('0'))
        .arg((color >> 16) & 0xFF, 2, 16, QLatin1Char('0'))
        .toUpper();
}

PageLayout ComputePageLayout(int count, int nbImageOnOneLine, int nbLineOnOnePage)
{
    PageLayout l;
    l.count = std::max(count, 0);
    l.endOfLine = nbImageOnOneLine >= 0;
    bool unlimitedLines = nbLineOnOnePage < 0;
    if (nbImageOnOneLine < 0) {
        l.perLine = l.count;
        unlimitedLines = true;
    } else {
        // A limit of zero (a damaged project) would divide by zero; one is the least that makes sense.
        l.perLine = std::max(nbImageOnOneLine, 1);
    }
    l.lines = CeilDiv(l.count, l.perLine);
    l.linesPerPage = unlimitedLines ? l.lines : std::max(nbLineOnOnePage, 1);
    l.perPage = int(std::min<qint64>(qint64(l.perLine) * l.linesPerPage, INT_MAX));
    l.pages = CeilDiv(l.lines, l.linesPerPage);
    l.pagination = !unlimitedLines && l.pages > 1;
    return l;
}

ImagePlace PlaceOfImage(const PageLayout &l, int n)
{
    ImagePlace p;
    const int b = l.perLine, a = l.linesPerPage;
    p.line = CeilDiv(n, b);
    p.posInLine = n - b * (p.line - 1);
    p.page = CeilDiv(p.line, a);
    p.linePosInPage = p.line - a * (p.page - 1);
    p.posInPage = p.posInLine + b * (p.linePosInPage - 1);
    p.imagesInPage = int(std::min<qint64>(l.perPage, l.count - qint64(l.perPage) * (p.page - 1)));
    p.linesInPage = std::min(a, l.lines - a * (p.page - 1));
    p.imagesInLine = std::min(b, l.count - b * (p.line - 1));
    return p;
}

void PageVariables::SetPage(const GalleryOptions *options, int count, const QString &pagePath, int page)
{
    m_values[VAR_NUMBER_OF_IMAGES] = Num(count);
    m_values[VAR_PAGE_INDEX] = Num(page);
    if (!options)
        return;
    m_options = options;
    const WebPage1Options &w1 = options->WebPage1;
    m_values[VAR_TITLE] = w1.PageTitle;
    m_values[VAR_BGCOLOR] = ColorText(w1.BackgroundColor);
    m_values[VAR_LINKCOLOR] = ColorText(w1.Link);
    m_values[VAR_BORDERCOLOR] = ColorText(w1.BorderColor);
    m_values[VAR_TEXTCOLOR] = ColorText(w1.TextColor);

    m_layout = ComputePageLayout(count, options->WebPage2.NbImageOnOneLine, options->WebPage2.NbLineOnOnePage);
    m_values[VAR_NUMBER_OF_LINES] = Num(m_layout.lines);
    m_values[VAR_NUMBER_OF_PAGES] = Num(m_layout.pages);
    m_values[VAR_NB_IMAGE_PER_LINE] = Num(m_layout.perLine);
    m_values[VAR_NB_LINE_PER_PAGE] = Num(m_layout.linesPerPage);
    m_values[VAR_NB_IMAGE_PER_PAGE] = Num(m_layout.perPage);

    QString background;
    if (!w1.BackgroundImagePath.isEmpty() && (options->WebPage2.RootRelativePath || !pagePath.isEmpty())) {
        const QString folder = options->WebPage2.RootRelativePath
                                   ? RelativeFolder(options->WebPage2.RootPath, w1.BackgroundImagePath, 1)
                                   : RelativeFolder(pagePath, w1.BackgroundImagePath, 0);
        // An empty folder means "next to the page": the name alone is the link.
        if (folder != UnreachablePathMarker())
            background = UrlSafeLink(folder + FileNameOf(w1.BackgroundImagePath));
    }
    m_values[VAR_BACKGROUND_IMAGE] = background;

    m_values[VAR_NB_IMAGE_IN_THIS_PAGE] =
        Num(int(std::min<qint64>(m_layout.perPage, m_layout.count - qint64(m_layout.perPage) * (page - 1))));
    m_values[VAR_NB_LINE_IN_THIS_PAGE] =
        Num(std::min(m_layout.linesPerPage, m_layout.lines - m_layout.linesPerPage * (page - 1)));

    const bool protect = w1.ProtectImage != 0;
    m_values[VAR_PROTECT_TOOLBAR_IMAGE] = protect ? LoadHtmlResource(196) : QString();
    m_values[VAR_PROTECT_IMAGES_RIGHT_CLIC] = protect ? LoadHtmlResource(195) : QString();
    m_values[VAR_PROTECT_IMAGES_BIS_RIGHT_CLIC] = protect ? LoadHtmlResource(197) : QString();
}

void PageVariables::SetImage(const ImageEntry *entry, int n)
{
    if (!entry) {
        for (PageVariable v : {VAR_IMAGE_INDEX, VAR_LINE_INDEX, VAR_IMAGE_POS_IN_LINE, VAR_LINE_POS_IN_PAGE,
                               VAR_IMAGE_POS_IN_PAGE, VAR_IMAGE_NAME, VAR_IMAGE_DIMENSIONS, VAR_IMAGE_SIZE,
                               VAR_VIGNETTE_NAME, VAR_VIGNETTE_DIMENSIONS, VAR_VIGNETTE_SIZE})
            m_values[v].clear();
        for (PageVariable v : kCameraVariables)
            m_values[v].clear();
        m_imageBorderColor.clear();
        return;
    }
    if (!m_options)
        return;
    const ImagePlace p = PlaceOfImage(m_layout, n);
    m_values[VAR_IMAGE_INDEX] = Num(n);
    m_values[VAR_LINE_INDEX] = Num(p.line);
    m_values[VAR_PAGE_INDEX] = Num(p.page);
    m_values[VAR_IMAGE_POS_IN_LINE] = Num(p.posInLine);
    m_values[VAR_LINE_POS_IN_PAGE] = Num(p.linePosInPage);
    m_values[VAR_IMAGE_POS_IN_PAGE] = Num(p.posInPage);
    m_values[VAR_NB_IMAGE_IN_THIS_PAGE] = Num(p.imagesInPage);
    m_values[VAR_NB_LINE_IN_THIS_PAGE] = Num(p.linesInPage);
    m_values[VAR_NB_IMAGE_IN_THIS_LINE] = Num(p.imagesInLine);

    const BuildVignetteOptions &bv = m_options->BuildVignette;
    m_values[VAR_IMAGE_NAME] = FileNameOf(entry->Path);
    m_values[VAR_VIGNETTE_NAME] = FileNameOf(ThumbnailPath(entry->Path, bv.PreSuffixe, bv.WithPrefixe));
    m_values[VAR_IMAGE_DIMENSIONS] = entry->ImageDimensions;
    m_values[VAR_IMAGE_SIZE] = entry->ImageSizeText;
    m_values[VAR_VIGNETTE_DIMENSIONS] = entry->ThumbnailDimensions;
    m_values[VAR_VIGNETTE_SIZE] = entry->ThumbnailSizeText;
    m_imageBorderColor =
        (entry->Options.Flags & IMGOPT_BORDER_COLOR) ? ColorText(entry->Options.BorderColor) : QString();
    for (int i = 0; i < CAMERA_TEXT_COUNT; ++i)
        m_values[kCameraVariables[i]] = entry->Camera[i];
}

QString PageVariables::ReplacePageVariables(const QString &text) const
{
    return ReplaceInOrder(text, std::begin(kPageOrder), std::end(kPageOrder), [this](PageVariable v) -> const QString & {
        return (v == VAR_BORDERCOLOR && !m_imageBorderColor.isEmpty()) ? m_imageBorderColor : m_values[v];
    });
}

QString PageVariables::ReplaceImageVariables(const QString &text) const
{
    return ReplaceInOrder(text, std::begin(kImageOrder), std::end(kImageOrder),
                          [this](PageVariable v) -> const QString & { return m_values[v]; });
}

QString PageVariables::ExpandComment(const QString &comment)
{
    m_values[VAR_IMAGE_COMMENTS] = ReplaceImageVariables(ReplacePageVariables(comment));
    return m_values[VAR_IMAGE_COMMENTS];
}

QString PageVariables::ExpandImageSection(const QString &text) const
{
    QString out = ReplaceImageVariables(ReplacePageVariables(text));
    out.replace(PageVariableName(VAR_IMAGE_COMMENTS), m_values[VAR_IMAGE_COMMENTS]);
    return out;
}
