#pragma once
// "Assistant d'édition des commentaires": one comment text, which may hold
// template variables, with a button per variable (its caption showing the
// value for the first entry concerned) and the comment as the pages will
// show it, refreshed on every change.

#include "document/galleryoptions.h"
#include "document/imageentry.h"
#include "pagegen/pagevariables.h"

#include <QDialog>

struct GeneralOptions;
class QPlainTextEdit;
class QPushButton;

class CommentAssistantDialog : public QDialog {
    Q_OBJECT
public:
    // `entry` is a copy of the first entry concerned, `position` its 1-based
    // place in the list of `count` entries.
    CommentAssistantDialog(const GeneralOptions &general, const GalleryOptions &options, const ImageEntry &entry,
                           int position, int count, QWidget *parent = nullptr);

    // The coded text, variables unexpanded.
    QString comment() const;
    QPlainTextEdit *codedEdit() const { return m_coded; }
    QPlainTextEdit *decodedEdit() const { return m_decoded; }

    // Puts the variable at the caret in place of the edit's selection and
    // gives the focus back to the edit.
    void insertVariable(PageVariable variable);

private:
    void buildButtons();
    void refreshDecoded();

    GalleryOptions m_options; // the variable set points here
    ImageEntry m_entry;       // and here
    PageVariables m_variables;
    QPlainTextEdit *m_coded;
    QPlainTextEdit *m_decoded;
};

// The object name of a variable's button ("variable_TITLE").
QString VariableButtonName(PageVariable variable);
