#include "document/projectfile.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

namespace {
// Builds project bytes from the file layout, independently of the writer.
class Bytes {
public:
    Bytes &Int(quint32 v)
    {
        char raw[4];
        qToLittleEndian<quint32>(v, raw);
        m_data.append(raw, 4);
        return *this;
    }
    Bytes &Str(const QByteArray &s)
    {
        if (s.size() < 255) {
            m_data.append(char(s.size()));
        } else {
            m_data.append(char(0xFF));
            m_data.append(char(s.size() & 0xFF)).append(char(s.size() >> 8));
        }
        m_data.append(s);
        return *this;
    }
    Bytes &Raw(const QByteArray &b)
    {
        m_data.append(b);
        return *this;
    }
    const QByteArray &data() const { return m_data; }

private:
    QByteArray m_data;
};

// A current-format file whose every option holds a value of its own, so a
// swapped or skipped field shows.
Bytes DistinctV3(quint32 speed = 31, quint32 sizeWord = (1u << 30) | (200u << 15) | 150u)
{
    Bytes b;
    b.Raw("VORL").Str("Gallorim V3 Save File Data").Str("/www/index.html");
    // WebPage1
    b.Str("Titre").Int(0).Str("/t/design.html").Int(0x010203).Int(0x040506).Int(0x070809).Int(0x0A0B0C);
    b.Str("/t/fond.png").Str("").Str("").Int(1).Int(0).Int(0).Int(0);
    // WebPage2
    b.Int(6).Int(0x80000003u).Int(2).Int(1).Int(1).Str("/www").Int(0).Str("").Str("").Int(1).Int(1).Int(0).Int(0);
    // Links
    b.Int(0).Int(0x11).Int(0).Int(800).Int(600).Int(0).Int(1).Int(1).Str("photos.zip").Int(0x0D0E0F);
    b.Str("").Str("").Int(0).Int(0).Int(0).Int(0);
    // BuildVignette
    b.Int(0).Str("_vign").Int(0).Int(2).Int(3).Int(25).Int(160).Int(120).Int(0x102030).Int(70);
    b.Str("").Str("").Int(256).Int(0).Int(0).Int(0);
    // Slideshow page, reserved, speed, switches, size, reserved
    b.Str("/www/diaporama.html").Str("").Int(speed).Int(1 | (2 << 4) | (1 << 8) | (1 << 16)).Int(sizeWord).Int(0);
    return b;
}

GalleryOptions DistinctOptions()
{
    GalleryOptions o;
    o.PagePath = "/www/index.html";
    o.SlideshowPagePath = "/www/diaporama.html";
    o.WebPage1 = {"Titre", 0, "/t/design.html", 0x010203, 0x040506, 0x070809, 0x0A0B0C, "/t/fond.png", 1};
    o.WebPage2 = {6, int(0x80000003u), 0, 2, 1, 1, "/www", 1, 1};
    o.Links.IsLink = 0;
    o.Links.LinkType = 0x11;
    o.Links.WindowAutoSize = 0;
    o.Links.WindowFixedSize = {800, 600};
    o.Links.AdapImageSize = 0;
    o.Links.AllowFullSize = 1;
    o.Links.ZipLink = 1;
    o.Links.ZipName = "photos.zip";
    o.Links.PopupBgColor = 0x0D0E0F;
    o.Links.SpecialPopupLink = 0;
    o.BuildVignette = {0, "_vign", 0, 2, 3, 25, {160, 120}, 0x102030, 70, 256};
    o.Diaporama = {31, 1, 2, 1, 200, 150, 1, 1};
    return o;
}

bool SameOptions(const GalleryOptions &a, const GalleryOptions &b)
{
    return a.PagePath == b.PagePath && a.SlideshowPagePath == b.SlideshowPagePath && a.WebPage1 == b.WebPage1
        && a.WebPage2 == b.WebPage2 && a.Links == b.Links && a.BuildVignette == b.BuildVignette
        && a.Diaporama == b.Diaporama;
}

ProjectContents ReadV3(const QByteArray &bytes, const GalleryOptions &current = {},
                       const DiaporamaOptions &defaults = {})
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    if (ReadProjectHeader(buffer) != ProjectFormat::V3)
        return {};
    return ReadProjectV3(buffer, current, defaults);
}

QByteArray Written(const GalleryOptions &options, const ImageList &images)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteProject(buffer, options, images));
    return buffer.data();
}

ProjectFormat HeaderOf(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadProjectHeader(buffer);
}

ImageEntry Entry(const QString &path, const QString &comment = {}, std::uint32_t flags = 0)
{
    ImageEntry e;
    e.Path = path;
    e.Comment = comment;
    e.Options.Flags = flags;
    return e;
}

// What a project stores of an entry.
::testing::AssertionResult SameRecords(const ImageList &actual, const ImageList &expected)
{
    if (actual.size() != expected.size())
        return ::testing::AssertionFailure() << actual.size() << " records instead of " << expected.size();
    for (size_t i = 0; i < actual.size(); ++i) {
        if (actual[i].Path != expected[i].Path || actual[i].Comment != expected[i].Comment
            || !(actual[i].Options == expected[i].Options))
            return ::testing::AssertionFailure() << "record " << i << " differs";
    }
    return ::testing::AssertionSuccess();
}

ImageList SampleImages()
{
    ImageEntry plain = Entry("/photos/a.jpg", QString::fromUtf8("Au bord de l'eau, été"));
    ImageEntry popup = Entry("/photos/b.jpg", "", 0x044);
    popup.Options.PopupWidth = 300;
    popup.Options.PopupHeight = 200;
    popup.Options.AdaptImageSize = 1;
    popup.Options.AllowFullSize = 1;
    ImageEntry all = Entry(QString::fromUtf8("/photos/東京.jpg"), QString::fromUtf8("Привет"), 0x3FF);
    ImageOptionBlock &o = all.Options;
    o.ToolTipType = 1;
    o.LinkType = 0x21;
    o.PopupWidth = 640;
    o.PopupHeight = 480;
    o.BorderSize = 3;
    o.BorderColor = 0xABCDEF;
    o.PopupAutoSize = 1;
    o.AdaptImageSize = 0;
    o.AllowFullSize = 1;
    o.PopupBgColor = 0x123456;
    o.NoTooltipInPopups = 1;
    o.CommentUnderImage = 1;
    return {plain, popup, all};
}
} // namespace

TEST(ProjectFile, readsEveryOptionFromItsPlaceInTheLayout)
{
    const ProjectContents read = ReadV3(DistinctV3().Int(0).data());
    EXPECT_TRUE(read.complete);
    EXPECT_TRUE(read.images.empty());
    EXPECT_TRUE(SameOptions(read.options, DistinctOptions()));
}

TEST(ProjectFile, writesTheSameBytesAsTheLayout)
{
    EXPECT_EQ(Written(DistinctOptions(), {}), DistinctV3().Int(0).data());
}

TEST(ProjectFile, emptyGalleryStartsWithMagicAndHeaderAndEndsWithZeroCount)
{
    const QByteArray bytes = Written(GalleryOptions(), {});
    EXPECT_TRUE(bytes.startsWith(QByteArray("VORL\x1A") + "Gallorim V3 Save File Data"));
    EXPECT_TRUE(bytes.endsWith(QByteArray(4, '\0')));
}

TEST(ProjectFile, imageRecordsRoundTripByteForByte)
{
    const ImageList images = SampleImages();
    const QByteArray bytes = Written(DistinctOptions(), images);
    const ProjectContents read = ReadV3(bytes);
    ASSERT_TRUE(read.complete);
    EXPECT_TRUE(SameRecords(read.images, images));
    EXPECT_EQ(Written(read.options, read.images), bytes);
}

TEST(ProjectFile, flagsPopupSizeAndImageSizeCarryFourIntsInOrder)
{
    ImageEntry image = Entry("/a.jpg", "", 0x044);
    image.Options.PopupWidth = 11;
    image.Options.PopupHeight = 22;
    image.Options.AdaptImageSize = 33;
    image.Options.AllowFullSize = 44;
    image.Options.BorderSize = 99; // flag clear: not stored
    image.ImageDimensions = "640x480"; // recomputed on loading: not stored
    const QByteArray bytes = Written(GalleryOptions(), {image});
    const QByteArray tail = Bytes().Int(1).Str("/a.jpg").Str("").Int(0x044).Int(11).Int(22).Int(33).Int(44).data();
    EXPECT_TRUE(bytes.endsWith(tail));
}

TEST(ProjectFile, longCommentGetsThreeBytePrefix)
{
    const QString comment(300, QLatin1Char('x'));
    const QByteArray bytes = Written(GalleryOptions(), {Entry("/a.jpg", comment)});
    const QByteArray expected = QByteArray("\xFF\x2C\x01", 3) + QByteArray(300, 'x');
    EXPECT_TRUE(bytes.contains(expected));
}

TEST(ProjectFile, stringLengthsUseTheShortestPrefixThatIsNotTheUnicodeMarker)
{
    struct Row {
        int length;
        QByteArray prefix;
    };
    const Row rows[] = {
        {0, QByteArray("\x00", 1)},
        {254, QByteArray("\xFE", 1)},
        {255, QByteArray("\xFF\xFF\x00", 3)},
        {0xFFFD, QByteArray("\xFF\xFD\xFF", 3)},
        {0xFFFE, QByteArray("\xFF\xFF\xFF\xFE\xFF\x00\x00", 7)},
        {70000, QByteArray("\xFF\xFF\xFF\x70\x11\x01\x00", 7)},
    };
    for (const Row &row : rows) {
        const QString comment(row.length, QLatin1Char('c'));
        const QByteArray bytes = Written(GalleryOptions(), {Entry("p", comment)});
        EXPECT_TRUE(bytes.endsWith(row.prefix + QByteArray(row.length, 'c') + QByteArray(4, '\0')))
            << row.length;
        const ProjectContents read = ReadV3(bytes);
        ASSERT_EQ(read.images.size(), 1u);
        EXPECT_EQ(read.images[0].Comment.size(), row.length);
    }
}

TEST(ProjectFile, westernTextIsWindows1252AndOtherTextUtf16)
{
    const QString western = QString::fromUtf8("é€œŸ");
    const QString other = QString::fromUtf8("Ωμέγα 東京");
    const QByteArray bytes = Written(GalleryOptions(), {Entry(western, other)});
    EXPECT_TRUE(bytes.contains(QByteArray("\x04\xE9\x80\x9C\x9F", 5)));
    QByteArray utf16;
    for (QChar c : other)
        utf16.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    EXPECT_TRUE(bytes.contains(QByteArray("\xFF\xFE\xFF", 3) + char(other.size()) + utf16));
    const ProjectContents read = ReadV3(bytes);
    ASSERT_EQ(read.images.size(), 1u);
    EXPECT_EQ(read.images[0].Path, western);
    EXPECT_EQ(read.images[0].Comment, other);
}

TEST(ProjectFile, readsUtf16StringsWithALongLengthPrefix)
{
    QByteArray text;
    for (int i = 0; i < 300; ++i)
        text.append("\x3A\x04", 2); // U+043A
    const QByteArray bytes = DistinctV3()
                                 .Int(1)
                                 .Raw(QByteArray("\xFF\xFE\xFF\xFF\x2C\x01", 6) + text)
                                 .Str("")
                                 .Int(0)
                                 .data();
    const ProjectContents read = ReadV3(bytes);
    ASSERT_TRUE(read.complete);
    EXPECT_EQ(read.images[0].Path, QString(300, QChar(0x043A)));
}

TEST(ProjectFile, zeroSpeedBringsTheSavedSlideshowSettingsAndKeepsStoredSwitches)
{
    DiaporamaOptions saved;
    saved.Speed = 9;
    saved.CloseOrBack = 1;
    saved.Random = 1;
    const ProjectContents read = ReadV3(DistinctV3(0, 0).Int(0).data(), {}, saved);
    EXPECT_EQ(read.options.Diaporama.Speed, 9);
    EXPECT_EQ(read.options.Diaporama.CloseOrBack, 1);
    EXPECT_EQ(read.options.Diaporama.AutoOrUser, 2);
    EXPECT_EQ(read.options.Diaporama.NoLoop, 1);
    EXPECT_EQ(read.options.Diaporama.Random, 1);
}

TEST(ProjectFile, zeroSizeWordReadsAsAutomatic128By96)
{
    const ProjectContents read = ReadV3(DistinctV3(5, 0).Int(0).data());
    EXPECT_EQ(read.options.Diaporama.VignetteDiapoSizeMode, 0);
    EXPECT_EQ(read.options.Diaporama.VignetteDiapoSizeWidth, 128);
    EXPECT_EQ(read.options.Diaporama.VignetteDiapoSizeHeight, 96);
}

TEST(ProjectFile, slideshowSizeWidthAndHeightAreMaskedTo15Bits)
{
    GalleryOptions o;
    o.Diaporama.VignetteDiapoSizeMode = 1;
    o.Diaporama.VignetteDiapoSizeWidth = 0x8000 + 300;
    o.Diaporama.VignetteDiapoSizeHeight = 0x8000 + 200;
    const ProjectContents read = ReadV3(Written(o, {}));
    EXPECT_EQ(read.options.Diaporama.VignetteDiapoSizeMode, 1);
    EXPECT_EQ(read.options.Diaporama.VignetteDiapoSizeWidth, 300);
    EXPECT_EQ(read.options.Diaporama.VignetteDiapoSizeHeight, 200);
}

TEST(ProjectFile, zeroSmallestBiggestSizeReadsAs128)
{
    GalleryOptions o;
    o.BuildVignette.SmallestBiggestSize = 0;
    EXPECT_EQ(ReadV3(Written(o, {})).options.BuildVignette.SmallestBiggestSize, 128);
}

TEST(ProjectFile, backslashPathsFromOtherCopiesBecomeNative)
{
    GalleryOptions windows;
    windows.PagePath = "C:\\www\\index.html";
    windows.WebPage2.RootPath = "C:\\www";
    windows.BuildVignette.PreSuffixe = "mini\\small_";
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    const ImageList images{Entry("D:\\Photos\\Vacances\\plage.jpg")};
    ASSERT_TRUE(WriteProject(buffer, windows, images));
    const ProjectContents read = ReadV3(buffer.data());
    ASSERT_EQ(read.images.size(), 1u);
    EXPECT_EQ(read.images[0].Path, QDir::toNativeSeparators("D:/Photos/Vacances/plage.jpg"));
    EXPECT_EQ(read.options.PagePath, QDir::toNativeSeparators("C:/www/index.html"));
    EXPECT_EQ(read.options.WebPage2.RootPath, QDir::toNativeSeparators("C:/www"));
    EXPECT_EQ(read.options.BuildVignette.PreSuffixe, QDir::toNativeSeparators("mini/small_"));
}

#ifndef Q_OS_WIN
TEST(ProjectFile, absolutePathsOfThisSystemKeepTheirBackslashes)
{
    GalleryOptions o;
    o.PagePath = "/www/a\\b/index.html";
    const ImageList images{Entry("/photos/pluie\\soleil.jpg")};
    const ProjectContents read = ReadV3(Written(o, images));
    ASSERT_EQ(read.images.size(), 1u);
    EXPECT_EQ(read.images[0].Path, images[0].Path);
    EXPECT_EQ(read.options.PagePath, o.PagePath);
}
#endif

TEST(ProjectFile, relativeThumbnailPrefixIsStoredWithBackslashesForOtherCopies)
{
    GalleryOptions o;
    o.BuildVignette.PreSuffixe = QDir::toNativeSeparators("mini/small_");
    const QByteArray bytes = Written(o, {});
    EXPECT_TRUE(bytes.contains(QByteArray("\x0Bmini\\small_")));
    EXPECT_EQ(ReadV3(bytes).options.BuildVignette.PreSuffixe, o.BuildVignette.PreSuffixe);
}

TEST(ProjectFile, olderFormatGivesImagesAndKeepsTheCurrentOptions)
{
    const QByteArray bytes = Bytes()
                                 .Raw("VORL")
                                 .Str("Gallorim Save File Data")
                                 .Int(2)
                                 .Str("C:\\img\\\xE9t\xE9.jpg")
                                 .Str("Premi\xE8re")
                                 .Str("/img/b.png")
                                 .Str("")
                                 .data();
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    ASSERT_EQ(ReadProjectHeader(buffer), ProjectFormat::V1);
    const GalleryOptions current = DistinctOptions();
    const ProjectContents read = ReadProjectV1(buffer, current);
    EXPECT_TRUE(read.complete);
    EXPECT_TRUE(SameOptions(read.options, current));
    ASSERT_EQ(read.images.size(), 2u);
    EXPECT_EQ(read.images[0].Path, QDir::toNativeSeparators(QString::fromUtf8("C:/img/été.jpg")));
    EXPECT_EQ(read.images[0].Comment, QString::fromUtf8("Première"));
    EXPECT_EQ(read.images[0].Options.Flags, 0u);
    EXPECT_EQ(read.images[1].Path, QDir::toNativeSeparators("/img/b.png"));
}

TEST(ProjectFile, headerCheckTellsTheFormatsFromEverythingElse)
{
    EXPECT_EQ(HeaderOf(Bytes().Raw("VORL").Str("Gallorim V3 Save File Data").data()), ProjectFormat::V3);
    EXPECT_EQ(HeaderOf(Bytes().Raw("VORL").Str("Gallorim Save File Data").data()), ProjectFormat::V1);
    EXPECT_EQ(HeaderOf(Bytes().Raw("LROV").Str("Gallorim V3 Save File Data").data()), ProjectFormat::NotAProject);
    EXPECT_EQ(HeaderOf(Bytes().Raw("VORL").Str("Gallorim V2 Save File Data").data()), ProjectFormat::NotAProject);
    EXPECT_EQ(HeaderOf(Bytes().Raw("VORL").Str("Gallorim V3 Save File").data()), ProjectFormat::NotAProject);
    EXPECT_EQ(HeaderOf(QByteArray()), ProjectFormat::NotAProject);
    EXPECT_EQ(HeaderOf("VOR"), ProjectFormat::NotAProject);
    EXPECT_EQ(HeaderOf(QByteArray("VORL\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 11)), ProjectFormat::NotAProject);
}

TEST(ProjectFile, truncationAtEveryOffsetKeepsWhatCameBefore)
{
    const ImageList images = SampleImages();
    const QByteArray full = Written(DistinctOptions(), images);
    const qsizetype optionsEnd = full.size() - Written(GalleryOptions(), images).size()
        + Written(GalleryOptions(), {}).size() - 4;
    size_t lastCount = 0;
    for (qsizetype cut = 0; cut < full.size(); ++cut) {
        QBuffer buffer;
        buffer.setData(full.left(cut));
        buffer.open(QIODevice::ReadOnly);
        if (ReadProjectHeader(buffer) != ProjectFormat::V3)
            continue;
        const ProjectContents read = ReadProjectV3(buffer, GalleryOptions(), {});
        ASSERT_FALSE(read.complete) << cut;
        ASSERT_LE(read.images.size(), images.size());
        ASSERT_GE(read.images.size(), lastCount) << cut;
        lastCount = read.images.size();
        ASSERT_TRUE(SameRecords(read.images, ImageList(images.begin(), images.begin() + read.images.size())))
            << cut;
        if (cut >= optionsEnd) {
            ASSERT_TRUE(SameOptions(read.options, DistinctOptions())) << cut;
        }
    }
    EXPECT_EQ(lastCount, images.size() - 1);
}

TEST(ProjectFile, aSinkGetsEachRecordAsReadAndNoneOfADamagedOne)
{
    const ImageList images = SampleImages();
    const QByteArray full = Written(DistinctOptions(), images);
    for (const bool olderFormat : {false, true}) {
        QByteArray bytes = full.left(full.size() - 3); // the last record is cut short
        if (olderFormat) {
            bytes = Bytes().Raw("VORL").Str("Gallorim Save File Data").Int(3).Str("/a").Str("un").Str("/b").data();
        }
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        ImageList seen;
        const ProjectImageSink sink = [&seen](ImageEntry &&image) { seen.push_back(std::move(image)); };
        const ProjectFormat format = ReadProjectHeader(buffer);
        const ProjectContents read = format == ProjectFormat::V3
            ? ReadProjectV3(buffer, GalleryOptions(), {}, sink)
            : ReadProjectV1(buffer, GalleryOptions(), sink);
        EXPECT_FALSE(read.complete);
        EXPECT_TRUE(read.images.empty());
        if (olderFormat) {
            ASSERT_EQ(seen.size(), 1u);
            EXPECT_EQ(seen[0].Comment, "un");
        } else {
            EXPECT_TRUE(SameRecords(seen, ImageList(images.begin(), images.end() - 1)));
            EXPECT_TRUE(SameOptions(read.options, DistinctOptions()));
        }
    }
}

TEST(ProjectFile, truncatedOptionsKeepTheFieldsReadBeforeTheCut)
{
    const QByteArray full = DistinctV3().Int(0).data();
    const qsizetype cut = full.indexOf("/www/diaporama.html");
    const ProjectContents read = ReadV3(full.left(cut));
    EXPECT_FALSE(read.complete);
    EXPECT_EQ(read.options.WebPage1.PageTitle, "Titre");
    EXPECT_EQ(read.options.BuildVignette.SmallestBiggestSize, 256);
    EXPECT_EQ(read.options.SlideshowPagePath, "");
    EXPECT_EQ(read.options.Diaporama.Speed, DiaporamaOptions().Speed);
}

TEST(ProjectFile, absurdCountsAndLengthsStopTheReadingQuickly)
{
    const QByteArray header = DistinctV3().data();
    struct Row {
        const char *what;
        QByteArray tail;
        size_t images;
    };
    const Row rows[] = {
        {"huge count", Bytes().Int(0x7FFFFFFF).Str("/a").Str("").Int(0).data(), 1},
        {"negative count", Bytes().Int(0xFFFFFFFFu).Str("/a").Str("").Int(0).data(), 0},
        {"huge long length", Bytes().Int(1).Raw(QByteArray("\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 7)).data(), 0},
        {"huge utf16 length", Bytes().Int(1).Raw(QByteArray("\xFF\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x7F", 10)).data(), 0},
        {"length past the end", Bytes().Int(1).Raw(QByteArray("\xFF\xF0\xFF" "abc", 6)).data(), 0},
        {"all flags, no values", Bytes().Int(2).Str("/a").Str("").Int(0xFFFFFFFFu).data(), 0},
    };
    for (const Row &row : rows) {
        QBuffer buffer;
        buffer.setData(header + row.tail);
        buffer.open(QIODevice::ReadOnly);
        ASSERT_EQ(ReadProjectHeader(buffer), ProjectFormat::V3);
        const ProjectContents read = ReadProjectV3(buffer, GalleryOptions(), {});
        EXPECT_FALSE(read.complete) << row.what;
        EXPECT_EQ(read.images.size(), row.images) << row.what;
    }
}

TEST(ProjectFile, savedFileReadsBackAndIsRecognised)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("galerie.glr");
    ASSERT_TRUE(SaveProjectFile(path, DistinctOptions(), SampleImages()));
    EXPECT_EQ(ProjectFileFormat(path), ProjectFormat::V3);
    EXPECT_EQ(ProjectFileFormat(dir.filePath("absent.glr")), ProjectFormat::NotAProject);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), Written(DistinctOptions(), SampleImages()));
}

TEST(ProjectFile, saveIntoAMissingFolderFailsWithoutCreatingAnything)
{
    QTemporaryDir dir;
    EXPECT_FALSE(SaveProjectFile(dir.filePath("absent/galerie.glr"), GalleryOptions(), {}));
    EXPECT_FALSE(QFile::exists(dir.filePath("absent")));
}

TEST(ProjectFile, writeErrorIsReported)
{
    // A device that accepts only its first bytes, like a disk that fills up.
    class FullDevice : public QBuffer {
    protected:
        qint64 writeData(const char *data, qint64 len) override
        {
            if (size() + len > 100)
                return -1;
            return QBuffer::writeData(data, len);
        }
    } device;
    device.open(QIODevice::WriteOnly);
    EXPECT_FALSE(WriteProject(device, GalleryOptions(), SampleImages()));
}

#ifdef Q_OS_UNIX
TEST(ProjectFile, saveThatRunsOutOfSpaceLeavesTheOldFileIntact)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("galerie.glr");
    ASSERT_TRUE(SaveProjectFile(path, GalleryOptions(), {}));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    const QByteArray before = old.readAll();
    old.close();

    // A file-size limit makes writes fail the way a full disk does.
    const ImageList many(2000, Entry("/photos/une/image/assez/longue.jpg", "commentaire"));
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved_ok = SaveProjectFile(path, DistinctOptions(), many);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(saved_ok);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}
#endif

TEST(ProjectFile, theModernDesignRidesInAReservedWordThatOlderCopiesWriteAsZero)
{
    GalleryOptions classic = DistinctOptions();
    classic.WebPage1.DefaultPage = 1;
    GalleryOptions modern = classic;
    modern.WebPage1.ModernPage = 1;
    const QByteArray before = Written(classic, {}), after = Written(modern, {});
    ASSERT_EQ(before.size(), after.size());
    qsizetype differ = -1;
    for (qsizetype i = 0; i < before.size(); ++i)
        if (before[i] != after[i]) {
            EXPECT_EQ(differ, -1) << "more than one byte differs";
            differ = i;
        }
    // The first reserved word after ProtectImage, which follows the two reserved strings.
    const QByteArray protect = QByteArray("/t/fond.png") + '\0' + '\0' + QByteArray("\x01\0\0\0", 4);
    EXPECT_EQ(differ, before.indexOf(protect) + protect.size());
    EXPECT_TRUE(ReadV3(after).options.WebPage1.UsesModernPage());
    EXPECT_FALSE(ReadV3(before).options.WebPage1.UsesModernPage());
}
