#pragma once
// The values of every template variable for the current page and image, and
// the substitutions that put them into design sections and comments. Owned by
// one thread at a time (a build thread, or a caller for a temporary use).

#include "document/galleryoptions.h"

#include <QString>
#include <array>

struct ImageEntry;

enum PageVariable {
    VAR_INSERT_ZIP_LINK,
    VAR_INSERT_PREVIOUS_LINK,
    VAR_INSERT_NEXT_LINK,
    VAR_TITLE,
    VAR_NUMBER_OF_IMAGES,
    VAR_NUMBER_OF_LINES,
    VAR_NUMBER_OF_PAGES,
    VAR_NB_IMAGE_PER_LINE,
    VAR_NB_LINE_PER_PAGE,
    VAR_NB_IMAGE_PER_PAGE,
    VAR_PAGE_INDEX,
    VAR_NB_IMAGE_IN_THIS_PAGE,
    VAR_NB_LINE_IN_THIS_PAGE,
    VAR_TEXTCOLOR,
    VAR_BGCOLOR,
    VAR_LINKCOLOR,
    VAR_BACKGROUND_IMAGE,
    VAR_PROTECT_TOOLBAR_IMAGE,
    VAR_PROTECT_IMAGES_RIGHT_CLIC,
    VAR_PROTECT_IMAGES_BIS_RIGHT_CLIC,
    VAR_BORDERCOLOR,
    VAR_ZIP_SIZE,
    VAR_IMAGE_INDEX,
    VAR_IMAGE_POS_IN_LINE,
    VAR_IMAGE_POS_IN_PAGE,
    VAR_IMAGE_NAME,
    VAR_IMAGE_DIMENSIONS,
    VAR_IMAGE_SIZE,
    VAR_NB_IMAGE_IN_THIS_LINE,
    VAR_LINE_INDEX,
    VAR_LINE_POS_IN_PAGE,
    VAR_VIGNETTE_NAME,
    VAR_VIGNETTE_DIMENSIONS,
    VAR_VIGNETTE_SIZE,
    VAR_APN_BRAND,
    VAR_APN_TYPE,
    VAR_APN_DATE,
    VAR_APN_TIME,
    VAR_APN_EXP_TIME,
    VAR_APN_DIAPH,
    VAR_APN_FOCAL,
    VAR_APN_FLASH,
    VAR_APN_ISO,
    VAR_IMAGE_COMMENTS,
    PAGE_VARIABLE_COUNT
};

// The variable's word as written in designs, e.g. "?$VORLEX_VARIABLE_TITLE".
QString PageVariableName(PageVariable v);

// "#RRGGBB" of a Windows colour value (red in the low byte).
QString ColorText(COLORREF color);

// Pagination of a gallery. Unlimited settings (negative) and an empty list are
// guarded: nothing divides by zero and an empty list has no page.
struct PageLayout {
    int count = 0;
    int perLine = 0;
    int linesPerPage = 0;
    int perPage = 0;
    int lines = 0;
    int pages = 0;
    bool pagination = false; // page numbers in names, previous/next links
    bool endOfLine = false;  // an incomplete last line may be closed or filled
};
PageLayout ComputePageLayout(int count, int nbImageOnOneLine, int nbLineOnOnePage);

// Where image n (1-based) sits in the layout.
struct ImagePlace {
    int line = 0, posInLine = 0, page = 0, linePosInPage = 0, posInPage = 0;
    int imagesInPage = 0, linesInPage = 0, imagesInLine = 0;
};
ImagePlace PlaceOfImage(const PageLayout &layout, int n);

class PageVariables {
public:
    PageVariables() = default;

    // Page-level values. With no options only the count and page number change.
    void SetPage(const GalleryOptions *options, int count, const QString &pagePath, int page);
    // Image-level values of `entry` as image n (1-based); with no entry they are cleared.
    void SetImage(const ImageEntry *entry, int n);

    QString ReplacePageVariables(const QString &text) const;
    QString ReplaceImageVariables(const QString &text) const;
    // Expands the comment's own variables and keeps the result as IMAGE_COMMENTS.
    QString ExpandComment(const QString &comment);
    QString ExpandImageSection(const QString &text) const;

    void SetValue(PageVariable v, const QString &value) { m_values[v] = value; }
    const QString &Value(PageVariable v) const { return m_values[v]; }
    const PageLayout &Layout() const { return m_layout; }

private:
    std::array<QString, PAGE_VARIABLE_COUNT> m_values;
    PageLayout m_layout;
    const GalleryOptions *m_options = nullptr; // the caller keeps it alive while the set is used
    QString m_imageBorderColor; // the image's own border colour, or empty
};
