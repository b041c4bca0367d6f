#pragma once
// "Options du programme...": the program-wide options, page "Général". The
// dialog edits a copy; the caller stores it when the dialog is accepted.

#include "shell/common/generaloptions.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QTabWidget;

class ProgramOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit ProgramOptionsDialog(const GeneralOptions &options, QWidget *parent = nullptr);

    // The edited record; meaningful once the dialog was accepted.
    GeneralOptions options() const;
    QTabWidget *pages() const { return m_pages; }

private:
    QWidget *createGeneralPage();
    QButtonGroup *addRadioGroup(QWidget *page, const QString &title, const QStringList &texts,
                                const QStringList &names, int checked);

    GeneralOptions m_options;
    QTabWidget *m_pages = nullptr;
    QButtonGroup *m_directories = nullptr;
    QButtonGroup *m_preview = nullptr;
    QButtonGroup *m_comment = nullptr;
    QCheckBox *m_tooltips = nullptr;
    QCheckBox *m_warnings = nullptr;
    QCheckBox *m_showPage = nullptr;
};
