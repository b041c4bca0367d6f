#pragma once
// The panel that covers a gallery's list while a build runs: a text that
// says which phase the build is in, a progress bar and an "Annuler" button.
// Each is a widget of its own, so assistive tools read and press them.

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

class WaitPanel : public QWidget {
    Q_OBJECT
public:
    enum class Phase { Thumbnails, Pages, Placement };

    explicit WaitPanel(QWidget *parent = nullptr);

    void setPhase(Phase phase);
    Phase phase() const { return m_phase; }
    QString text() const;
    // Range 0..steps, position 0.
    void resetProgress(int steps);
    void stepProgress();
    QProgressBar *progressBar() const { return m_progress; }
    QLabel *textLabel() const { return m_text; }
    QPushButton *cancelButton() const { return m_cancel; }

    static QString TextFor(Phase phase);

Q_SIGNALS:
    void phaseChanged(WaitPanel::Phase phase);
    void cancelRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QRect TextBand() const;

    Phase m_phase = Phase::Thumbnails;
    QLabel *m_text;
    QProgressBar *m_progress;
    QPushButton *m_cancel;
};
