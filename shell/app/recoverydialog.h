#pragma once
// "Récupération de documents": the copies that galleries of an instance that
// died left behind, one row each with the gallery's name (or "Sans titre")
// and the time of the copy, to open or to discard one by one. Rows left
// undecided when the dialog closes keep their copies for the next start.

#include "document/recoverystore.h"

#include <QDialog>
#include <functional>

class QPushButton;
class QTreeWidget;

// The texts of a copy's row.
QString RecoveryCopyTitle(const RecoveryCopy &copy);
QString RecoveryCopyTimeText(const RecoveryCopy &copy);

class RecoveryDialog : public QDialog {
    Q_OBJECT
public:
    // `open` opens a copy and answers whether it did; a copy that did not
    // open keeps its row.
    using OpenCopy = std::function<bool(const RecoveryCopy &)>;
    RecoveryDialog(QList<RecoveryCopy> copies, OpenCopy open, QWidget *parent = nullptr);

    QTreeWidget *copyList() const { return m_list; }
    int remaining() const { return m_copies.size(); }

private:
    void openSelected();
    void discardSelected();
    void removeRow(int row);
    void updateButtons();

    QList<RecoveryCopy> m_copies;
    OpenCopy m_open;
    QTreeWidget *m_list = nullptr;
    QPushButton *m_openButton = nullptr;
    QPushButton *m_discardButton = nullptr;
};
