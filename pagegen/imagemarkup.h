#pragma once
// The markup of one thumbnail on a gallery page: an optional link (same
// window, new window or Vorlex_Popup), the <img> with size, border and
// information bubble. Every setting may be overridden per image.

#include "document/galleryoptions.h"
#include "document/imageentry.h"

#include <QString>

class PageVariables;

// The values that apply to one image: its own where its override flag is set,
// else the gallery's.
struct EffectiveImageSettings {
    int toolTipType = 0;
    int linkType = 0;
    int popupWidth = 0, popupHeight = 0;
    int borderSize = 0;
    int popupAutoSize = 0;
    int adaptImageSize = 0, allowFullSize = 0;
    COLORREF popupBgColor = 0;
    int noTooltipInPopups = 0;
    int commentUnderImage = 0;
};
EffectiveImageSettings EffectiveSettings(const GalleryOptions &options, const ImageOptionBlock &block);

inline bool IsPopupLinkType(int linkType) { return linkType == 17 || linkType == 33; }

// The comment mode a popup gets: 0 none, 1 classic bubble, 2 script bubble, 3 line under the image.
int PopupCommentMode(const EffectiveImageSettings &s);

// "W,H" of a "WxH" dimensions text; "0,0" when the text has no such form.
QString DimensionArgs(const QString &dimensions);

// ",W,H,pw,ph,adapt,full,'#bg','#text'" -- the Vorlex_Popup arguments after the file.
QString PopupSizeAndColorArgs(const EffectiveImageSettings &s, const QString &imageDimensions);

struct ImageMarkupInput {
    QString imageLink;           // link from the page to the full-size image
    QString thumbnailLink;       // link from the page to the thumbnail (or the image standing in)
    QString imageDimensions;     // "WxH"
    QString thumbnailDimensions; // "WxH"
    QString comment;             // the comment with its variables expanded
    bool lazy = false;           // loading="lazy": built-in designs, below the first screen
};

// Link opening, <img ...> and link closing. `variables` supplies the border colour.
QString ImageMarkup(const GalleryOptions &options, const EffectiveImageSettings &settings,
                    const ImageMarkupInput &input, const PageVariables &variables);
