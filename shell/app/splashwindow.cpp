#include "shell/app/splashwindow.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QScreen>

std::unique_ptr<SplashWindow> SplashWindow::Show(const QString &imagePath, int firstTimeoutMs)
{
    QImageReader reader(imagePath);
    const QImage image = reader.read();
    if (image.isNull() || image.width() == 0 || image.height() == 0)
        return nullptr;
    return std::unique_ptr<SplashWindow>(new SplashWindow(QPixmap::fromImage(image), firstTimeoutMs));
}

SplashWindow::SplashWindow(const QPixmap &picture, int timeoutMs)
    : m_window(std::make_unique<QSplashScreen>(picture, Qt::WindowStaysOnTopHint))
{
    m_window->setAccessibleName(QStringLiteral("Gallorim"));
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        m_window->move(screen->geometry().center() - m_window->rect().center());
    m_window->show();
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, m_window.get(), &QWidget::close);
    m_timer.start(timeoutMs);
}

SplashWindow::~SplashWindow() = default;

void SplashWindow::Rearm(int timeoutMs) { m_timer.start(timeoutMs); }

bool SplashWindow::IsShown() const { return m_window && m_window->isVisible(); }
