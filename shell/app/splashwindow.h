#pragma once
// The start-up picture: borderless, centred, above other windows, gone when
// its timer fires (armed long at first, re-armed short once the main window
// is up) or when clicked.

#include <QPointer>
#include <QSplashScreen>
#include <QTimer>
#include <memory>

class SplashWindow {
public:
    // Null when the picture cannot be decoded or is empty: start-up goes on without one.
    static std::unique_ptr<SplashWindow> Show(const QString &imagePath, int firstTimeoutMs = 25000);
    ~SplashWindow();

    void Rearm(int timeoutMs);
    bool IsShown() const;

private:
    explicit SplashWindow(const QPixmap &picture, int timeoutMs);

    std::unique_ptr<QSplashScreen> m_window;
    QTimer m_timer;
};
