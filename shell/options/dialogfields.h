#pragma once
// Building blocks shared by the option dialogs: labelled fields, whole-number
// edits that keep whatever was typed until OK, and the error report that
// moves the focus to the offending field.

#include <QAbstractButton>
#include <QString>
#include <optional>

class HyperlinkLabel;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;

// A refused field: message box caption and text, and where the focus goes.
struct FieldError {
    QString caption;
    QString message;
    QWidget *field = nullptr;
};

// Sets the object name (the key of the tooltip table) and, when given, the
// name screen readers announce.
void NameControl(QWidget *control, const QString &objectName, const QString &accessibleName = QString());

// A label naming `field`: its buddy, and the source of the field's accessible name.
QLabel *CreateBuddyLabel(const QString &text, QWidget *field, QWidget *parent);

// A plain edit showing `value`; letters may be typed and are refused on OK.
QLineEdit *CreateNumberEdit(const QString &objectName, int value, QWidget *parent);

// The edit's whole number when it lies in [min, max]; otherwise the error
// (focus on the edit) and `value` untouched.
std::optional<FieldError> ReadNumber(QLineEdit *edit, int min, int max, int &value);

// Message box with the error icon, then the focus (and the selection, for
// an edit) on the field. The typed text is left as it is.
void ReportFieldError(QWidget *parent, const FieldError &error);

// A radio added to `group` with `id`.
QAbstractButton *AddRadio(QButtonGroup *group, int id, const QString &text, const QString &objectName,
                          QWidget *parent);

// "Exemple" link to a shipped help page.
HyperlinkLabel *CreateExampleLink(const QString &helpPage, const QString &objectName, QWidget *parent);

// The window controls of an image link, on the "Liens" page and in
// "Options spécifiques": one enabling rule for both.
struct LinkWindowControls {
    QButtonGroup *newWindow;
    QButtonGroup *kind;
    QButtonGroup *autoSize;
    QWidget *sizeBox;
    QWidget *width;
    QWidget *height;
    QAbstractButton *adapt;
    QWidget *allowFullSize;
    QWidget *colorLabel;
    QWidget *background;
};
// Enables the controls as the choices allow; answers whether the link opens
// a popup or full-screen window (what the rest of the rule hangs on).
bool UpdateLinkWindowControls(const LinkWindowControls &controls, bool link);

// The tooltip choices of the "Page Web 2/2" page and of "Options
// spécifiques": the same controls, worded for all images or for one.
struct TooltipTexts {
    QString title;
    QString altRadio;
    QString noTooltipInPopups;
    QString commentUnderImage;
};
struct TooltipControls {
    QGroupBox *box;
    QButtonGroup *type;
    QCheckBox *noTooltipInPopups;
    QCheckBox *commentUnderImage;
};
// The group box with its three radios (ids 0..2, `type` checked, 0 when out
// of range) and its two boxes; the caller lays it out.
TooltipControls CreateTooltipControls(const TooltipTexts &texts, int type, bool noTooltipInPopups,
                                      bool commentUnderImage, QWidget *parent);
