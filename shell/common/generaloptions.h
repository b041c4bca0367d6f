#pragma once
// shell/common: what every window of the program shares: the program-wide
// options, the program's names, link opening, help page lookup, the dialogs'
// tooltips and the registry of live gallery views. It uses only widgets/ and
// the core.
//
// The program-wide options (settings section LastOptions/General). One
// instance, owned by the main window and read by every gallery window.

class Profile;

struct GeneralOptions {
    int RecursiveDir = 1;               // folders added or dropped open their sub-folders
    int DirectoryOpen = 1;              // 0: folders are not opened at all
    int DisplayTooltipsInDialogs = 1;   // option dialogs show a tooltip on every control
    int PreviewWithSelection = 2;       // 0 thumbnail, 1 image, 2 nothing follows the selection
    int CommentIconLaunchAssistant = 0; // 1: the comment icon opens the assistant
    int DisabledWarningMessage = 0;     // bits of the warnings never shown; 0x7FFF = all
    int ShowWebPageAfterBuild = 0;      // 1: the built page opens in the browser

    void LoadFromRegistry(const Profile &profile);
    void SaveToRegistry(Profile &profile) const;
    bool operator==(const GeneralOptions &) const = default;
};

constexpr int kAllWarningsDisabled = 0x7FFF;

// The "Ouverture des répertoires" radios: 0 recursive, 1 this folder only, 2 none.
int DirectoryChoice(const GeneralOptions &options);
void ApplyDirectoryChoice(GeneralOptions &options, int choice);

// The three-state "Afficher les messages d'erreur et d'information" box:
// 2 ticked (every message shown), 0 clear (all silenced), 1 partly.
int WarningBoxState(int disabledMask);
// What OK stores: clear silences everything, any other state shows everything.
int DisabledMaskFromBox(int boxState);
// A click never lands on the partial state: from ticked or partial it
// clears, from clear it ticks.
int WarningBoxStateAfterClick(int boxState);
