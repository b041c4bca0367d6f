#pragma once
// The "OK" / "Annuler" row of the program's dialogs, wired to accept and
// reject. The buttons carry object names for tests and tooltips.

class QDialog;
class QDialogButtonBox;

QDialogButtonBox *MakeOkCancelButtons(QDialog *dialog);
