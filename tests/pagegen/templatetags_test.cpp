#include "pagegen/templatetags.h"
#include "qstringprint.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(ParsePageDesign, cutsHeadSectionsAndTailDroppingTheCharacterAfterTheBlock)
{
    const QString text = "<html>H\n<VORLEX_INSERT_IMAGE>"
                         "<VORLEX_BEFORE_EACH_IMAGE>[</VORLEX_BEFORE_EACH_IMAGE>"
                         "ignored"
                         "<VORLEX_AFTER_EACH_IMAGE>]</VORLEX_AFTER_EACH_IMAGE>"
                         "</VORLEX_INSERT_IMAGE>\nT</html>\n";
    PageDesign d;
    ASSERT_TRUE(ParsePageDesign(text, d));
    EXPECT_EQ(d.Head(), "<html>H\n");
    EXPECT_EQ(d.Section(BEFORE_EACH_IMAGE), "[");
    EXPECT_EQ(d.Section(AFTER_EACH_IMAGE), "]");
    EXPECT_EQ(d.Section(BEFORE_FIRST_IMAGE), "");
    EXPECT_EQ(d.Tail(), "T</html>\n");
}

TEST(ParsePageDesign, acceptsLowerCaseTagsAndSectionsInAnyOrder)
{
    PageDesign d;
    ASSERT_TRUE(ParsePageDesign("<vorlex_insert_image><vorlex_after_last_image>E</vorlex_after_last_image>"
                                "<Vorlex_Before_First_Image>S</Vorlex_Before_First_Image></vorlex_insert_image>",
                                d));
    EXPECT_EQ(d.Section(BEFORE_FIRST_IMAGE), "S");
    EXPECT_EQ(d.Section(AFTER_LAST_IMAGE), "E");
}

TEST(ParsePageDesign, dropsTheFirstCharacterOfTextOnTheClosingTagsLine)
{
    PageDesign d;
    ASSERT_TRUE(ParsePageDesign("<VORLEX_INSERT_IMAGE></VORLEX_INSERT_IMAGE>xyz", d));
    EXPECT_EQ(d.Tail(), "yz");
    ASSERT_TRUE(ParsePageDesign("h<VORLEX_INSERT_IMAGE>b</VORLEX_INSERT_IMAGE>", d));
    EXPECT_EQ(d.Tail(), "");
    EXPECT_EQ(d.Head(), "h");
}

TEST(ParsePageDesign, writesASecondBlockUnprocessedInTheTail)
{
    PageDesign d;
    ASSERT_TRUE(ParsePageDesign("<VORLEX_INSERT_IMAGE>1</VORLEX_INSERT_IMAGE>\n"
                                "<VORLEX_INSERT_IMAGE>2</VORLEX_INSERT_IMAGE>\n",
                                d));
    EXPECT_EQ(d.blockContent, "1");
    EXPECT_EQ(d.Tail(), "<VORLEX_INSERT_IMAGE>2</VORLEX_INSERT_IMAGE>\n");
}

TEST(ParsePageDesign, rejectsADesignWithoutAUsableBlockAndAcceptsAnEmptyOne)
{
    PageDesign d;
    EXPECT_FALSE(ParsePageDesign("<html>no tags</html>", d));
    EXPECT_FALSE(ParsePageDesign("</VORLEX_INSERT_IMAGE><VORLEX_INSERT_IMAGE>", d));
    EXPECT_FALSE(ParsePageDesign("<VORLEX_INSERT_IMAGE> never closed", d));
    EXPECT_FALSE(ParsePageDesign("", d));
    EXPECT_TRUE(d.Head().isEmpty());
    EXPECT_TRUE(d.Tail().isEmpty());
    EXPECT_TRUE(ParsePageDesign("<VORLEX_INSERT_IMAGE></VORLEX_INSERT_IMAGE>", d));
}

TEST(ParsePageDesign, findsASectionNestedInAnother)
{
    PageDesign d;
    ASSERT_TRUE(ParsePageDesign("<VORLEX_INSERT_IMAGE><VORLEX_BEFORE_ZIP_LINK>a<VORLEX_INSIDE_ZIP_LINK>b"
                                "</VORLEX_INSIDE_ZIP_LINK></VORLEX_BEFORE_ZIP_LINK></VORLEX_INSERT_IMAGE>",
                                d));
    EXPECT_EQ(d.Section(BEFORE_ZIP_LINK), "a<VORLEX_INSIDE_ZIP_LINK>b</VORLEX_INSIDE_ZIP_LINK>");
    EXPECT_EQ(d.Section(INSIDE_ZIP_LINK), "b");
}

TEST(ReadDesignText, endsEveryLineWithALineFeed)
{
    struct Row {
        QByteArray bytes;
        const char *text;
    } rows[] = {
        {"a\r\nb\r\n", "a\nb\n"},
        {"a\nb", "a\nb\n"},
        {"", ""},
        {"\n\n", "\n\n"},
    };
    for (const Row &r : rows) {
        QBuffer buf;
        buf.setData(r.bytes);
        QString text;
        PageEncoding enc;
        ASSERT_TRUE(ReadDesignText(buf, text, enc));
        EXPECT_EQ(text, r.text) << r.bytes.toStdString();
    }
}

TEST(LoadPageDesign, failsForAMissingFileAndReadsLatin1Designs)
{
    PageDesign d;
    EXPECT_FALSE(LoadPageDesign(false, "/nonexistent/design.html", d));
    EXPECT_FALSE(LoadPageDesign(false, QString(), d));

    QTemporaryDir dir;
    QFile f(dir.filePath("d.html"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<p>\xe9t\xe9</p><vorlex_insert_image></vorlex_insert_image>\n");
    f.close();
    ASSERT_TRUE(LoadPageDesign(false, f.fileName(), d));
    EXPECT_EQ(d.encoding, PageEncoding::Windows1252);
    EXPECT_EQ(d.Head(), QString::fromUtf8("<p>été</p>"));
}
