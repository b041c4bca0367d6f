// The undo history as the list uses it: the modified flag follows the
// stack, the menu names the step, and nothing is undone while a build or a
// placement runs.
#include "gallery/galleryviewfixture.h"
#include "shell/undo/galleryhistory.h"

#include <QUndoStack>

namespace {
class GalleryHistoryTest : public GalleryViewTest {
protected:
    GalleryHistory &history() const { return view().history(); }
    // What a save does once the file is written.
    void Save()
    {
        history().MarkSaved();
        document().SetModifiedFlag(false);
    }
};
} // namespace

TEST_F(GalleryHistoryTest, modifiedFlagFollowsTheStackAroundTheSavedState)
{
    AddFourPhotos();
    EXPECT_EQ(history().UndoName(), QStringLiteral("l'ajout"));
    Save();
    view().selectRows({1, 2});
    view().runCommand(Command::Delete);
    EXPECT_EQ(ModelOrder(), (QStringList {m_paths[0], m_paths[3]}));
    EXPECT_TRUE(document().IsModified());
    EXPECT_EQ(StepMenuText(Command::Undo, history().UndoName()), QStringLiteral("&Annuler la suppression\tCtrl+Z"));

    ASSERT_TRUE(view().canRun(Command::Undo));
    view().runCommand(Command::Undo);
    EXPECT_EQ(DocumentOrder(document()), m_paths);
    EXPECT_EQ(ModelOrder(), m_paths);
    EXPECT_FALSE(document().IsModified()) << "back at the saved state";
    // The rows came back with their thumbnail state.
    EXPECT_EQ(view().galleryModel()->ThumbnailText(1), ThumbnailStateText::WithPage());

    view().runCommand(Command::Undo); // past the saved state: the add itself
    EXPECT_EQ(view().rowCount(), 0);
    EXPECT_TRUE(document().IsModified());
    view().runCommand(Command::Redo);
    EXPECT_EQ(ModelOrder(), m_paths);
    EXPECT_FALSE(document().IsModified());
    EXPECT_EQ(StepMenuText(Command::Redo, history().RedoName()), QStringLiteral("&Rétablir la suppression\tCtrl+Y"));

    // A new edit after an undo drops what could be redone.
    view().runCommand(Command::SortNameDescending);
    EXPECT_FALSE(view().canRun(Command::Redo));
    EXPECT_EQ(history().UndoName(), QStringLiteral("le tri"));
    EXPECT_TRUE(document().IsModified());
}

TEST_F(GalleryHistoryTest, commentsEditedInPlaceUndoOneAtATime)
{
    AddFourPhotos();
    view().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view()));
    for (const QString &text : {QStringLiteral("premier"), QStringLiteral("second")}) {
        ASSERT_TRUE(view().editComment(2));
        QLineEdit *editor = OpenEditor();
        ASSERT_NE(editor, nullptr);
        editor->setText(text);
        QTest::keyClick(editor, Qt::Key_Return);
        ASSERT_TRUE(QTest::qWaitFor([&] { return document().GetComment(2) == text; }));
    }
    EXPECT_EQ(document().GetComment(2), QStringLiteral("second"));
    EXPECT_EQ(history().UndoName(), QStringLiteral("la modification du commentaire"));
    view().runCommand(Command::Undo);
    EXPECT_EQ(document().GetComment(2), QStringLiteral("premier"));
    view().runCommand(Command::Undo);
    EXPECT_TRUE(document().GetComment(2).isEmpty());
}

TEST_F(GalleryHistoryTest, placementMovesUndoOnlyOnceThePlacementHasEnded)
{
    AddFourPhotos();
    ASSERT_TRUE(view().canRun(Command::VisualPlacement));
    view().runCommand(Command::VisualPlacement);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view().waitPanel()->phase() == WaitPanel::Phase::Placement; }, 30000));
    view().placementMessage(kPlacementExchange, 1, 3);
    view().placementMessage(kPlacementInsert, 4, 1);
    const QStringList placed = DocumentOrder(document());
    EXPECT_TRUE(view().isBusy());
    EXPECT_FALSE(view().canRun(Command::Undo));

    view().placementMessage(0, -1, -1);
    ASSERT_FALSE(view().isBusy());
    ASSERT_TRUE(view().canRun(Command::Undo));
    EXPECT_EQ(history().UndoName(), QStringLiteral("le déplacement"));
    view().runCommand(Command::Undo);
    EXPECT_EQ(DocumentOrder(document()), (QStringList {m_paths[2], m_paths[1], m_paths[0], m_paths[3]}));
    view().runCommand(Command::Undo);
    EXPECT_EQ(DocumentOrder(document()), m_paths);
    EXPECT_EQ(ModelOrder(), m_paths);
    view().runCommand(Command::Redo);
    view().runCommand(Command::Redo);
    EXPECT_EQ(ModelOrder(), placed);
}
