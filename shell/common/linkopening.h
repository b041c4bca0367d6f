#pragma once
// Opening links from the desktop program: the core's opener, and the French
// error box (with its exclamation beep) when it fails.

#include <QString>

class HyperlinkLabel;
class QWidget;
struct BuildEnvironment;

// Opens `target` in the user's browser; on failure beeps and shows the error
// box over `parent`. True when it opened. GUI thread.
bool OpenLinkOrComplain(const QString &target, QWidget *parent);

// Gives `link` the opener above, its error box over the link.
void UseProgramOpener(HyperlinkLabel *link);

// Beep and message box for a failed OpenLink result code. GUI thread.
void ComplainAboutLink(int code, QWidget *parent);

// For build threads: opens through the core and shows any failure on the GUI thread.
BuildEnvironment GuiBuildEnvironment();
