#include "shell/app/aboutdialog.h"
#include "shell/widgets/colorpickerdialog.h"
#include "shell/widgets/colorswatch.h"
#include "shell/widgets/huesaturationfield.h"
#include "shell/widgets/hyperlinklabel.h"
#include "shell/widgets/luminancebar.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QLineEdit *Number(const QDialog &dialog, const char *name)
{
    auto *edit = dialog.findChild<QLineEdit *>(QLatin1String(name));
    EXPECT_NE(edit, nullptr) << name;
    return edit;
}

void Retype(QLineEdit *edit, const QString &text)
{
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

QString HtmlCode(const QDialog &dialog)
{
    return dialog.findChild<QLabel *>(QStringLiteral("htmlCode"))->text();
}

} // namespace

TEST(ColorPicker, clampsTypedComponentsAndUpdatesTheOtherModel)
{
    ColorPickerDialog dialog(0x000000, false);
    Retype(Number(dialog, "red"), QStringLiteral("300"));
    EXPECT_EQ(Number(dialog, "red")->text(), QStringLiteral("255"));
    EXPECT_EQ(Number(dialog, "hue")->text(), QStringLiteral("0"));
    EXPECT_EQ(Number(dialog, "luminance")->text(), QStringLiteral("126"));
    EXPECT_EQ(Number(dialog, "saturation")->text(), QStringLiteral("252"));
    EXPECT_EQ(HtmlCode(dialog), QStringLiteral("Code HTML : #FF0000"));
    EXPECT_EQ(dialog.color(), 0x0000FFu);

    Retype(Number(dialog, "hue"), QStringLiteral("300"));
    EXPECT_EQ(Number(dialog, "hue")->text(), QStringLiteral("252"));
    EXPECT_EQ(dialog.hls().hue, 252);
}

TEST(ColorPicker, keepsAGreyGreyWhenOnlyTheHueChanges)
{
    ColorPickerDialog dialog(0x808080, false);
    Retype(Number(dialog, "hue"), QStringLiteral("40"));
    const RgbColor rgb = RgbFromColorRef(dialog.color());
    EXPECT_TRUE(rgb.red == rgb.green && rgb.green == rgb.blue) << dialog.color();
    EXPECT_EQ(Number(dialog, "hue")->text(), QStringLiteral("40"));
}

TEST(ColorPicker, oldSwatchRestoresTheStartingColourEverywhere)
{
    ColorPickerDialog dialog(0x123456, false);
    Retype(Number(dialog, "red"), QStringLiteral("255"));
    Retype(Number(dialog, "luminance"), QStringLiteral("10"));
    ASSERT_NE(dialog.color(), 0x123456u);

    QTest::mouseClick(dialog.findChild<ColorSwatch *>(QStringLiteral("oldColor")), Qt::LeftButton);
    EXPECT_EQ(dialog.color(), 0x123456u);
    EXPECT_EQ(Number(dialog, "red")->text(), QStringLiteral("86"));
    EXPECT_EQ(Number(dialog, "luminance")->text(), QString::number(RgbToHls({0x56, 0x34, 0x12}).luminance));
    EXPECT_EQ(HtmlCode(dialog), QStringLiteral("Code HTML : #563412"));
    EXPECT_EQ(dialog.findChild<ColorSwatch *>(QStringLiteral("newColor"))->color(), 0x123456u);
}

TEST(ColorPicker, fieldKeepsLuminanceAndBarKeepsHueAndSaturation)
{
    ColorPickerDialog dialog(0x0000FF, false); // red: hue 0, luminance 126
    dialog.show(); // lays the controls out at their real sizes
    auto *field = dialog.findChild<HueSaturationField *>();
    auto *bar = dialog.findChild<LuminanceBar *>();

    // The bottom of the field is saturation 0: a grey at the same luminance.
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(field->width() / 2, field->height() - 1));
    EXPECT_EQ(dialog.hls().saturation, 0);
    EXPECT_EQ(dialog.hls().luminance, 126);
    EXPECT_EQ(dialog.color(), 0x7F7F7Fu);

    QTest::keyClick(field, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(dialog.hls().saturation, 10);
    EXPECT_EQ(Number(dialog, "saturation")->text(), QStringLiteral("10"));

    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(10, 0));
    EXPECT_EQ(dialog.color(), 0xFFFFFFu);
    QTest::keyClick(bar, Qt::Key_Down);
    EXPECT_EQ(dialog.hls().luminance, 251);
    EXPECT_EQ(dialog.hls().saturation, 10);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(10, bar->height() - 1));
    EXPECT_EQ(dialog.color(), 0x000000u);
}

TEST(ColorPicker, showsTooltipsOnlyWhenAsked)
{
    ColorPickerDialog quiet(0, false);
    ColorPickerDialog helpful(0, true);
    EXPECT_TRUE(Number(quiet, "blue")->toolTip().isEmpty());
    EXPECT_EQ(Number(helpful, "blue")->toolTip(), QStringLiteral("Composante bleu"));
    EXPECT_EQ(helpful.findChild<ColorSwatch *>(QStringLiteral("oldColor"))->toolTip(),
        QStringLiteral("Cliquez ici pour retrouver la couleur de départ"));
}

namespace {

// Answers the picker the swatch opens, once it runs modally.
void AnswerPicker(const QString &red, bool accept)
{
    QTimer::singleShot(0, [red, accept] {
        auto *dialog = qobject_cast<ColorPickerDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        Retype(Number(*dialog, "red"), red);
        accept ? dialog->accept() : dialog->reject();
    });
}

} // namespace

TEST(ColorSwatch, opensThePickerAndTakesOnlyAnAcceptedColour)
{
    ColorSwatch swatch;
    swatch.setColor(0x000000);
    swatch.setOpensPicker(true);
    QSignalSpy clicked(&swatch, &ColorSwatch::clicked);
    QSignalSpy changed(&swatch, &ColorSwatch::colorChanged);

    AnswerPicker(QStringLiteral("200"), false);
    QTest::keyClick(&swatch, Qt::Key_Space);
    EXPECT_EQ(swatch.color(), 0x000000u);
    EXPECT_EQ(changed.count(), 0);

    AnswerPicker(QStringLiteral("200"), true);
    QTest::mouseClick(&swatch, Qt::LeftButton);
    EXPECT_EQ(swatch.color(), 0x0000C8u);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<COLORREF>(), 0x0000C8u);
    EXPECT_EQ(clicked.count(), 2);
}

TEST(HyperlinkLabel, fillsAnEmptyTargetOrTextFromTheOther)
{
    HyperlinkLabel fromText(QStringLiteral("https://example.org/"));
    EXPECT_EQ(fromText.target(), QStringLiteral("https://example.org/"));
    EXPECT_EQ(fromText.toolTip(), QStringLiteral("https://example.org/"));

    HyperlinkLabel fromTarget(QString(), QStringLiteral("mailto:a@b.c"));
    EXPECT_EQ(fromTarget.text(), QStringLiteral("mailto:a@b.c"));

    int opens = 0;
    HyperlinkLabel empty {QString()};
    empty.setOpener([&](const QString &) { return ++opens, true; });
    QTest::keyClick(&empty, Qt::Key_Return);
    EXPECT_EQ(opens, 0);
    EXPECT_FALSE(empty.isVisited());
}

TEST(HyperlinkLabel, isVisitedOnlyAfterASuccessfulOpen)
{
    HyperlinkLabel link(QStringLiteral("site"), QStringLiteral("https://example.org/"));
    link.setLinkColors(Qt::blue, Qt::darkMagenta, Qt::red);
    QStringList opened;
    bool succeed = false;
    link.setOpener([&](const QString &target) { return opened << target, succeed; });

    QTest::mouseClick(&link, Qt::LeftButton);
    EXPECT_FALSE(link.isVisited());
    EXPECT_EQ(link.currentColor(), QColor(Qt::blue));

    succeed = true;
    QTest::keyClick(&link, Qt::Key_Space);
    EXPECT_TRUE(link.isVisited());
    EXPECT_EQ(link.currentColor(), QColor(Qt::darkMagenta));
    EXPECT_EQ(opened, QStringList(2, QStringLiteral("https://example.org/")));
}

TEST(HyperlinkLabel, isRedWhileHoveredAndLeavesHoverOnClick)
{
    HyperlinkLabel link(QStringLiteral("site"));
    link.setOpener([](const QString &) { return false; });
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&link, &enter);
    EXPECT_EQ(link.currentColor(), QColor(255, 0, 0));
    EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(255, 0, 0));
    QTest::mouseClick(&link, Qt::LeftButton);
    EXPECT_EQ(link.currentColor(), QColor(0, 0, 238));
}

TEST(HyperlinkLabel, refitsToANewTargetKeepingItsAnchor)
{
    QWidget parent;
    auto *link = new HyperlinkLabel(QString(), QStringLiteral("a"), &parent);
    link->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    link->setMinimumSize(0, 0);
    link->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    link->setGeometry(10, 10, 300, 40);
    link->setText(QStringLiteral("a much longer text"));
    link->setTarget(QStringLiteral("https://example.org/"));
    EXPECT_EQ(link->toolTip(), QStringLiteral("https://example.org/"));
    EXPECT_EQ(link->size(), link->sizeHint());
    EXPECT_EQ(link->geometry().right(), 309);
    EXPECT_EQ(link->geometry().center().y(), 29);
}

TEST(AboutDialog, showsTheMailAddressButOpensItAsMail)
{
    AboutDialog about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("A propos de Gallorim"));
    EXPECT_FALSE(about.mailLink()->text().startsWith(QStringLiteral("mailto:")));
    EXPECT_TRUE(about.mailLink()->target().startsWith(QStringLiteral("mailto:")));
    EXPECT_TRUE(about.mailLink()->target().endsWith(about.mailLink()->text()));
    EXPECT_EQ(about.webSiteLink()->target(), about.webSiteLink()->text());
}
