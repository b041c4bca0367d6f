#include "pagegen/htmlencoding.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

const int kAllIds[] = {169, 170, 162, 194, 191, 164, 195, 196, 197, 185, 186, 187, 188, 192, 193, 198};
const int kCompleteDesigns[] = {169, 185, 188, 192, 193, 198};
const int kSlideshows[] = {185, 188, 192, 193, 198};

QByteArray Bytes(int id)
{
    LoadHtmlResource(id); // the loader alone must make the resources reachable
    QFile file(QStringLiteral(":/pagegen/resources/%1.html").arg(id));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString Text(int id)
{
    return QString::fromUtf8(Bytes(id)).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

qsizetype OpeningTag(const QString &text)
{
    return text.indexOf(QLatin1String("<VORLEX_INSERT_IMAGE>"), 0, Qt::CaseInsensitive);
}

std::set<std::string> Variables(const QString &text)
{
    static const QRegularExpression variable(QStringLiteral("\\?\\$VORLEX_[A-Z_]+"));
    std::set<std::string> found;
    for (auto it = variable.globalMatch(text); it.hasNext();)
        found.insert(it.next().captured().toStdString());
    return found;
}

// The first copy of Vorlex_Popup and its helpers in a resource.
QString PopupScript(const QString &text)
{
    const qsizetype start = text.indexOf(QLatin1String("function Vorlex_Popup("));
    const qsizetype end = text.indexOf(QLatin1String("</script>"), start);
    return start < 0 || end < 0 ? QString() : text.mid(start, end - start);
}

TEST(PageResources, everyBuiltInResourceIsPresentAsUtf8WithoutZeroBytes)
{
    for (const int id : kAllIds) {
        const QByteArray bytes = Bytes(id);
        ASSERT_FALSE(bytes.isEmpty()) << id;
        EXPECT_FALSE(bytes.contains('\0')) << id; // the loader cuts at the first zero byte
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString decoded = utf8.decode(bytes);
        EXPECT_FALSE(utf8.hasError()) << id;
    }
    EXPECT_TRUE(Bytes(999).isEmpty());
}

TEST(PageResources, completeDesignsDeclareUtf8AuthorAndGenerator)
{
    for (const int id : kCompleteDesigns) {
        const QString text = Text(id);
        EXPECT_TRUE(text.startsWith(QLatin1String("<!DOCTYPE html>\n"))) << id;
        EXPECT_TRUE(text.contains(QLatin1String("<meta charset=\"utf-8\">"))) << id;
        EXPECT_TRUE(text.contains(QLatin1String("<meta name=\"author\" content=\"Vorlex\">"))) << id;
        EXPECT_TRUE(text.contains(QLatin1String("<meta name=\"generator\" content=\"Vorlex Gallorim v3\">"))) << id;
        EXPECT_EQ(text.count(QLatin1String("<VORLEX_INSERT_IMAGE>")), 1) << id;
        EXPECT_EQ(text.count(QLatin1String("</VORLEX_INSERT_IMAGE>")), 1) << id;
        // The builder drops the one character after the closing tag.
        const qsizetype close = text.indexOf(QLatin1String("</VORLEX_INSERT_IMAGE>"));
        EXPECT_EQ(text.mid(close + 22, 1), QLatin1String("\n")) << id;
    }
    for (const int id : kSlideshows)
        EXPECT_TRUE(Text(id).contains(QLatin1String("<title>Diaporama : ?$VORLEX_VARIABLE_TITLE</title>"))) << id;
}

TEST(PageResources, designsCarryTheVariablesTheirBuilderReplaces)
{
    const std::vector<std::string> page = {"?$VORLEX_VARIABLE_TITLE", "?$VORLEX_VARIABLE_BGCOLOR",
        "?$VORLEX_VARIABLE_TEXTCOLOR", "?$VORLEX_VARIABLE_LINKCOLOR", "?$VORLEX_VARIABLE_BACKGROUND_IMAGE"};
    const std::vector<std::string> protection = {"?$VORLEX_VARIABLE_PROTECT_TOOLBAR_IMAGE",
        "?$VORLEX_VARIABLE_PROTECT_IMAGES_BIS_RIGHT_CLIC"};
    const struct {
        int id;
        std::vector<std::string> extra;
        bool protect;
    } rows[] = {
        {169, {"?$VORLEX_VARIABLE_PROTECT_IMAGES_RIGHT_CLIC", "?$VORLEX_VAR_INSERT_ZIP_LINK",
               "?$VORLEX_VAR_INSERT_PREVIOUS_LINK", "?$VORLEX_VAR_INSERT_NEXT_LINK", "?$VORLEX_VARIABLE_ZIP_SIZE",
               "?$VORLEX_VARIABLE_NB_IMAGE_IN_THIS_PAGE", "?$VORLEX_VARIABLE_PAGE_INDEX", "?$VORLEX_VARIABLE_NUMBER_OF_PAGES"},
         true},
        {185, {"?$VORLEX_VARIABLE_NUMBER_OF_IMAGES", "?$VORLEX_LOOP_DIAPORAMA", "?$VORLEX_VARIABLE_DELAY_DIAPORAMA", "?$VORLEX_CLOSE_OR_BACK_DIAPORAMA",
               "?$VORLEX_VARIABLE_PROTECT_IMAGES_RIGHT_CLIC"}, true},
        {198, {"?$VORLEX_VARIABLE_NUMBER_OF_IMAGES", "?$VORLEX_LOOP_DIAPORAMA", "?$VORLEX_VARIABLE_DELAY_DIAPORAMA", "?$VORLEX_CLOSE_OR_BACK_DIAPORAMA",
               "?$VORLEX_VARIABLE_PROTECT_IMAGES_RIGHT_CLIC"}, true},
        {188, {"?$VORLEX_VARIABLE_NUMBER_OF_IMAGES", "?$VORLEX_LOOP_DIAPORAMA", "?$VORLEX_CLOSE_OR_BACK_DIAPORAMA",
               "?$VORLEX_VARIABLE_PROTECT_IMAGES_RIGHT_CLIC"}, true},
        {192, {"?$VORLEX_VARIABLE_NUMBER_OF_IMAGES", "?$VORLEX_DIAPO_WIDTH", "?$VORLEX_DIAPO_HEIGHT", "?$VORLEX_LOOP_DIAPORAMA",
               "?$VORLEX_IS_LINK_FOR_DIAPORAMA", "?$VORLEX_VARIABLE_DELAY_DIAPORAMA",
               "?$VORLEX_STYLE_FOR_LINK_FOR_DIAPORAMA"}, false},
        {193, {"?$VORLEX_VARIABLE_NUMBER_OF_IMAGES", "?$VORLEX_DIAPO_WIDTH", "?$VORLEX_DIAPO_HEIGHT", "?$VORLEX_LOOP_DIAPORAMA",
               "?$VORLEX_IS_LINK_FOR_DIAPORAMA", "?$VORLEX_VARIABLE_DELAY_DIAPORAMA",
               "?$VORLEX_STYLE_FOR_LINK_FOR_DIAPORAMA"}, true},
    };
    for (const auto &row : rows) {
        const std::set<std::string> found = Variables(Text(row.id));
        std::vector<std::string> wanted = page;
        wanted.insert(wanted.end(), row.extra.begin(), row.extra.end());
        if (row.protect)
            wanted.insert(wanted.end(), protection.begin(), protection.end());
        for (const std::string &name : wanted)
            EXPECT_TRUE(found.count(name)) << row.id << " lacks " << name;
        if (!row.protect) {
            EXPECT_FALSE(found.count(protection[0])) << row.id;
        }
    }
}

TEST(PageResources, slideshowDelayAndSizesSitBeforeTheInsertionBlock)
{
    // The builder replaces these in the head only.
    for (const int id : kSlideshows) {
        const QString text = Text(id);
        const qsizetype open = OpeningTag(text);
        for (const char *name : {"?$VORLEX_VARIABLE_DELAY_DIAPORAMA", "?$VORLEX_DIAPO_WIDTH", "?$VORLEX_DIAPO_HEIGHT"}) {
            const qsizetype at = text.lastIndexOf(QLatin1String(name));
            if (at >= 0) {
                EXPECT_LT(at, open) << id << ' ' << name;
            }
        }
    }
}

TEST(PageResources, noResourceNamesAVariableThatNobodyReplaces)
{
    const std::set<std::string> known = {"?$VORLEX_VARIABLE_TITLE", "?$VORLEX_VARIABLE_NUMBER_OF_IMAGES",
        "?$VORLEX_VARIABLE_NUMBER_OF_PAGES", "?$VORLEX_VARIABLE_PAGE_INDEX", "?$VORLEX_VARIABLE_NB_IMAGE_IN_THIS_PAGE",
        "?$VORLEX_VARIABLE_BGCOLOR", "?$VORLEX_VARIABLE_TEXTCOLOR", "?$VORLEX_VARIABLE_LINKCOLOR",
        "?$VORLEX_VARIABLE_BACKGROUND_IMAGE", "?$VORLEX_VARIABLE_PROTECT_TOOLBAR_IMAGE",
        "?$VORLEX_VARIABLE_PROTECT_IMAGES_RIGHT_CLIC", "?$VORLEX_VARIABLE_PROTECT_IMAGES_BIS_RIGHT_CLIC",
        "?$VORLEX_VAR_INSERT_ZIP_LINK", "?$VORLEX_VAR_INSERT_PREVIOUS_LINK", "?$VORLEX_VAR_INSERT_NEXT_LINK",
        "?$VORLEX_VARIABLE_ZIP_SIZE", "?$VORLEX_VARIABLE_DELAY_DIAPORAMA", "?$VORLEX_LOOP_DIAPORAMA",
        "?$VORLEX_CLOSE_OR_BACK_DIAPORAMA", "?$VORLEX_IS_LINK_FOR_DIAPORAMA", "?$VORLEX_STYLE_FOR_LINK_FOR_DIAPORAMA",
        "?$VORLEX_DIAPO_WIDTH", "?$VORLEX_DIAPO_HEIGHT"};
    for (const int id : kAllIds) {
        for (const std::string &name : Variables(Text(id)))
            EXPECT_TRUE(known.count(name)) << id << " names " << name;
    }
    // Scripts and the hand cursor are written raw: a variable would reach the page as is.
    for (const int id : {162, 194, 164, 191})
        EXPECT_TRUE(Variables(Text(id)).empty()) << id;
}

// The automatic slideshow engine, shared by four designs.
QString SlideshowEngine(const QString &text)
{
    const qsizetype start = text.indexOf(QLatin1String("// Shows the pictures one after the other"));
    const qsizetype end = text.indexOf(QLatin1String("function vorlex_start()"), start);
    return start < 0 || end < 0 ? QString() : text.mid(start, end - start);
}

TEST(PageResources, slideshowPopupsAreTheGalleryPopupsOfTheSameProtection)
{
    const QString plain = PopupScript(Text(162));
    const QString protectedPopup = PopupScript(Text(194));
    ASSERT_FALSE(plain.isEmpty());
    ASSERT_FALSE(protectedPopup.isEmpty());
    EXPECT_NE(plain, protectedPopup);
    EXPECT_EQ(PopupScript(Text(192)), plain);
    EXPECT_EQ(PopupScript(Text(193)), protectedPopup);
}

TEST(PageResources, automaticSlideshowsShareOneEngine)
{
    const QString engine = SlideshowEngine(Text(185));
    ASSERT_FALSE(engine.isEmpty());
    for (const int id : {198, 192, 193})
        EXPECT_EQ(SlideshowEngine(Text(id)), engine) << id;
}

TEST(PageResources, builtInGalleryDesignLinksPagesInItsTail)
{
    const QString text = Text(169);
    const qsizetype close = text.indexOf(QLatin1String("</VORLEX_INSERT_IMAGE>"));
    const QString tail = text.mid(close + 23);
    EXPECT_TRUE(tail.startsWith(QLatin1String("<BR><BR>?$VORLEX_VAR_INSERT_PREVIOUS_LINK?$VORLEX_VAR_INSERT_NEXT_LINK")));
    EXPECT_TRUE(tail.trimmed().endsWith(QLatin1String("</html>")));
    // Protection attribute and hand cursor are inserted whole into tags and heads.
    EXPECT_TRUE(Text(195).startsWith(QLatin1Char(' ')));
    EXPECT_FALSE(Text(195).contains(QLatin1Char('\n')));
    EXPECT_TRUE(Text(191).contains(QLatin1String("a { cursor:pointer; cursor:hand; }")));
}

TEST(PageResources, theLoaderNormalisesLineEnds)
{
    const QString design = LoadHtmlResource(169);
    EXPECT_TRUE(design.startsWith(QLatin1String("<!DOCTYPE html>\n")));
    EXPECT_FALSE(design.contains(QLatin1Char('\r')));
    EXPECT_EQ(LoadHtmlResource(195), QLatin1String(" OnContextMenu=\"return false;\""));
}

} // namespace
