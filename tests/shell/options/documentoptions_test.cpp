// The document options sheet driven as a user would: loading, the encodings
// of each page, enabling rules, refusals and what OK hands the document.

#include "dialogtesting.h"

#include "document/gallerydocument.h"
#include "platform/profile.h"
#include "shell/common/generaloptions.h"
#include "shell/gallery/gallerydialogs.h"
#include "shell/options/documentoptionsdialog.h"
#include "shell/options/optionsvalidation.h"
#include "shell/widgets/colorswatch.h"
#include "shell/widgets/hyperlinklabel.h"
#include "shell/widgets/updownedit.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

class DocumentOptionsSheet : public ::testing::Test {
protected:
    DocumentOptionsSheet() : profile(dir.filePath(QStringLiteral("settings.ini"))) {}

    std::unique_ptr<DocumentOptionsDialog> open()
    {
        auto dialog = std::make_unique<DocumentOptionsDialog>(options, general, profile);
        dialog->show();
        return dialog;
    }
    void showAllPages(DocumentOptionsDialog &dialog)
    {
        for (int i = 0; i < dialog.pages()->count(); ++i)
            dialog.pages()->setCurrentIndex(i);
    }
    // Clicks OK; answers the message box shown, if any.
    MessageBoxAnswer *clickOk(DocumentOptionsDialog &dialog)
    {
        m_answer = std::make_unique<MessageBoxAnswer>();
        QTest::mouseClick(Child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        return m_answer.get();
    }
    GalleryOptions stored(const DocumentOptionsDialog &dialog)
    {
        GalleryOptions result = options;
        dialog.store(result);
        return result;
    }

    QTemporaryDir dir;
    SettingsProfile profile;
    GeneralOptions general;
    GalleryOptions options;

private:
    std::unique_ptr<MessageBoxAnswer> m_answer;
};

TEST_F(DocumentOptionsSheet, showsItsSixPagesInOrder)
{
    auto dialog = open();
    QStringList titles;
    for (int i = 0; i < dialog->pages()->count(); ++i)
        titles << dialog->pages()->tabText(i);
    EXPECT_EQ(titles, (QStringList{"Page Web 1/2", "Page Web 2/2", "Liens", "Vignettes 1/2", "Vignettes 2/2",
                                   "Diaporama"}));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Options du document..."));
}

TEST_F(DocumentOptionsSheet, storesEveryGroupUnchangedWhenNothingIsEdited)
{
    options.WebPage1.DefaultPage = 1;
    options.WebPage1.TextColor = 0x123456;
    options.WebPage2.NbImageOnOneLine = 3;
    options.WebPage2.NbLineOnOnePage = CountWithSwitch(7, false);
    options.WebPage2.ToolTipType = 1;
    options.Links.LinkType = MakeLinkType(true, LINK_WINDOW_FULLSCREEN);
    options.Links.WindowAutoSize = 0;
    options.BuildVignette.IsPercentSize = 0;
    options.BuildVignette.WithPrefixe = 0;
    options.BuildVignette.IfDoNotExistAction = 3;
    options.Diaporama.NoLoop = 1;
    options.Diaporama.AutoOrUser = 2;
    options.Diaporama.Speed = 12;
    auto dialog = open();
    showAllPages(*dialog);

    EXPECT_TRUE(Child<QRadioButton>(*dialog, "sizeFixed")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(*dialog, "windowFullScreen")->isChecked());
    EXPECT_TRUE(Child<QRadioButton>(*dialog, "linkNewWindow")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>(*dialog, "linesPerPageOn")->isChecked());
    EXPECT_EQ(Child<QLineEdit>(*dialog, "linesPerPage")->text(), QStringLiteral("7"));
    EXPECT_FALSE(Child<QCheckBox>(*dialog, "slideshowLoop")->isChecked());

    EXPECT_FALSE(clickOk(*dialog)->seen);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    const GalleryOptions after = stored(*dialog);
    EXPECT_FALSE(OptionsDiffer(after, options));
}

TEST_F(DocumentOptionsSheet, encodesSwitchesLinkTypeSizeModeAndLoop)
{
    auto dialog = open();
    showAllPages(*dialog);
    Child<QCheckBox>(*dialog, "imagesPerLineOn")->click();
    Child<QRadioButton>(*dialog, "linkNewWindow")->click();
    Child<QRadioButton>(*dialog, "windowPopup")->click();
    Child<QRadioButton>(*dialog, "sizeAutomatic")->click();
    Child<QRadioButton>(*dialog, "slideshowManual")->click();
    Child<QCheckBox>(*dialog, "slideshowLoop")->setChecked(false);
    clickOk(*dialog);
    const GalleryOptions after = stored(*dialog);

    // Without a line limit both counts lose their limit but keep their numbers.
    EXPECT_EQ(after.WebPage2.NbImageOnOneLine, CountWithSwitch(4, false));
    EXPECT_EQ(after.WebPage2.NbLineOnOnePage, CountWithSwitch(5, false));
    EXPECT_EQ(after.Links.LinkType, 33);
    EXPECT_EQ(after.BuildVignette.IsPercentSize, 1);
    EXPECT_EQ(after.Diaporama.NoLoop, 1);
    EXPECT_EQ(after.Diaporama.AutoOrUser, 1);
}

TEST_F(DocumentOptionsSheet, webPage2EnablesCountsTooltipsAndRoot)
{
    auto dialog = open();
    auto *perLine = Child<QCheckBox>(*dialog, "imagesPerLineOn");
    auto *linesOn = Child<QCheckBox>(*dialog, "linesPerPageOn");
    EXPECT_TRUE(linesOn->isEnabled());
    EXPECT_FALSE(Child<QLineEdit>(*dialog, "linesPerPage")->isEnabled()); // default: no page limit
    perLine->click();
    for (const char *name : {"imagesPerLine", "endLastLine", "linesPerPageOn", "linesPerPage"})
        EXPECT_FALSE(Child<QWidget>(*dialog, name)->isEnabled()) << name;

    auto *noTooltip = Child<QCheckBox>(*dialog, "noTooltipInPopups");
    auto *under = Child<QCheckBox>(*dialog, "commentUnderImage");
    EXPECT_TRUE(under->isEnabled());
    noTooltip->click();
    EXPECT_FALSE(under->isEnabled());
    Child<QRadioButton>(*dialog, "tooltipNone")->click();
    EXPECT_FALSE(noTooltip->isEnabled());

    EXPECT_FALSE(Child<QLineEdit>(*dialog, "rootPath")->isEnabled());
    Child<QCheckBox>(*dialog, "rootRelativePath")->click();
    EXPECT_TRUE(Child<QLineEdit>(*dialog, "rootPath")->isEnabled());
    EXPECT_TRUE(Child<QPushButton>(*dialog, "rootPathBrowse")->isEnabled());
}

TEST_F(DocumentOptionsSheet, linksEnableByLinkWindowKindAndSize)
{
    auto dialog = open();
    auto enabled = [&](const char *name) { return Child<QWidget>(*dialog, name)->isEnabled(); };
    // Default: new window, sized popup, automatic size, adapt on.
    EXPECT_TRUE(enabled("popupAutoSize"));
    EXPECT_FALSE(enabled("popupWidth"));
    EXPECT_TRUE(enabled("allowFullSize"));
    Child<QRadioButton>(*dialog, "popupFixedSize")->click();
    EXPECT_TRUE(enabled("popupWidth"));
    Child<QCheckBox>(*dialog, "adaptImageSize")->click();
    EXPECT_FALSE(enabled("allowFullSize"));

    Child<QRadioButton>(*dialog, "windowFullScreen")->click();
    EXPECT_FALSE(enabled("popupAutoSize"));
    EXPECT_FALSE(enabled("popupWidth"));
    EXPECT_TRUE(enabled("adaptImageSize"));
    EXPECT_TRUE(enabled("popupBackgroundColor"));

    Child<QRadioButton>(*dialog, "windowNormal")->click();
    EXPECT_FALSE(enabled("adaptImageSize"));
    EXPECT_FALSE(enabled("popupBackgroundColor"));

    Child<QRadioButton>(*dialog, "linkCurrentWindow")->click();
    EXPECT_TRUE(enabled("linkNewWindow"));
    EXPECT_FALSE(enabled("windowPopup"));

    Child<QCheckBox>(*dialog, "isLink")->click();
    EXPECT_FALSE(enabled("linkNewWindow"));
    EXPECT_FALSE(enabled("linkCurrentWindow"));

    EXPECT_FALSE(enabled("zipName"));
    Child<QCheckBox>(*dialog, "zipLink")->click();
    EXPECT_TRUE(enabled("zipName"));
}

TEST_F(DocumentOptionsSheet, thumbnailPageEnablesOneSizeModeAndShowsTheNameExample)
{
    auto dialog = open();
    dialog->pages()->setCurrentIndex(3);
    auto enabled = [&](const char *name) { return Child<QWidget>(*dialog, name)->isEnabled(); };
    EXPECT_TRUE(enabled("percentSize"));
    EXPECT_FALSE(enabled("fixedWidth"));
    EXPECT_FALSE(enabled("sidePixels"));
    Child<QRadioButton>(*dialog, "sizeFixed")->click();
    EXPECT_TRUE(enabled("fixedWidth"));
    EXPECT_TRUE(enabled("thumbnailBackground"));
    EXPECT_FALSE(enabled("percentSize"));
    Child<QRadioButton>(*dialog, "sizeHeight")->click();
    EXPECT_TRUE(enabled("sidePixels"));
    EXPECT_FALSE(enabled("fixedHeight"));

    auto *example = Child<QLabel>(*dialog, "thumbnailExample");
    auto *affix = Child<QLineEdit>(*dialog, "preSuffix");
    affix->clear();
    QTest::keyClicks(affix, QStringLiteral("_v"));
    Child<QRadioButton>(*dialog, "withSuffix")->click();
    EXPECT_EQ(example->text(), ThumbnailNameExample(0, QStringLiteral("_v")));
    EXPECT_TRUE(example->text().endsWith(QStringLiteral("test_v.jpg"))) << example->text().toStdString();
}

TEST_F(DocumentOptionsSheet, slideshowShowsAndEnablesByKind)
{
    auto dialog = open();
    dialog->pages()->setCurrentIndex(5);
    auto *random = Child<QCheckBox>(*dialog, "slideshowRandom");
    auto *loop = Child<QCheckBox>(*dialog, "slideshowLoop");
    auto *width = Child<QLineEdit>(*dialog, "slideshowWidth");
    auto *close = Child<QRadioButton>(*dialog, "slideshowCloseButton");
    EXPECT_TRUE(random->isEnabled());
    random->click();
    EXPECT_FALSE(loop->isEnabled());
    EXPECT_TRUE(width->isHidden() || !width->isVisibleTo(dialog.get()));

    Child<QRadioButton>(*dialog, "slideshowManual")->click();
    EXPECT_FALSE(random->isEnabled());
    EXPECT_TRUE(loop->isEnabled());
    EXPECT_FALSE(Child<QSlider>(*dialog, "slideshowSpeed")->isEnabled());

    Child<QRadioButton>(*dialog, "slideshowThumbnails")->click();
    EXPECT_TRUE(width->isVisibleTo(dialog.get()));
    EXPECT_FALSE(close->isVisibleTo(dialog.get()));
    EXPECT_FALSE(width->isEnabled());
    Child<QRadioButton>(*dialog, "slideshowSizeFixed")->click();
    EXPECT_TRUE(width->isEnabled());

    Child<QSlider>(*dialog, "slideshowSpeed")->setValue(17);
    EXPECT_EQ(Child<QLabel>(*dialog, "slideshowSpeedText")->text(), QStringLiteral("17 s"));
}

TEST_F(DocumentOptionsSheet, refusesBadFieldsOnTheirPageKeepingWhatWasTyped)
{
    struct Row {
        int page;
        const char *field;
        QString typed;
        QString message;
        const char *enabler = nullptr; // clicked first to make the field reachable
    };
    const Row rows[] = {
        {1, "imagesPerLine", QStringLiteral("4a"), QStringLiteral("Tapez un nombre entier.")},
        {1, "borderSize", QStringLiteral("11"), QStringLiteral("Tapez un nombre entier compris entre 0 et 10.")},
        {2, "popupHeight", QStringLiteral("x"), QStringLiteral("Tapez un nombre entier."), "popupFixedSize"},
        {3, "percentSize", QStringLiteral("abc"), QStringLiteral("Tapez un nombre entier.")},
        {3, "preSuffix", QStringLiteral("mini|"),
         QStringLiteral("Le pre/suffixe ne doit pas comporter les caractères suivants : \"?*<>|:")},
        // The fixed width is checked even while the percent mode is chosen.
        {3, "fixedWidth", QStringLiteral("0"), QStringLiteral("Merci d'entrer une taille non nulle")},
        {5, "slideshowHeight", QStringLiteral("-3"), QStringLiteral("Tapez un nombre entier compris entre 1 et 65535.")},
    };
    for (const Row &row : rows) {
        auto dialog = open();
        showAllPages(*dialog);
        dialog->pages()->setCurrentIndex(0);
        if (row.enabler)
            Child<QAbstractButton>(*dialog, row.enabler)->click();
        auto *edit = Child<QLineEdit>(*dialog, row.field);
        edit->setText(row.typed);
        MessageBoxAnswer *answer = clickOk(*dialog);
        EXPECT_EQ(answer->text, row.message) << row.field;
        EXPECT_EQ(answer->caption, QStringLiteral("Erreur")) << row.field;
        EXPECT_EQ(dialog->pages()->currentIndex(), row.page) << row.field;
        EXPECT_TRUE(dialog->isVisible()) << row.field;
        EXPECT_EQ(edit->text(), row.typed) << row.field;
        if (edit->isEnabled()) {
            EXPECT_EQ(dialog->focusWidget(), edit) << row.field;
        }
    }
}

TEST_F(DocumentOptionsSheet, refusesAnEmptyZipNameAndRewritesAGoodOne)
{
    options.Links.ZipLink = 1;
    auto dialog = open();
    dialog->pages()->setCurrentIndex(2);
    auto *zip = Child<QLineEdit>(*dialog, "zipName");
    zip->clear();
    EXPECT_EQ(clickOk(*dialog)->text, QStringLiteral("Veuillez entrer un nom pour le fichier zip s'il vous plait"));
    zip->setText(QStringLiteral("out/"));
    EXPECT_FALSE(clickOk(*dialog)->seen);
    const QString expected = QStringLiteral("out") + QDir::separator() + QStringLiteral("images.zip");
    EXPECT_EQ(zip->text(), expected);
    EXPECT_EQ(stored(*dialog).Links.ZipName, expected);
}

TEST_F(DocumentOptionsSheet, neitherChecksNorStoresAPageNeverShown)
{
    options.Links.ZipLink = 1;
    options.Links.ZipName = QStringLiteral("a?b");
    auto dialog = open();
    Child<QLineEdit>(*dialog, "pageTitle")->setText(QStringLiteral("Vacances"));
    Child<QCheckBox>(*dialog, "zipLink")->setChecked(false);
    EXPECT_FALSE(clickOk(*dialog)->seen);
    const GalleryOptions after = stored(*dialog);
    EXPECT_EQ(after.WebPage1.PageTitle, QStringLiteral("Vacances"));
    EXPECT_EQ(after.Links.ZipLink, 1);
}

TEST_F(DocumentOptionsSheet, checksTheCustomPageAndTheBackgroundImage)
{
    auto dialog = open();
    Child<QRadioButton>(*dialog, "customPage")->click();
    auto *custom = Child<QLineEdit>(*dialog, "customPagePath");
    custom->setText(dir.filePath(QStringLiteral("absent.html")));
    MessageBoxAnswer *answer = clickOk(*dialog);
    EXPECT_EQ(answer->text, QStringLiteral("Le fichier spécifié pour la page personnalisée n'existe pas"));
    EXPECT_EQ(dialog->focusWidget(), custom);

    Child<QRadioButton>(*dialog, "defaultPage")->click();
    auto *background = Child<QLineEdit>(*dialog, "backgroundImage");
    background->setText(dir.filePath(QStringLiteral("settings.ini")));
    profile.Sync();
    answer = clickOk(*dialog);
    EXPECT_EQ(answer->text, QStringLiteral("Le chemin spécifié pour l'image de fond ne correspond pas à une image..."));
    EXPECT_EQ(dialog->focusWidget(), background);
}

TEST_F(DocumentOptionsSheet, rewritesTheRootFolderAndRefusesAMissingOne)
{
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("site/img")));
    auto dialog = open();
    dialog->pages()->setCurrentIndex(1);
    Child<QCheckBox>(*dialog, "rootRelativePath")->click();
    auto *root = Child<QLineEdit>(*dialog, "rootPath");
    root->setText(dir.path() + QStringLiteral("/site/img/../"));
    EXPECT_FALSE(clickOk(*dialog)->seen);
    const QString expected = QDir::toNativeSeparators(dir.path() + QStringLiteral("/site/"));
    EXPECT_EQ(root->text(), expected);
    EXPECT_EQ(stored(*dialog).WebPage2.RootPath, expected);

    auto second = open();
    second->pages()->setCurrentIndex(1);
    Child<QCheckBox>(*second, "rootRelativePath")->click();
    Child<QLineEdit>(*second, "rootPath")->setText(dir.filePath(QStringLiteral("nowhere")));
    MessageBoxAnswer *answer = clickOk(*second);
    EXPECT_EQ(answer->caption, QStringLiteral("Erreur..."));
    EXPECT_EQ(answer->text, QStringLiteral("Le répertoire spécifié n'existe pas !"));
    EXPECT_TRUE(Child<QLineEdit>(*second, "rootPath")->text().endsWith(QDir::separator()));
}

TEST_F(DocumentOptionsSheet, okHandsTheDocumentItsOptionsAndSavesShownGroupsAsDefaults)
{
    GalleryDocument doc(profile);
    options = doc.GetOptions();
    auto dialog = open();
    dialog->pages()->setCurrentIndex(5);
    Child<QCheckBox>(*dialog, "slideshowRandom")->setChecked(true);
    clickOk(*dialog);
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(CommitDocumentOptions(*dialog, doc, profile));
    EXPECT_EQ(doc.GetOptions().Diaporama.Random, 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(profile.GetInt(QStringLiteral("LastOptions/Diaporama"), QStringLiteral("Random"), -1), 1);
    // "Liens" was never shown: its group is not written.
    EXPECT_EQ(profile.GetInt(QStringLiteral("LastOptions/Links"), QStringLiteral("ZipLink"), -1), -1);
}

TEST_F(DocumentOptionsSheet, tooltipsAndNamesCoverEveryControl)
{
    for (int shown : {1, 0}) {
        general.DisplayTooltipsInDialogs = shown;
        auto dialog = open();
        const auto controls = dialog->findChildren<QWidget *>();
        int checked = 0;
        for (QWidget *w : controls) {
            const bool control = qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w) ||
                                 qobject_cast<QSlider *>(w) || qobject_cast<ColorSwatch *>(w) ||
                                 qobject_cast<HyperlinkLabel *>(w);
            if (!control || !w->parentWidget() || qobject_cast<QTabWidget *>(w->parentWidget()->parentWidget()) ||
                w->objectName() == QStringLiteral("okButton") || w->objectName() == QStringLiteral("cancelButton") ||
                !w->focusPolicy())
                continue;
            ++checked;
            EXPECT_EQ(w->toolTip().isEmpty(), shown == 0) << w->objectName().toStdString();
            const bool named = !w->accessibleName().isEmpty() || qobject_cast<QAbstractButton *>(w);
            EXPECT_TRUE(named) << w->objectName().toStdString();
        }
        EXPECT_GT(checked, 50);
    }
}

TEST_F(DocumentOptionsSheet, exampleLinksOpenTheShippedPages)
{
    auto dialog = open();
    const std::pair<const char *, QString> links[] = {{"tooltipsExample", QStringLiteral("exemple_tooltips.html")},
                                                      {"linksExample", QStringLiteral("exemple_liens.html")},
                                                      {"thumbnailsExample", QStringLiteral("exemple_vignettes.html")}};
    for (const auto &[name, page] : links) {
        auto *link = Child<HyperlinkLabel>(*dialog, name);
        QString opened;
        link->setOpener([&](const QString &target) {
            opened = target;
            return true;
        });
        link->activate();
        EXPECT_TRUE(opened.startsWith(QStringLiteral("file://"))) << opened.toStdString();
        EXPECT_TRUE(opened.endsWith(page)) << opened.toStdString();
        EXPECT_TRUE(QFile::exists(QUrl(opened).toLocalFile())) << opened.toStdString();
    }
}

TEST(OptionsRules, rewriteZipNames)
{
    const QString s = QDir::separator();
    const std::pair<QString, QString> rows[] = {{"out/", "out" + s + "images.zip"},
                                                {"archive", "archive.zip"},
                                                {"a.b/out", "a.b" + s + "out.zip"},
                                                {"photos.zip", "photos.zip"}};
    for (const auto &[typed, expected] : rows) {
        QString name = typed;
        EXPECT_TRUE(FixZipName(name).isEmpty()) << typed.toStdString();
        EXPECT_EQ(name, expected) << typed.toStdString();
    }
    QString colon = QStringLiteral("c:x.zip");
    EXPECT_FALSE(FixZipName(colon).isEmpty());
    EXPECT_EQ(colon, QStringLiteral("c:x.zip"));
}

TEST(OptionsRules, findTheImageTagsOfACustomPage)
{
    QTemporaryDir dir;
    auto write = [&](const char *name, const QByteArray &text) {
        QFile file(dir.filePath(QLatin1String(name)));
        file.open(QIODevice::WriteOnly);
        file.write(text);
        return file.fileName();
    };
    EXPECT_TRUE(CustomPageError(write("lower.html", "<html>\n<vorlex_insert_image>\nx\n</Vorlex_Insert_Image>\n"))
                    .isEmpty());
    EXPECT_TRUE(CustomPageError(write("one.html", "<VORLEX_INSERT_IMAGE></VORLEX_INSERT_IMAGE>")).isEmpty());
    EXPECT_TRUE(CustomPageError(write("before.html", "</VORLEX_INSERT_IMAGE>\n<VORLEX_INSERT_IMAGE>\n"))
                    .startsWith(QStringLiteral("Les deux tags requis")));
    EXPECT_EQ(CustomPageError(dir.path()),
              QStringLiteral("Le chemin spécifié n'est pas un fichier mais un répertoire..."));
    EXPECT_EQ(CustomPageError(QString()),
              QStringLiteral("Veuillez entrez un nom de fichier ou choisir la page par défaut s'il vous plait"));
}

TEST(OptionsRules, stepPercentsAndBorders)
{
    const int up[][2] = {{1, 2}, {9, 10}, {10, 15}, {95, 100}, {100, 100}};
    for (const auto &row : up)
        EXPECT_EQ(PercentStep(row[0], 1), row[1]) << row[0];
    const int down[][2] = {{15, 10}, {10, 9}, {2, 1}, {1, 1}};
    for (const auto &row : down)
        EXPECT_EQ(PercentStep(row[0], -1), row[1]) << row[0];
    EXPECT_EQ(BorderSizeStep(10, 1), 10);
    EXPECT_EQ(BorderSizeStep(0, -1), 0);
    for (int mode = 0; mode < 6; ++mode)
        EXPECT_EQ(SizeModeOfRadio(RadioOfSizeMode(mode)), mode);
    EXPECT_EQ(SizeModeOfRadio(0), 1);
}

} // namespace

TEST_F(DocumentOptionsSheet, theModernDesignIsAThirdChoiceThatKeepsTheDefaultPageSet)
{
    auto dialog = open();
    auto *modern = Child<QRadioButton>(*dialog, "modernPage");
    EXPECT_EQ(modern->text(), QStringLiteral("Page moderne (mobiles et écrans haute définition)"));
    modern->click();
    EXPECT_FALSE(clickOk(*dialog)->seen);
    const WebPage1Options chosen = stored(*dialog).WebPage1;
    EXPECT_EQ(chosen.DefaultPage, 1);
    EXPECT_TRUE(chosen.UsesModernPage());

    options.WebPage1 = chosen;
    auto again = open();
    EXPECT_TRUE(Child<QRadioButton>(*again, "modernPage")->isChecked());
    Child<QRadioButton>(*again, "defaultPage")->click();
    EXPECT_FALSE(clickOk(*again)->seen);
    EXPECT_FALSE(stored(*again).WebPage1.UsesModernPage());
}
