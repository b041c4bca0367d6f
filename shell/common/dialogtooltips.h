#pragma once
// Tooltips of the option dialogs: one string table keyed by the control's
// object name, shown only while the program's "info-bulles" option is on.

#include <QString>

class QWidget;

// "" for a control without a text.
QString DialogTooltip(const QString &controlName);

// Gives every named child of `dialog` its text when `enabled`, and clears
// them otherwise.
void ApplyDialogTooltips(QWidget *dialog, bool enabled);
