#pragma once
// The box that shows a gallery's collected warnings one at a time, lowest
// bit first, and lets the user silence a message for good. It looks like a
// tooltip but is a real window: Tab moves between its controls, Enter or
// Space presses the button, Escape closes it.

#include <QDialog>

struct GeneralOptions;
class Profile;
class QCheckBox;
class QIcon;
class QLabel;
class QPushButton;

class WarningMessageWindow : public QDialog {
    Q_OBJECT
public:
    WarningMessageWindow(
        const QIcon &icon, GeneralOptions &options, Profile &profile, QWidget *parent = nullptr);

    // Takes over `pending` and shows its lowest bit. Bits without a message
    // are dropped; answers false, showing nothing, when none is left.
    bool start(quint32 pending);
    // Warnings arriving while the window is open join the queue.
    void addWarnings(quint32 bits);

    quint32 shownWarning() const { return m_shown; }
    // Not shown yet.
    quint32 pendingWarnings() const { return m_pending; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void showNext();
    void updateButton();
    void onButtonClicked();

    GeneralOptions &m_options;
    Profile &m_profile;
    quint32 m_pending = 0;
    quint32 m_shown = 0;
    QLabel *m_message;
    QCheckBox *m_silence;
    QPushButton *m_button;
};
