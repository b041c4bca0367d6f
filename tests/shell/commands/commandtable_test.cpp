#include "shell/commands/commandtable.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {
CommandContext Gallery(int rows, int selected)
{
    CommandContext c;
    c.documentOpen = c.galleryActive = true;
    c.rows = rows;
    c.selected = selected;
    return c;
}
} // namespace

TEST(CommandTable, rowsFollowTheEnumAndShortcutsAreUnique)
{
    QSet<QKeySequence> seen;
    for (size_t i = 0; i < AllCommands().size(); ++i) {
        const CommandInfo &info = AllCommands()[i];
        EXPECT_EQ(size_t(info.id), i);
        EXPECT_FALSE(info.menuText.isEmpty());
        EXPECT_FALSE(info.prompt.isEmpty());
        for (const QKeySequence &key : info.shortcuts) {
            EXPECT_FALSE(seen.contains(key)) << key.toString().toStdString();
            seen.insert(key);
        }
    }
}

TEST(CommandTable, emptyGalleryDisablesBuildsButNotAdding)
{
    const CommandContext empty = Gallery(0, 0);
    for (Command c : {Command::BuildPage, Command::BuildPageAs, Command::BuildSlideshow, Command::BuildSlideshowAs,
                      Command::VisualPlacement, Command::SelectAll, Command::Print, Command::SortNameAscending})
        EXPECT_FALSE(IsCommandEnabled(c, empty)) << int(c);
    EXPECT_TRUE(IsCommandEnabled(Command::AddImages, empty));
    EXPECT_TRUE(IsCommandEnabled(Command::Save, empty));
}

TEST(CommandTable, busyDisablesAlmostEverythingAndAddingOnlyTheBuilds)
{
    CommandContext busy = Gallery(5, 1);
    busy.busy = true;
    EXPECT_FALSE(IsCommandEnabled(Command::AddImages, busy));
    EXPECT_FALSE(IsCommandEnabled(Command::Delete, busy));
    EXPECT_FALSE(IsCommandEnabled(Command::MoveUp, busy));
    EXPECT_TRUE(IsCommandEnabled(Command::StopBuild, busy));
    EXPECT_TRUE(IsCommandEnabled(Command::Save, busy));
    EXPECT_TRUE(IsCommandEnabled(Command::New, busy));

    CommandContext adding = Gallery(5, 1);
    adding.adding = true;
    EXPECT_FALSE(IsCommandEnabled(Command::BuildPage, adding));
    EXPECT_FALSE(IsCommandEnabled(Command::VisualPlacement, adding));
    EXPECT_TRUE(IsCommandEnabled(Command::Delete, adding));
    EXPECT_TRUE(IsCommandEnabled(Command::StopAdding, adding));
    EXPECT_FALSE(IsCommandEnabled(Command::StopAdding, Gallery(5, 1)));
}

TEST(CommandTable, selectionCountsAndThresholds)
{
    EXPECT_TRUE(IsCommandEnabled(Command::ShowImage, Gallery(3, 1)));
    EXPECT_FALSE(IsCommandEnabled(Command::ShowImage, Gallery(3, 2)));
    EXPECT_TRUE(IsCommandEnabled(Command::Delete, Gallery(3, 2)));
    EXPECT_FALSE(IsCommandEnabled(Command::ShowThumbnail, Gallery(3, 1)));
    CommandContext withThumbnail = Gallery(3, 1);
    withThumbnail.thumbnailShown = true;
    EXPECT_TRUE(IsCommandEnabled(Command::ShowThumbnail, withThumbnail));
    EXPECT_FALSE(IsCommandEnabled(Command::VisualPlacement, Gallery(1, 0)));
    EXPECT_TRUE(IsCommandEnabled(Command::VisualPlacement, Gallery(2, 0)));
    EXPECT_FALSE(IsCommandEnabled(Command::SortDateAscending, Gallery(1, 0)));
    EXPECT_TRUE(IsCommandEnabled(Command::SortDateAscending, Gallery(2, 0)));
}

TEST(CommandTable, folderAddingFollowsTheProgramOptionEvenOnAnEmptyList)
{
    CommandContext c = Gallery(0, 0);
    c.directoryOpen = false;
    EXPECT_FALSE(IsCommandEnabled(Command::AddFolder, c));
    c.directoryOpen = true;
    EXPECT_TRUE(IsCommandEnabled(Command::AddFolder, c));
}

TEST(CommandTable, withoutAnyDocumentOnlyTheFrameCommandsRun)
{
    const CommandContext none;
    EXPECT_TRUE(IsCommandEnabled(Command::New, none));
    EXPECT_TRUE(IsCommandEnabled(Command::ProgramOptions, none));
    EXPECT_TRUE(IsCommandEnabled(Command::About, none));
    EXPECT_FALSE(IsCommandEnabled(Command::Close, none));
    EXPECT_FALSE(IsCommandEnabled(Command::Save, none));
    EXPECT_FALSE(IsCommandEnabled(Command::AddImages, none));
    EXPECT_FALSE(IsCommandEnabled(Command::Paste, none));
}
