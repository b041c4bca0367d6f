#pragma once
// The preview window's status bar: message, progress while a file is read,
// file name, size and dimensions. Panes take the width of their texts a
// moment after they change, so a run of updates resizes them once.

#include <QSize>
#include <QStatusBar>
#include <QString>

class QLabel;
class QProgressBar;
class QTimer;

// What the panes show. A path's part after its last separator (the path
// itself when empty or ending with one).
QString PreviewNameText(const QString &path);
// "%.1f " with "Octets ", "Ko ", "Mo ", "Go " or "To "; 0 bytes give the
// blank text.
QString PreviewSizeText(qint64 bytes);
// "%dx%d"; the blank text when both sides are 0.
QString PreviewDimensionText(QSize size);
// What every pane shows between files.
QString PreviewBlankText();

class PreviewStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit PreviewStatusBar(QWidget *parent = nullptr);

    void ShowMessage(const QString &text);
    // Name, size and dimensions back to blanks.
    void ResetTexts();
    void ShowFile(const QString &path, qint64 bytes);
    void ShowDimensions(QSize size);
    void StartProgress(int steps);
    void StepProgress();
    void ResetProgress();

    QString nameText() const;
    QString sizeText() const;
    QString dimensionText() const;
    int progressValue() const;

private:
    QLabel *AddPane(const QString &accessibleName);
    void SetPaneText(QLabel *pane, const QString &text);
    void ResizePanes();

    QLabel *m_message = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_name = nullptr;
    QLabel *m_size = nullptr;
    QLabel *m_dimensions = nullptr;
    QString m_fullName;
    QTimer *m_resizeTimer = nullptr;
};
