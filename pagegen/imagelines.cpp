#include "pagegen/imagelines.h"

#include "document/gallerydocument.h"
#include "document/imageentry.h"
#include "document/thumbnailpath.h"
#include "pagegen/pagevariables.h"
#include "pagegen/templatetags.h"

#include <algorithm>
#include <climits>

namespace {
// A design with absurd counts must not write millions of empty cells.
constexpr int kMaxFillerCells = 4096;
} // namespace

void EndLastImageLine(const PageLayout &layout, bool fillLastLine, const PageDesign &design, int counter,
                      int lastWritten, PageVariables &vars, const std::function<void(const QString &)> &writeImageText)
{
    const int perLine = layout.perLine;
    if (!layout.endOfLine || counter % perLine == 0)
        return;
    if (fillLastLine) {
        const int cells = std::min(perLine - counter % perLine, kMaxFillerCells);
        const ImageEntry empty;
        for (int j = 0; j < cells; ++j) {
            vars.SetImage(&empty, lastWritten + 1 + j);
            vars.ExpandComment(QString());
            writeImageText(design.Section(BEFORE_EACH_IMAGE) + design.Section(AFTER_EACH_IMAGE));
        }
    }
    writeImageText(design.Section(AFTER_EACH_LINE_OF_IMAGE));
}

QString EntryForPage(const GalleryDocument &doc, int index, const BuildVignetteOptions &thumbnails, ImageEntry &entry)
{
    entry = ImageEntry{};
    doc.GetEntry(index, entry);
    if (!entry.ThumbnailDimensions.isEmpty())
        return ThumbnailPath(entry.Path, thumbnails.PreSuffixe, thumbnails.WithPrefixe);
    entry.ThumbnailDimensions = entry.ImageDimensions;
    entry.ThumbnailBytes = int(std::min<qint64>(entry.ImageBytes, INT_MAX));
    entry.ThumbnailSizeText = entry.ImageSizeText;
    return entry.Path;
}
