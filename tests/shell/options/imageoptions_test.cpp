// Per-entry dialogs: the override flags of "Options spécifiques" and the
// sizes of "Création d'une vignette spécifique".

#include "dialogtesting.h"

#include "shell/common/generaloptions.h"
#include "shell/options/imageoptionsdialog.h"
#include "shell/options/imagethumbnaildialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

ImageOptionBlock Accept(ImageOptionsDialog &dialog)
{
    QTest::mouseClick(Child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    return dialog.block();
}

TEST(ImageOptionFlags, valuesEqualToTheGalleryClearTheirFlags)
{
    GalleryOptions gallery; // link type 33, automatic popup size
    ImageOptionBlock v = ShownImageOptions(ImageOptionBlock{}, gallery);
    v.Flags = 0x3FF;
    EXPECT_EQ(RecomputeImageOptionFlags(v, gallery).Flags, 0u);

    struct Row {
        const char *what;
        void (*edit)(ImageOptionBlock &);
        std::uint32_t flags;
    };
    const Row rows[] = {
        {"tooltip", [](ImageOptionBlock &b) { b.ToolTipType = 2; }, IMGOPT_TOOLTIP_TYPE},
        {"border", [](ImageOptionBlock &b) { b.BorderSize = 3; }, IMGOPT_BORDER_SIZE},
        {"border colour", [](ImageOptionBlock &b) { b.BorderColor = 0x00FF00; }, IMGOPT_BORDER_COLOR},
        {"current window", [](ImageOptionBlock &b) { b.LinkType = 0; }, IMGOPT_LINK_TYPE},
        {"full screen with its colour",
         [](ImageOptionBlock &b) {
             b.LinkType = 17;
             b.PopupBgColor = 0x0000FF;
         },
         IMGOPT_LINK_TYPE | IMGOPT_POPUP_BG_COLOR},
        {"fixed popup size",
         [](ImageOptionBlock &b) {
             b.PopupAutoSize = 0;
             b.PopupWidth = 800;
         },
         IMGOPT_POPUP_AUTO_SIZE | IMGOPT_POPUP_FIXED_SIZE},
        // A size typed for a window that is not a sized popup is no override.
        {"size without popup",
         [](ImageOptionBlock &b) {
             b.LinkType = 1;
             b.PopupAutoSize = 0;
             b.PopupWidth = 800;
         },
         IMGOPT_LINK_TYPE},
        {"popup image size", [](ImageOptionBlock &b) { b.AllowFullSize = 1; }, IMGOPT_POPUP_IMAGE_SIZE},
        {"comment under image", [](ImageOptionBlock &b) { b.CommentUnderImage = 1; }, IMGOPT_COMMENT_UNDER_IMAGE},
    };
    for (const Row &row : rows) {
        ImageOptionBlock edited = ShownImageOptions(ImageOptionBlock{}, gallery);
        row.edit(edited);
        EXPECT_EQ(RecomputeImageOptionFlags(edited, gallery).Flags, row.flags) << row.what;
    }
}

TEST(ImageOptionFlags, kindsCountOnlyBetweenTwoNewWindows)
{
    GalleryOptions gallery;
    gallery.Links.LinkType = MakeLinkType(false, LINK_WINDOW_SIZED_POPUP);
    ImageOptionBlock v = ShownImageOptions(ImageOptionBlock{}, gallery);
    v.LinkType = MakeLinkType(false, LINK_WINDOW_NORMAL);
    EXPECT_EQ(RecomputeImageOptionFlags(v, gallery).Flags & IMGOPT_LINK_TYPE, 0u);
    gallery.Links.LinkType = MakeLinkType(true, LINK_WINDOW_SIZED_POPUP);
    v.LinkType = MakeLinkType(true, LINK_WINDOW_NORMAL);
    EXPECT_EQ(RecomputeImageOptionFlags(v, gallery).Flags & IMGOPT_LINK_TYPE, unsigned(IMGOPT_LINK_TYPE));
}

TEST(ImageOptionsDialog, showsOverridesOverTheGalleryAndRecomputesOnOk)
{
    GalleryOptions gallery;
    GeneralOptions general;
    ImageOptionBlock block;
    block.Flags = IMGOPT_BORDER_SIZE | IMGOPT_TOOLTIP_TYPE;
    block.BorderSize = 4;
    block.ToolTipType = 1;
    block.LinkType = 0; // not flagged: the gallery's 33 is shown
    ImageOptionsDialog dialog(block, gallery, general);
    dialog.show();
    auto *border = Child<QLineEdit>(dialog, "borderSize");
    EXPECT_EQ(border->text(), QStringLiteral("4"));
    EXPECT_TRUE(Child<QRadioButton>(dialog, "tooltipScript")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(dialog, "windowPopup")->isChecked());

    // Back to the gallery's border; the tooltip stays different.
    border->setText(QStringLiteral("0"));
    Child<QRadioButton>(dialog, "popupFixedSize")->click();
    Child<QLineEdit>(dialog, "popupWidth")->setText(QStringLiteral("320"));
    const ImageOptionBlock result = Accept(dialog);
    EXPECT_EQ(result.Flags, unsigned(IMGOPT_TOOLTIP_TYPE | IMGOPT_POPUP_AUTO_SIZE | IMGOPT_POPUP_FIXED_SIZE));
    EXPECT_EQ(result.PopupWidth, 320);
    EXPECT_EQ(result.LinkType, 33);
}

TEST(ImageOptionsDialog, disablesLinkControlsWithoutALinkAndRefusesLetters)
{
    GalleryOptions gallery;
    gallery.Links.IsLink = 0;
    GeneralOptions general;
    ImageOptionsDialog dialog(ImageOptionBlock{}, gallery, general);
    dialog.show();
    for (const char *name : {"linkNewWindow", "windowPopup", "popupAutoSize", "popupWidth", "adaptImageSize",
                             "popupBackgroundColor"})
        EXPECT_FALSE(Child<QWidget>(dialog, name)->isEnabled()) << name;
    EXPECT_TRUE(Child<QWidget>(dialog, "borderSize")->isEnabled());

    auto *border = Child<QLineEdit>(dialog, "borderSize");
    border->setText(QStringLiteral("deux"));
    MessageBoxAnswer answer;
    QTest::mouseClick(Child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    EXPECT_EQ(answer.text, QStringLiteral("Tapez un nombre entier."));
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(border->text(), QStringLiteral("deux"));
}

TEST(ImageThumbnailDialog, handsBackTheChosenModeAndRefusesAZeroSide)
{
    BuildVignetteOptions options;
    GeneralOptions general;
    ImageThumbnailDialog dialog(options, general);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Création d'une vignette spécifique"));
    Child<QRadioButton>(dialog, "sizeBiggest")->click();
    auto *side = Child<QLineEdit>(dialog, "sidePixels");
    side->setText(QStringLiteral("0"));
    {
        MessageBoxAnswer answer;
        QTest::mouseClick(Child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        EXPECT_EQ(answer.text, QStringLiteral("Merci d'entrer une taille non nulle"));
        EXPECT_EQ(dialog.focusWidget(), side);
    }
    side->setText(QStringLiteral("200"));
    QTest::mouseClick(Child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.options().IsPercentSize, 3);
    EXPECT_EQ(dialog.options().SmallestBiggestSize, 200);
    EXPECT_EQ(dialog.options().PreSuffixe, options.PreSuffixe);
}

} // namespace
