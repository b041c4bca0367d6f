#pragma once
// The preview window's status bar: message, progress while a file is read,
// file name, size and dimensions. Panes take the width of their texts a
// moment after they change, so a run of updates resizes them once.

#include <QSize>
#include <QStatusBar>
#include <QString>

class ValueLabel;
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
    ValueLabel *AddPane(const QString &caption);
    void SetPaneText(ValueLabel *pane, const QString &text);
    void ResizePanes();

    ValueLabel *m_message = nullptr;
    QProgressBar *m_progress = nullptr;
    ValueLabel *m_name = nullptr; // draws its value shortened to the pane
    ValueLabel *m_size = nullptr;
    ValueLabel *m_dimensions = nullptr;
    QTimer *m_resizeTimer = nullptr;
};
