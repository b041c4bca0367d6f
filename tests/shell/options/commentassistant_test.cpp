// The comment assistant: captions with the first entry's values, insertion
// at the caret over the selection, the live decoded text, and what the
// commands store in the document.

#include "dialogtesting.h"

#include "document/gallerydocument.h"
#include "platform/profile.h"
#include "shell/common/generaloptions.h"
#include "shell/gallery/gallerydialogs.h"
#include "shell/options/commentassistantdialog.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class CommentAssistant : public ::testing::Test {
protected:
    CommentAssistant()
    {
        options.WebPage1.PageTitle = QStringLiteral("Vacances & co");
        options.WebPage2.NbImageOnOneLine = 4;
        options.WebPage2.NbLineOnOnePage = 2;
        entry.Path = QStringLiteral("/photos/plage.jpg");
        entry.Comment = QStringLiteral("Photo ");
        entry.Camera[CAMERA_MAKE] = QStringLiteral("Canon");
    }
    GeneralOptions general;
    GalleryOptions options;
    ImageEntry entry;
};

TEST_F(CommentAssistant, captionsShowTheValuesOfTheFirstEntry)
{
    // Image 9 of 10, four per line, two lines per page: line 3, page 2.
    CommentAssistantDialog dialog(general, options, entry, 9, 10);
    auto caption = [&](PageVariable v) {
        return dialog.findChild<QPushButton *>(VariableButtonName(v))->text();
    };
    EXPECT_EQ(caption(VAR_TITLE), QStringLiteral("Titre de la page\n(Vacances && co)"));
    EXPECT_EQ(caption(VAR_LINE_INDEX), QStringLiteral("Numéro de ligne\n(3)"));
    EXPECT_EQ(caption(VAR_PAGE_INDEX), QStringLiteral("Numéro de page\n(2)"));
    EXPECT_EQ(caption(VAR_NB_IMAGE_IN_THIS_LINE), QStringLiteral("Nombre d'images\ndans la ligne (2)"));
    EXPECT_EQ(caption(VAR_APN_BRAND), QStringLiteral("Marque de l'appareil\n(Canon)"));
    EXPECT_EQ(caption(VAR_IMAGE_NAME), QStringLiteral("Nom de l'image\n(plage.jpg)"));
    EXPECT_EQ(dialog.findChildren<QPushButton *>(QRegularExpression(QStringLiteral("^variable_"))).size(), 31);
}

TEST_F(CommentAssistant, buttonReplacesTheSelectionAndRefreshesTheDecodedText)
{
    CommentAssistantDialog dialog(general, options, entry, 9, 10);
    dialog.show();
    QPlainTextEdit *coded = dialog.codedEdit();
    coded->setPlainText(QStringLiteral("Photo XX sur YY"));
    QTextCursor cursor = coded->textCursor();
    cursor.setPosition(6);
    cursor.setPosition(8, QTextCursor::KeepAnchor); // "XX"
    coded->setTextCursor(cursor);

    QTest::mouseClick(dialog.findChild<QPushButton *>(VariableButtonName(VAR_IMAGE_INDEX)), Qt::LeftButton);
    const QString index = QStringLiteral("?$VORLEX_VARIABLE_IMAGE_INDEX");
    EXPECT_EQ(coded->toPlainText(), QStringLiteral("Photo ") + index + QStringLiteral(" sur YY"));
    EXPECT_EQ(coded->textCursor().position(), 6 + index.size());
    EXPECT_FALSE(coded->textCursor().hasSelection());
    EXPECT_EQ(dialog.focusWidget(), coded);

    QTest::keyClicks(coded, QStringLiteral(" de "));
    QTest::mouseClick(dialog.findChild<QPushButton *>(VariableButtonName(VAR_NUMBER_OF_IMAGES)), Qt::LeftButton);
    EXPECT_EQ(dialog.decodedEdit()->toPlainText(), QStringLiteral("Photo 9 de 10 sur YY"));
    EXPECT_TRUE(dialog.decodedEdit()->isReadOnly());
}

TEST_F(CommentAssistant, commandsStoreTheCodedTextInEveryEntryConcerned)
{
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath(QStringLiteral("settings.ini")));
    GalleryDocument doc(profile);
    for (int i = 0; i < 3; ++i) {
        ImageEntry e;
        e.Path = dir.filePath(QStringLiteral("%1.jpg").arg(i));
        e.Comment = QStringLiteral("ancien");
        ASSERT_EQ(doc.InsertEntry(e, QString(), QString(), true), i);
    }
    // Answers the modal assistant by typing into it and pressing OK.
    auto answerWith = [](const QString &text) {
        WhenModalOpens<CommentAssistantDialog>([text](CommentAssistantDialog *dialog) {
            dialog->codedEdit()->setPlainText(text);
            dialog->accept();
        });
    };
    // The dialog opens without a nested loop: its answer comes later.
    std::vector<bool> answers;
    const DialogDone record = [&answers](bool changed) { answers.push_back(changed); };
    answerWith(QStringLiteral("Image ?$VORLEX_VARIABLE_IMAGE_INDEX"));
    EditComments(doc, general, profile, {1, 2}, nullptr, record);
    ASSERT_TRUE(QTest::qWaitFor([&] { return answers.size() == 1; }, 10000));
    EXPECT_TRUE(answers.back());
    EXPECT_EQ(doc.GetComment(0), QStringLiteral("ancien"));
    EXPECT_EQ(doc.GetComment(2), QStringLiteral("Image ?$VORLEX_VARIABLE_IMAGE_INDEX"));

    answerWith(QStringLiteral("tous"));
    EditGeneralComment(doc, general, profile, {}, nullptr, record);
    ASSERT_TRUE(QTest::qWaitFor([&] { return answers.size() == 2; }, 10000));
    EXPECT_TRUE(answers.back());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(doc.GetComment(i), QStringLiteral("tous"));
}

} // namespace
