// The click protocol as a page drives it: what the control shows after each
// call and which window messages reach the host.
#include "placementhost.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t kMessage = 2000; // any M: the posted numbers derive from it

const QString kText101 = QStringLiteral("Placement Visuel des Images... Initialisation...");
const QString kText103
    = QStringLiteral("Placement Visuel des images :\nCliquez sur l'image à déplacer ou fermez la fenêtre");
const QString kText105 = QStringLiteral("Cliquez sur l'image à échanger avec celle-ci");
const QString kText106
    = QStringLiteral("Cliquez sur l'image avant laquelle vous voulez insérer l'image sélectionée");
const QString kNextMove = QStringLiteral("Cliquez sur la prochaine image à déplacer ou fermez la fenêtre");

QString Selected(int image)
{
    return QStringLiteral("L'image %1 a été sélectionnée (affichée à gauche)\n").arg(image);
}

QString Exchanged(int first, int second)
{
    return QStringLiteral("La position des images %1 et %2 a été échangée\n").arg(first).arg(second)
        + kNextMove;
}

QString Inserted(int first, int second)
{
    return QStringLiteral("L'image  %1 a été insérée avant l'image %2\n").arg(first).arg(second) + kNextMove;
}

class PlacementProtocol : public ::testing::Test {
protected:
    void SetUp() override
    {
        control = CreateControl();
        AttachSite(control.get(), site);
        Call()->Init_Visual_Placement(control.get(), 0, 0xFFFFFF, RecordingSite::kWindow, kMessage);
    }
    const IGLRVisualPlacementObjectVtbl *Call() const { return control->lpVtbl; }

    RecordingSite site;
    Ref<IGLRVisualPlacementObject> control;
};

} // namespace

TEST(PlacementControl, startsWithTheInitialisationTextOnOneLine)
{
    Ref<IGLRVisualPlacementObject> control = CreateControl();
    EXPECT_EQ(MessageOf(control.get()), kText101);
    EXPECT_EQ(TwoLinesOf(control.get()), 0);
}

TEST_F(PlacementProtocol, initialisationShowsTheInvitationOnTwoLines)
{
    EXPECT_EQ(MessageOf(control.get()), kText103);
    EXPECT_EQ(TwoLinesOf(control.get()), 1);
    EXPECT_TRUE(site.posts.empty());
}

TEST_F(PlacementProtocol, firstClickNamesTheImageAndTheHintOfTheMode)
{
    Call()->ClickFirstImage(control.get(), 3);
    EXPECT_EQ(MessageOf(control.get()), Selected(3) + kText106);
    Call()->InitMode(control.get(), 0);
    Call()->ClickFirstImage(control.get(), 12);
    EXPECT_EQ(MessageOf(control.get()), Selected(12) + kText105);
    EXPECT_EQ(TwoLinesOf(control.get()), 1);
    EXPECT_TRUE(site.posts.empty());
}

TEST_F(PlacementProtocol, modeChangeWhileAnImageIsChosenRebuildsOnlyTheHint)
{
    Call()->ClickFirstImage(control.get(), 2);
    Call()->InitMode(control.get(), 0);
    EXPECT_EQ(MessageOf(control.get()), Selected(2) + kText105);
    Call()->InitMode(control.get(), 5); // any value but 0 inserts
    EXPECT_EQ(MessageOf(control.get()), Selected(2) + kText106);
}

TEST_F(PlacementProtocol, modeChangeWithoutAChosenImageChangesNothingShown)
{
    Call()->InitMode(control.get(), 1);
    EXPECT_EQ(MessageOf(control.get()), kText103);
    Call()->ClickFirstImage(control.get(), 4);
    Call()->ClickSecondImage(control.get(), 4, 9);
    const QString afterMove = MessageOf(control.get());
    Call()->InitMode(control.get(), 0); // the second click forgot the image
    EXPECT_EQ(MessageOf(control.get()), afterMove);
}

namespace {

struct SecondClick {
    int32_t mode;
    int32_t first;
    int32_t second;
    bool moves;
};

void PrintTo(const SecondClick &c, std::ostream *os)
{
    *os << "mode " << c.mode << ", " << c.first << " then " << c.second;
}

class SecondClickRule : public PlacementProtocol, public ::testing::WithParamInterface<SecondClick> { };

} // namespace

TEST_P(SecondClickRule, postsOnlyEffectiveMovesAndSaysSo)
{
    const SecondClick c = GetParam();
    Call()->InitMode(control.get(), c.mode);
    Call()->ClickFirstImage(control.get(), c.first);
    Call()->ClickSecondImage(control.get(), c.first, c.second);

    const bool exchange = c.mode == 0;
    if (!c.moves) {
        EXPECT_TRUE(site.posts.empty());
        EXPECT_EQ(MessageOf(control.get()), kText103);
    } else {
        const PostedMessage expected {
            RecordingSite::kWindow, exchange ? kMessage : kMessage + 1, c.first, c.second};
        EXPECT_EQ(site.posts, std::vector<PostedMessage> {expected});
        EXPECT_EQ(
            MessageOf(control.get()), exchange ? Exchanged(c.first, c.second) : Inserted(c.first, c.second));
    }
    EXPECT_EQ(TwoLinesOf(control.get()), 1);
}

INSTANTIATE_TEST_SUITE_P(ExchangeAndInsert, SecondClickRule,
    ::testing::Values(SecondClick {0, 4, 4, false}, SecondClick {0, 3, 7, true}, SecondClick {0, 7, 3, true},
        SecondClick {0, 4, 5, true}, SecondClick {1, 4, 4, false}, SecondClick {1, 4, 5, false},
        SecondClick {1, 5, 4, true}, SecondClick {1, 3, 7, true}, SecondClick {9, 2, 3, false},
        SecondClick {9, 2, 9, true},
        // numbers outside any gallery are passed on unchanged
        SecondClick {0, 0, -5, true}, SecondClick {1, INT32_MAX, INT32_MIN, true},
        SecondClick {1, -2, -1, false}));

TEST_F(PlacementProtocol, typicalRunPostsTheInsertionAndTheClosing)
{
    Call()->InitColors(control.get(), 0x336699, 0xFFFFFF);
    Call()->ClickFirstImage(control.get(), 3);
    Call()->ClickSecondImage(control.get(), 3, 7);
    EXPECT_EQ(MessageOf(control.get()).section(QLatin1Char('\n'), 1), kNextMove);
    control.reset();
    const std::vector<PostedMessage> expected {
        {RecordingSite::kWindow, kMessage + 1, 3, 7}, {RecordingSite::kWindow, kMessage, -1, -1}};
    EXPECT_EQ(site.posts, expected);
}

TEST_F(PlacementProtocol, aClosedHostWindowGetsNothingButTheMessageStillChanges)
{
    site.alive = false;
    Call()->InitMode(control.get(), 0);
    Call()->ClickFirstImage(control.get(), 1);
    Call()->ClickSecondImage(control.get(), 1, 2);
    EXPECT_EQ(MessageOf(control.get()), Exchanged(1, 2));
    control.reset();
    EXPECT_TRUE(site.posts.empty());
}

TEST_F(PlacementProtocol, windowThatComesBackReceivesLaterMoves)
{
    site.alive = false;
    Call()->ClickSecondImage(control.get(), 1, 3);
    site.alive = true;
    Call()->ClickSecondImage(control.get(), 2, 6);
    EXPECT_EQ(site.posts, (std::vector<PostedMessage> {{RecordingSite::kWindow, kMessage + 1, 2, 6}}));
}

TEST(PlacementControl, windowHandleZeroSuppressesEveryPost)
{
    RecordingSite site;
    Ref<IGLRVisualPlacementObject> control = CreateControl();
    AttachSite(control.get(), site);
    control->lpVtbl->Init_Visual_Placement(control.get(), 0, 0, 0, kMessage);
    control->lpVtbl->ClickSecondImage(control.get(), 1, 5);
    EXPECT_EQ(MessageOf(control.get()), Inserted(1, 5));
    control.reset();
    EXPECT_TRUE(site.posts.empty());
}

TEST(PlacementControl, closingPostsNothingWhenNeverInitialised)
{
    RecordingSite site;
    Ref<IGLRVisualPlacementObject> control = CreateControl();
    AttachSite(control.get(), site);
    control->lpVtbl->InitColors(control.get(), 0, 0xFFFFFF);
    control->lpVtbl->ClickSecondImage(control.get(), 1, 5);
    control.reset();
    EXPECT_TRUE(site.posts.empty());
    EXPECT_EQ(site.references, 0u);
}

TEST_F(PlacementProtocol, closingIsPostedOnceOnTheLastReleaseOnly)
{
    Ref<GlrViewObject> view = Query<GlrViewObject>(control.get(), GLR_IID_IGlrViewObject);
    control.reset();
    EXPECT_TRUE(site.posts.empty()); // the view still holds the control
    view.reset();
    EXPECT_EQ(site.posts, (std::vector<PostedMessage> {{RecordingSite::kWindow, kMessage, -1, -1}}));
    EXPECT_EQ(site.references, 0u);
}

TEST_F(PlacementProtocol, detachingTheSiteSilencesTheControl)
{
    Ref<GlrObjectWithSite> withSite = Query<GlrObjectWithSite>(control.get(), GLR_IID_IGlrObjectWithSite);
    ASSERT_EQ(withSite->lpVtbl->SetSite(withSite.get(), nullptr), GLR_S_OK);
    EXPECT_EQ(site.references, 0u);
    Ref<GlrUnknown> none;
    EXPECT_EQ(withSite->lpVtbl->GetSite(withSite.get(), &GLR_IID_IGlrHostSite, none.out()), GLR_E_FAIL);
    EXPECT_FALSE(none);
    Call()->ClickSecondImage(control.get(), 1, 5);
    withSite.reset();
    control.reset();
    EXPECT_TRUE(site.posts.empty());
}
