// What the control paints, into a host's painter and in its own window.
#include "placementhost.h"

#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 500;
constexpr int kHeight = 60;
constexpr int kCentreX = kWidth / 2;
constexpr int kCentreY = kHeight / 2;

QFont TestFont()
{
    QFont font;
    font.setPixelSize(12);
    return font;
}

GlrResult DrawInto(IGLRVisualPlacementObject *control, QImage &image, const GlrRect &rect)
{
    Ref<GlrViewObject> view = Query<GlrViewObject>(control, GLR_IID_IGlrViewObject);
    QPainter painter(&image);
    painter.setFont(TestFont());
    return view->lpVtbl->Draw(view.get(), &painter, &rect);
}

QImage Render(IGLRVisualPlacementObject *control)
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::gray);
    EXPECT_EQ(DrawInto(control, image, GlrRect {0, 0, kWidth, kHeight}), GLR_S_OK);
    return image;
}

// Where pixels of exactly one colour lie, and whether any other colour
// than the two expected ones appears outside the text's rows.
struct Ink {
    int count = 0;
    int top = INT_MAX, bottom = INT_MIN, left = INT_MAX, right = INT_MIN;
    int countIn(const QImage &image, QColor colour, int fromRow, int toRow) const
    {
        int n = 0;
        for (int y = std::max(fromRow, 0); y <= std::min(toRow, image.height() - 1); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixelColor(x, y) == colour;
        return n;
    }
};

Ink FindInk(const QImage &image, QColor colour)
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != colour)
                continue;
            ++ink.count;
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
        }
    }
    return ink;
}

// Every pixel that is not the background lies within these rows.
void ExpectOnlyBackgroundOutsideRows(const QImage &image, QColor background, int fromRow, int toRow)
{
    for (int y = 0; y < image.height(); ++y) {
        if (y >= fromRow && y <= toRow)
            continue;
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(image.pixelColor(x, y), background) << "at " << x << "," << y;
    }
}

} // namespace

TEST(PlacementDrawing, freshControlDrawsWhiteTextCentredOnTheCentreLine)
{
    Ref<IGLRVisualPlacementObject> control = CreateControl();
    const QImage image = Render(control.get());
    const Ink ink = FindInk(image, Qt::white);
    ASSERT_GT(ink.count, 20);
    EXPECT_LE(ink.bottom, kCentreY + 4); // the base line is the centre line; only descenders go below
    EXPECT_GE(ink.top, kCentreY - 14);
    EXPECT_NEAR(ink.left + ink.right, 2 * kCentreX, 4);
    ExpectOnlyBackgroundOutsideRows(image, Qt::black, kCentreY - 14, kCentreY + 4);
}

TEST(PlacementDrawing, twoLineModeDrawsTenPixelsAboveAndBelowTheCentre)
{
    Ref<IGLRVisualPlacementObject> control = CreateControl();
    control->lpVtbl->Init_Visual_Placement(control.get(), 0x000000, 0xFFFFFF, 0, 1139);
    const QImage image = Render(control.get());
    const Ink ink;
    const QColor white(Qt::white);
    // First line: its base line 10 pixels above the centre.
    EXPECT_GT(ink.countIn(image, white, kCentreY - 24, kCentreY - 11), 20);
    // Second line: its body between the centre and its base line 10 pixels below.
    EXPECT_GT(ink.countIn(image, white, kCentreY + 5, kCentreY + 10), 20);
    ExpectOnlyBackgroundOutsideRows(image, Qt::black, kCentreY - 24, kCentreY + 14);
}

TEST(PlacementDrawing, initColorsTurnsTheSameTextBlackOnWhite)
{
    Ref<IGLRVisualPlacementObject> control = CreateControl();
    const Ink whiteOnBlack = FindInk(Render(control.get()), Qt::white);
    control->lpVtbl->InitColors(control.get(), 0xFFFFFF, 0x000000);
    const QImage image = Render(control.get());
    const Ink blackOnWhite = FindInk(image, Qt::black);
    EXPECT_EQ(blackOnWhite.top, whiteOnBlack.top);
    EXPECT_EQ(blackOnWhite.bottom, whiteOnBlack.bottom);
    EXPECT_EQ(blackOnWhite.left, whiteOnBlack.left);
    ExpectOnlyBackgroundOutsideRows(image, Qt::white, kCentreY - 14, kCentreY + 4);
}

TEST(PlacementDrawing, coloursAreReadAsThePageWritesThem)
{
    Ref<IGLRVisualPlacementObject> control = CreateControl();
    control->lpVtbl->InitColors(control.get(), 0x336699, 0xFF0000); // #336699 background, red text
    const QImage image = Render(control.get());
    EXPECT_EQ(image.pixelColor(0, 0), QColor(0x33, 0x66, 0x99));
    EXPECT_GT(FindInk(image, QColor(0xFF, 0, 0)).count, 20);
}

TEST(PlacementDrawing, modeChangeWithoutAChosenImageLeavesThePictureAlone)
{
    Ref<IGLRVisualPlacementObject> control = CreateControl();
    control->lpVtbl->Init_Visual_Placement(control.get(), 0, 0xFFFFFF, 0, 1139);
    const QImage before = Render(control.get());
    control->lpVtbl->InitMode(control.get(), 0);
    EXPECT_EQ(Render(control.get()), before);
    control->lpVtbl->ClickFirstImage(control.get(), 2);
    EXPECT_NE(Render(control.get()), before);
}

TEST(PlacementDrawing, drawsOnlyInsideTheGivenRectangleAroundItsCentre)
{
    Ref<IGLRVisualPlacementObject> control = CreateControl();
    QImage image(800, 200, QImage::Format_RGB32);
    image.fill(Qt::gray);
    ASSERT_EQ(DrawInto(control.get(), image, GlrRect {101, 40, 601, 100}), GLR_S_OK);
    const QImage inside = image.copy(101, 40, kWidth, kHeight);
    EXPECT_EQ(FindInk(image, Qt::gray).count, 800 * 200 - kWidth * kHeight);
    EXPECT_NEAR(FindInk(inside, Qt::white).left + FindInk(inside, Qt::white).right, 2 * (351 - 101), 4);
}

TEST(PlacementDrawing, refusesMissingOrInactivePaintersAndSurvivesExtremeRectangles)
{
    Ref<IGLRVisualPlacementObject> control = CreateControl();
    Ref<GlrViewObject> view = Query<GlrViewObject>(control.get(), GLR_IID_IGlrViewObject);
    const GlrRect rect {0, 0, 10, 10};
    QPainter inactive;
    EXPECT_EQ(view->lpVtbl->Draw(view.get(), nullptr, &rect), GLR_E_POINTER);
    EXPECT_EQ(view->lpVtbl->Draw(view.get(), &inactive, nullptr), GLR_E_POINTER);
    EXPECT_EQ(view->lpVtbl->Draw(view.get(), &inactive, &rect), GLR_E_INVALIDARG);

    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::gray);
    EXPECT_EQ(DrawInto(control.get(), image, GlrRect {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}), GLR_S_OK);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::black));
    image.fill(Qt::gray);
    EXPECT_EQ(
        DrawInto(control.get(), image, GlrRect {30, 30, 10, 10}), GLR_S_OK); // inverted: nothing to fill
    EXPECT_EQ(image.pixelColor(20, 5), QColor(Qt::gray));
}

namespace {

// Counts the paint events of the control's window.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

class ActiveControl : public ::testing::Test {
protected:
    void SetUp() override
    {
        host.resize(700, 200);
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
        control = CreateControl();
        inPlace = Query<GlrInPlaceObject>(control.get(), GLR_IID_IGlrInPlaceObject);
        const GlrRect rect {10, 20, 10 + kWidth, 20 + kHeight};
        ASSERT_EQ(inPlace->lpVtbl->InPlaceActivate(inPlace.get(), &host, &rect), GLR_S_OK);
        void *widget = nullptr;
        ASSERT_EQ(inPlace->lpVtbl->GetWindow(inPlace.get(), &widget), GLR_S_OK);
        window = static_cast<QWidget *>(widget);
        window->installEventFilter(&counter);
        QCoreApplication::processEvents();
    }
    bool Repainted()
    {
        counter.paints = 0;
        return QTest::qWaitFor([this] { return counter.paints > 0; }, 2000);
    }

    QWidget host;
    PaintCounter counter;
    Ref<IGLRVisualPlacementObject> control;
    Ref<GlrInPlaceObject> inPlace;
    QPointer<QWidget> window;
};

} // namespace

TEST_F(ActiveControl, ownsAChildWindowAtTheGivenRectangle)
{
    ASSERT_TRUE(window);
    EXPECT_EQ(window->parentWidget(), &host);
    EXPECT_EQ(window->geometry(), QRect(10, 20, kWidth, kHeight));
    EXPECT_TRUE(window->isVisible());
    const GlrRect moved {0, 0, 300, 40};
    EXPECT_EQ(inPlace->lpVtbl->SetObjectRects(inPlace.get(), &moved), GLR_S_OK);
    EXPECT_EQ(window->geometry(), QRect(0, 0, 300, 40));
}

TEST_F(ActiveControl, windowShowsWhatTheDrawingRoutineDraws)
{
    control->lpVtbl->InitColors(control.get(), 0x102030, 0xFFFFFF);
    const QImage shot = window->grab().toImage();
    EXPECT_EQ(shot.pixelColor(0, 0), QColor(0x10, 0x20, 0x30));
    EXPECT_EQ(shot.pixelColor(kWidth - 1, kHeight - 1), QColor(0x10, 0x20, 0x30));
    EXPECT_GT(FindInk(shot, Qt::white).count, 20);
}

TEST_F(ActiveControl, everyVisibleChangeRepaintsTheWindow)
{
    control->lpVtbl->InitColors(control.get(), 0xFFFFFF, 0);
    EXPECT_TRUE(Repainted());
    control->lpVtbl->Init_Visual_Placement(control.get(), 0, 0xFFFFFF, 0, 1139);
    EXPECT_TRUE(Repainted());
    control->lpVtbl->ClickFirstImage(control.get(), 1);
    EXPECT_TRUE(Repainted());
    control->lpVtbl->InitMode(control.get(), 0);
    EXPECT_TRUE(Repainted());
    control->lpVtbl->ClickSecondImage(control.get(), 1, 1);
    EXPECT_TRUE(Repainted());
}

TEST_F(ActiveControl, deactivationAndReleaseDestroyTheWindow)
{
    ASSERT_EQ(inPlace->lpVtbl->InPlaceDeactivate(inPlace.get()), GLR_S_OK);
    EXPECT_FALSE(window);
    void *widget = reinterpret_cast<void *>(1);
    EXPECT_EQ(inPlace->lpVtbl->GetWindow(inPlace.get(), &widget), GLR_E_FAIL);
    EXPECT_EQ(widget, nullptr);
    const GlrRect rect {0, 0, 50, 50};
    EXPECT_EQ(inPlace->lpVtbl->SetObjectRects(inPlace.get(), &rect), GLR_E_UNEXPECTED);

    ASSERT_EQ(inPlace->lpVtbl->InPlaceActivate(inPlace.get(), &host, &rect), GLR_S_OK);
    inPlace->lpVtbl->GetWindow(inPlace.get(), &widget);
    window = static_cast<QWidget *>(widget);
    ASSERT_TRUE(window);
    inPlace.reset();
    control.reset();
    EXPECT_FALSE(window);
}

TEST(PlacementWindow, survivesItsParentGoingFirstAndRefusesMissingArguments)
{
    Ref<IGLRVisualPlacementObject> control = CreateControl();
    Ref<GlrInPlaceObject> inPlace = Query<GlrInPlaceObject>(control.get(), GLR_IID_IGlrInPlaceObject);
    const GlrRect rect {0, 0, kWidth, kHeight};
    EXPECT_EQ(inPlace->lpVtbl->InPlaceActivate(inPlace.get(), nullptr, &rect), GLR_E_POINTER);
    {
        QWidget parent;
        EXPECT_EQ(inPlace->lpVtbl->InPlaceActivate(inPlace.get(), &parent, nullptr), GLR_E_POINTER);
        ASSERT_EQ(inPlace->lpVtbl->InPlaceActivate(inPlace.get(), &parent, &rect), GLR_S_OK);
    }
    void *widget = reinterpret_cast<void *>(1);
    EXPECT_EQ(inPlace->lpVtbl->GetWindow(inPlace.get(), &widget), GLR_E_FAIL);
    control->lpVtbl->ClickFirstImage(control.get(), 3);
    inPlace.reset();
    control.reset();
    EXPECT_EQ(PlacementModule::Get().canUnloadNow(), GLR_S_OK);
}
