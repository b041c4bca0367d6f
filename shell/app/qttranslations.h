#pragma once
// Qt's own dialogs and buttons (the print and file dialogs, "OK"/"Annuler",
// the edit fields' context menu) speak French like the rest of the program,
// whatever the user's locale: the program has no other language.

class QTranslator;

// Loads Qt's French catalogue into `translator`; false when it is not
// installed (Debian package qt6-translations-l10n).
bool LoadQtFrench(QTranslator &translator);
