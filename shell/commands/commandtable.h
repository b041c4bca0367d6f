#pragma once
// shell/commands: the command table (ids, texts, shortcuts, icons, enabling
// rules). It includes nothing of shell/; the main window and the gallery
// windows both read it.
//
// Every command of the program, written once: menu text, status-bar prompt,
// tool-tip, shortcuts, icon, who handles it and when it is enabled. Menus,
// the tool bar, the context menus and the accelerators are built from it.

#include <QIcon>
#include <QKeySequence>
#include <QList>
#include <QString>
#include <span>

enum class Command {
    New, Open, Close, Save, SaveAs, Print, PrintPreview, PrintSetup, Exit,
    Cut, Undo, Redo, Copy, Paste, Delete, SelectAll,
    AddImages, AddFolder, GeneralCommentAssistant, CreateMissingThumbnails, VisualPlacement,
    BuildPage, BuildPageAs, BuildSlideshow, BuildSlideshowAs,
    InvertSelection, SelectHorizontal, SelectVertical,
    SortNameAscending, SortNameDescending, SortSizeAscending, SortSizeDescending,
    SortDimensionAscending, SortDimensionDescending, SortDateAscending, SortDateDescending,
    DocumentOptions,
    ShowImage, ShowThumbnail, EditComment, CommentAssistant, MoveUp, MoveDown,
    RecreateThumbnails, SpecificThumbnails, SpecificOptions,
    ProgramOptions, ToggleToolBar, ToggleStatusBar, TogglePreview,
    Cascade, Tile, ArrangeIcons,
    HelpTopics, ContextHelp, About,
    NextPane, PreviousPane,
    StopAdding, StopThumbnails, StopBuild,
    Count
};

// Who carries a command out: the application or main window, or the active
// gallery (its view or its document).
enum class CommandTarget { Application, Frame, View, Document };

// What the enabling rules look at, gathered from the active gallery window.
struct CommandContext {
    bool documentOpen = false;      // any child window
    bool galleryActive = false;     // the active child is a gallery
    bool busy = false;              // a build runs in the active gallery
    bool adding = false;            // files are still being added to it
    int selected = 0;               // selected rows
    int rows = 0;                   // rows of the list
    bool thumbnailShown = false;    // one row selected whose thumbnail column names a file
    bool clipboardHasFiles = false; // the clipboard holds a file list
    bool directoryOpen = true;      // GeneralOptions::DirectoryOpen
    bool canUndo = false;           // the active gallery's history has a step to undo
    bool canRedo = false;           // ... or to redo
};

struct CommandInfo {
    Command id;
    QString menuText;   // with its "&" mnemonic and, after a tab, the shortcut shown
    QString prompt;     // status-bar text while the item is highlighted
    QString toolTip;    // tool-bar tool-tip (the prompt when the table gives none)
    QList<QKeySequence> shortcuts;
    QString themeIcon;  // freedesktop icon name, "" when none
    QString ownIcon;    // our own icon under :/icons/, "" when none
    CommandTarget target;
    bool checkable = false;
};

std::span<const CommandInfo> AllCommands();
const CommandInfo &CommandInfoFor(Command id);

// The desktop theme's icon of the command, or our own in its place.
QIcon CommandIcon(Command id);

// "&Annuler la suppression\tCtrl+Z": the menu text of Undo or Redo naming
// the step they act on ("" for none).
QString StepMenuText(Command id, const QString &step);

// The enabling rule of the table, from the active gallery's state.
bool IsCommandEnabled(Command id, const CommandContext &context);
