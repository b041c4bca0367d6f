#pragma once
// Drives a gallery of the real program at random, as a restless user would:
// enabled commands of the command table, comment edits, drags, deletions,
// option changes, placement clicks, previews, builds and their cancels.
// It keeps what the list must hold (each photo's comment) and after every
// step checks the window and the document agree with it.

#include "shell/commands/commandtable.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <random>
#include <vector>

class GalleryView;
class GalleryWindow;
class MainWindow;

class SoakDriver {
public:
    SoakDriver(MainWindow &window, GalleryWindow &gallery, const QString &projectPath, unsigned seed);

    // One random step; the text names it for the log of a failure.
    QString Step();
    // Empty when the list, the document and the expected entries agree;
    // else what differs.
    QString Check();
    // Ends any build and addition under way, so the list holds still.
    bool Settle();
    const QHash<QString, QString> &Expected() const { return m_expected; }
    const QString &PageTitle() const { return m_pageTitle; }
    // How many steps of each kind ran.
    QString Tally() const;

private:
    // Closes any modal dialog that a step opened, or fills in the options
    // sheet when the step asked for it.
    void CloseModal();
    QString RunRandomCommand();
    QString EditComment();
    QString DragRows();
    QString DeleteRows();
    // Photos deleted earlier come back as files dropped from a file manager.
    QString DropRemovedFiles();
    QString ChangeOptions();
    QString PlacementClick();
    // Undo then redo must give the list back as it was.
    QString UndoAndRedo();
    QStringList OrderedEntries() const;
    QString SelectRows();
    // Paths and comments as the document holds them.
    QHash<QString, QString> DocumentEntries() const;
    int RandomRow();
    int Random(int below) { return std::uniform_int_distribution<int>(0, below - 1)(m_random); }

    MainWindow &m_window;
    GalleryWindow &m_gallery;
    GalleryView &m_view;
    QString m_projectPath;
    std::mt19937 m_random;
    std::vector<Command> m_commands;
    QHash<QString, QString> m_expected;
    QHash<QString, QString> m_removed; // deleted photos: a paste may bring them back, uncommented
    QString m_pageTitle;    // what the options sheet was last given
    QString m_pendingTitle; // set while the options sheet is to be filled in
    bool m_deletes = false;  // the step may remove the selected rows
    bool m_resync = false;   // the step was an undo: the expected entries follow the document
    QString m_failure;       // what a step itself found wrong
    QSet<QString> m_deleted; // rows a deletion step selected itself
    QHash<QString, int> m_tally;
    int m_edits = 0;
    QTimer m_modalWatch;
};
