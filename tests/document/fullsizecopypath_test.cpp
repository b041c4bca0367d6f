#include "document/fullsizecopy.h"

#include "document/thumbnailpath.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {
QString N(const char *path) { return QDir::toNativeSeparators(QString::fromUtf8(path)); }
} // namespace

TEST(FullSizeCopyPath, followsTheThumbnailsAffixRuleForHeicAndHeifOnly)
{
    struct Row {
        const char *image, *affix;
        int prefix;
        const char *copy;
    };
    const Row rows[] = {
        {"/p/IMG_1.HEIC", "mini/small_", 1, "/p/mini/small_IMG_1.HEIC.full.jpg"},
        {"/p/IMG_1.heif", "_vign", 0, "/p/IMG_1_vign.heif.full.jpg"},
        {"/p/IMG_1.HeIc", "", 1, "/p/IMG_1.HeIc.full.jpg"},
        {"/p/a.jpg", "mini/small_", 1, ""},
        {"/p/a.avif", "mini/small_", 1, ""}, // browsers show AVIF: pages link the photo
        {"/p/heic", "mini/small_", 1, ""},
    };
    for (const Row &r : rows)
        EXPECT_EQ(FullSizeCopyPath(N(r.image), N(r.affix), r.prefix), N(r.copy)) << r.image << " " << r.affix;
}

// Whatever the affix, the copy is neither the photo, nor its thumbnail, nor
// the copy or thumbnail of a same-named photo beside it, and re-adding the
// folder takes it for a thumbnail.
TEST(FullSizeCopyPath, neverMeetsAPhotoOrAThumbnailAndReadsAsAThumbnailName)
{
    for (const char *affix : {"mini/small_", "small_", "_v", ""}) {
        for (int prefix : {0, 1}) {
            SCOPED_TRACE(std::string(affix) + (prefix ? " prefix" : " suffix"));
            const QString a = N(affix);
            const QString heic = N("/p/IMG_1.HEIC"), heif = N("/p/IMG_1.HEIF"), jpg = N("/p/IMG_1.JPG");
            const QString copy = FullSizeCopyPath(heic, a, prefix);
            const QStringList others = {heic, heif, jpg, ThumbnailPath(heic, a, prefix), ThumbnailPath(heif, a, prefix),
                                        ThumbnailPath(jpg, a, prefix), FullSizeCopyPath(heif, a, prefix)};
            for (const QString &other : others)
                EXPECT_NE(copy.toLower(), other.toLower()) << other.toStdString();
            if (*affix) {
                EXPECT_TRUE(IsThumbnailName(copy, a, prefix));
            }
        }
    }
}
