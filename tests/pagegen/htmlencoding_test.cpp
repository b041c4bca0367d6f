#include "pagegen/htmlencoding.h"
#include "qstringprint.h"

#include <gtest/gtest.h>

namespace {
QString U(const char *utf8) { return QString::fromUtf8(utf8); }
} // namespace

TEST(ExtractTagContent, matchesTagsInAnyCaseAndReportsTheOpeningPosition)
{
    qsizetype pos = 99;
    EXPECT_EQ(ExtractTagContent("<Vorlex_Insert_Image>x</VORLEX_INSERT_IMAGE>", "VORLEX_INSERT_IMAGE", &pos), "x");
    EXPECT_EQ(pos, 0);
    EXPECT_EQ(ExtractTagContent("ab<T>Mixed Case</t>", "T", &pos), "Mixed Case");
    EXPECT_EQ(pos, 2);
}

TEST(ExtractTagContent, rejectsMissingOrMisplacedTags)
{
    struct Row {
        const char *text;
        const char *content;
        qsizetype position;
    } rows[] = {
        {"x</T>", "", -1},            // closing without opening
        {"</T>x<T>", "", -1},         // closing before opening, none after
        {"<T>never closed", "", -1},
        {"<T></T>", "", 0},           // empty block is still a block
        {"<T>a<T>b</T>c</T>", "a<T>b", 0}, // no nesting: first closing tag ends it
        {"</T><T>y</T>", "y", 4},
    };
    for (const Row &r : rows) {
        qsizetype pos = 7;
        EXPECT_EQ(ExtractTagContent(r.text, "T", &pos), QString(r.content)) << r.text;
        EXPECT_EQ(pos, r.position) << r.text;
    }
}

TEST(EncodeAccents, replacesTheTableLettersAndKeepsOthers)
{
    // Capital É stays; the small é after it does not.
    EXPECT_EQ(EncodeAccents(U("Été à Noël")), U("Ét&eacute; &agrave; No&euml;l"));
    EXPECT_EQ(EncodeAccents(U("ç€£§µÿñÑ")), "&ccedil;&euro;&pound;&sect;&micro;&yuml;&ntilde;&Ntilde;");
    EXPECT_EQ(EncodeAccents(U("áíóúÁ 東京 <b>")), U("áíóúÁ 東京 <b>"));
    EXPECT_EQ(EncodeAccents(U("àâäãèêëìîïòôöõùûü")),
              "&agrave;&acirc;&auml;&atilde;&egrave;&ecirc;&euml;&igrave;&icirc;&iuml;&ograve;&ocirc;"
              "&ouml;&otilde;&ugrave;&ucirc;&uuml;");
    EXPECT_EQ(EncodeAccents(U("ÀÂÃÄÈÊËÌÎÏÒÔÕÖÙÛÜ")),
              "&Agrave;&Acirc;&Atilde;&Auml;&Egrave;&Ecirc;&Euml;&Igrave;&Icirc;&Iuml;&Ograve;&Ocirc;"
              "&Otilde;&Ouml;&Ugrave;&Ucirc;&Uuml;");
}

TEST(EscapeProfiles, applyTheirStepsInOrder)
{
    // Input: backslash, double quote, apostrophe, one accent.
    const QString in = U("a\\b \"q\" l'é");
    struct Row {
        QString (*profile)(const QString &);
        const char *expected;
    } rows[] = {
        {EscapeAttributeText, "a\\b &#34;q&#34; l'&eacute;"},
        {EscapeScriptTooltip, "a\\\\b &#34;q&#34; l\\'&eacute;"},
        {EscapePopupComment, "a\\\\b \\'\\'q\\'\\' l\\'&eacute;"},
        {EscapePopupBubbleComment, "a\\\\\\\\b \\\\\\'\\\\\\'q\\\\\\'\\\\\\' l\\\\\\'&eacute;"},
        {EscapeSlideshowClassicComment, "a\\\\b \\'\\'q\\'\\' l\\'\xc3\xa9"},
        {EscapeScriptPath, "a\\\\b &#34;q&#34; l\\'\xc3\xa9"},
        {EscapePopupPath, "a\\b \"q\" l\\'\xc3\xa9"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(r.profile(in), U(r.expected));
}

TEST(EscapeProfiles, keepScriptStringsOnOneLine)
{
    EXPECT_EQ(EscapePopupComment("a\r\nb\nc"), "a\\nb\\nc");
    EXPECT_EQ(EscapeScriptTooltip("a\nb"), "a\\nb");
    EXPECT_EQ(EscapePopupBubbleComment("a\nb"), "a\\\\nb");
    EXPECT_EQ(EscapeAttributeText("a\nb"), "a\nb"); // attributes may hold line breaks
}

TEST(GuardScriptElementText, stopsAScriptElementFromEndingInsideAString)
{
    EXPECT_EQ(GuardScriptElementText("x = '</script><b>';"), "x = '<\\/script><b>';");
    EXPECT_EQ(GuardScriptElementText("'<!--<script>'"), "'<\\!--<script>'");
    EXPECT_EQ(GuardScriptElementText("a < b"), "a < b");
}

TEST(UrlSafeLink, escapesOnlyCharactersThatBreakALink)
{
    EXPECT_EQ(UrlSafeLink("../img/Photo 2004 l'été.jpg"), U("../img/Photo 2004 l'été.jpg"));
    EXPECT_EQ(UrlSafeLink("a#1?.jpg"), "a%231%3F.jpg");
    EXPECT_EQ(UrlSafeLink("100%\"&.jpg"), "100%25%22%26.jpg");
}

TEST(PageEncoding, windows1252KeepsItsCharactersAndWritesOthersAsEntities)
{
    EXPECT_EQ(EncodePageText(U("é€"), PageEncoding::Utf8), QByteArray("\xc3\xa9\xe2\x82\xac"));
    EXPECT_EQ(EncodePageText(U("é€Œ東😀"), PageEncoding::Windows1252),
              QByteArray("\xe9\x80\x8c&#26481;&#128512;"));
}

TEST(DecodeDesignBytes, readsUtf8WhenValidElseWindows1252)
{
    PageEncoding enc = PageEncoding::Windows1252;
    EXPECT_EQ(DecodeDesignBytes("caf\xc3\xa9", &enc), U("café"));
    EXPECT_EQ(enc, PageEncoding::Utf8);
    EXPECT_EQ(DecodeDesignBytes("caf\xe9 \x80", &enc), U("café €"));
    EXPECT_EQ(enc, PageEncoding::Windows1252);
    // A cut multi-byte sequence is not valid UTF-8.
    DecodeDesignBytes("ab\xc3", &enc);
    EXPECT_EQ(enc, PageEncoding::Windows1252);
    // Round trip of every byte through the Windows-1252 reading and writing.
    QByteArray all;
    for (int b = 0x80; b < 0x100; ++b)
        all += char(b);
    EXPECT_EQ(EncodePageText(DecodeDesignBytes(all, &enc), PageEncoding::Windows1252), all);
}

TEST(DecodeDesignBytes, writesAnAsciiDesignInTheCharsetItDeclares)
{
    struct Row {
        QByteArray bytes;
        PageEncoding encoding;
    } rows[] = {
        {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">", PageEncoding::Windows1252},
        {"<META CHARSET = 'Windows-1252'>", PageEncoding::Windows1252},
        {"<html><body>nothing declared</body></html>", PageEncoding::Windows1252},
        {"<meta charset=\"UTF-8\">", PageEncoding::Utf8},
        {"<meta content=\"text/html; charset=utf8\">", PageEncoding::Utf8},
    };
    for (const Row &r : rows) {
        PageEncoding enc = r.encoding == PageEncoding::Utf8 ? PageEncoding::Windows1252 : PageEncoding::Utf8;
        EXPECT_EQ(DecodeDesignBytes(r.bytes, &enc), QString::fromLatin1(r.bytes));
        EXPECT_EQ(enc, r.encoding) << r.bytes.toStdString();
    }
}

TEST(DecodeDesignBytes, keepsTheByteOrderMarkOfAUtf8Design)
{
    PageEncoding enc = PageEncoding::Windows1252;
    const QString text = DecodeDesignBytes("\xef\xbb\xbf<p>n\xc2\xb0</p>", &enc);
    EXPECT_EQ(enc, PageEncoding::Utf8);
    EXPECT_EQ(text, QChar(0xFEFF) + U("<p>n°</p>"));
    // Pages start with the mark, so browsers still read them as UTF-8.
    EXPECT_TRUE(EncodePageText(text, enc).startsWith("\xef\xbb\xbf<p>"));
}

TEST(LoadHtmlResource, givesAnEmptyTextForAnUnknownId)
{
    EXPECT_TRUE(LoadHtmlResource(4242).isEmpty());
}
