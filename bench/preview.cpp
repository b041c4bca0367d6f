// The preview window showing one photo: milliseconds from the request to the
// first paint of the picture, and the process's peak memory.
//   gallorim-bench-preview PHOTO [WIDTH HEIGHT]
// Prints "ms to first paint N", "peak MB N", "baseline MB N".
#include "platform/profile.h"
#include "shell/preview/previewcanvas.h"
#include "shell/preview/previewwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {
// Peak resident memory so far, from the kernel's own count.
double PeakMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: gallorim-bench-preview PHOTO [WIDTH HEIGHT]\n");
        return 2;
    }
    const QSize view = argc >= 4 ? QSize(atoi(argv[2]), atoi(argv[3])) : QSize(800, 600);
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath(QStringLiteral("settings.ini")));
    PreviewWindow window(profile, nullptr);
    window.SetToolBarVisible(false);
    window.SetStatusBarVisible(false);
    window.Show(1);
    window.resize(view);
    while (window.canvas()->size() != view)
        app.processEvents(QEventLoop::WaitForMoreEvents);
    window.canvas()->repaint();
    const double baseline = PeakMegabytes();

    QElapsedTimer clock;
    clock.start();
    window.RequestPreview(QString::fromLocal8Bit(argv[1]));
    while (!window.canvas()->HasImage()) {
        app.processEvents(QEventLoop::WaitForMoreEvents);
        if (clock.elapsed() > 60000) {
            std::fprintf(stderr, "no picture after a minute\n");
            return 1;
        }
    }
    window.canvas()->repaint();
    const qint64 ms = clock.elapsed();
    std::printf("ms to first paint %lld\n", static_cast<long long>(ms));
    std::printf("peak MB %.1f\n", PeakMegabytes());
    std::printf("baseline MB %.1f\n", baseline);
    return 0;
}
