#pragma once
// The Caps Lock, Num Lock and Scroll Lock panes of the main status bar. Qt
// does not tell the lock states; on X11 the keyboard's indicator mask does.
// Where nothing tells them (Wayland, offscreen) the panes stay hidden.

#include <QObject>
#include <QTimer>
#include <array>

class QStatusBar;
class ValueLabel;

class LockIndicators : public QObject {
    Q_OBJECT
public:
    explicit LockIndicators(QStatusBar *bar);

    // The indicator mask (bit 0 Caps, 1 Num, 2 Scroll), or -1 when unknown.
    static int ReadLockMask();
    void Show(int mask);

private:
    std::array<ValueLabel *, 3> m_panes{};
    std::array<QString, 3> m_texts;
    QTimer m_poll;
};
