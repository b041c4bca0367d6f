#include "buildfixture.h"
#include "pagegen/expandedcomment.h"
#include "qstringprint.h"

using ExpandedComment = BuildFixture;

TEST_F(ExpandedComment, showsTheNumbersOfTheImageInTheWholeList)
{
    GalleryOptions o;
    o.WebPage2.NbImageOnOneLine = 2;
    o.WebPage2.NbLineOnOnePage = 1;
    m_doc->SetOptions(o);
    AddImage("a.jpg", "640x480", "128x96", "plain ?$VORLEX_VAR_INSERT_ZIP_LINK");
    AddImage("b.jpg", "640x480", "128x96", QString());
    AddImage("c.jpg", "640x480", "128x96",
             "?$VORLEX_VARIABLE_IMAGE_NAME : ?$VORLEX_VARIABLE_IMAGE_INDEX/?$VORLEX_VARIABLE_NUMBER_OF_IMAGES, "
             "page ?$VORLEX_VARIABLE_PAGE_INDEX");
    EXPECT_EQ(GetExpandedComment(*m_doc, 2), "c.jpg : 3/3, page 2");
    EXPECT_EQ(GetExpandedComment(*m_doc, 0), "plain ?$VORLEX_VAR_INSERT_ZIP_LINK"); // no image variable: as typed
    EXPECT_EQ(GetExpandedComment(*m_doc, 3), "");
    EXPECT_EQ(GetExpandedComment(*m_doc, -1), "");
}
