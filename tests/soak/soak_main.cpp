// The soak test: the real program's windows driven at random for a set time
// over a gallery of the bundled samples and hundreds of hard-linked copies,
// then saved and reopened. Seeded: the seed printed at the start replays a run.
//
//   soak_shell [--seconds N] [--seed S] [--copies N]
#include "document/gallerydocument.h"
#include "document/projectfile.h"
#include "platform/profile.h"
#include "shell/app/mainwindow.h"
#include "shell/common/generaloptions.h"
#include "shell/gallery/galleryview.h"
#include "shell/gallery/gallerywindow.h"
#include "soakdriver.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <random>
#include <unistd.h>

namespace {
struct Arguments {
    int seconds = 60;
    unsigned seed = 0;
    int copies = 300;
};

Arguments Parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption seconds(QStringLiteral("seconds"), QStringLiteral("run time"), QStringLiteral("N"), QStringLiteral("60"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("random seed"), QStringLiteral("S"));
    const QCommandLineOption copies(QStringLiteral("copies"), QStringLiteral("hard-linked copies"), QStringLiteral("N"), QStringLiteral("300"));
    parser.addOptions({seconds, seed, copies});
    parser.process(arguments);
    Arguments a;
    a.seconds = parser.value(seconds).toInt();
    a.copies = parser.value(copies).toInt();
    a.seed = parser.isSet(seed) ? parser.value(seed).toUInt() : std::random_device()();
    return a;
}

// The samples, then `copies` hard links to them in a sub-folder: many
// entries for the price of a few files.
ImageList Photos(const QString &folder, int copies)
{
    const QDir samples(QStringLiteral(GALLORIM_SOURCE_DIR "/samples"));
    QDir().mkpath(folder + QStringLiteral("/copies"));
    ImageList images;
    QStringList sources;
    for (const QString &name : samples.entryList(QDir::Files, QDir::Name)) {
        const QString path = QDir(folder).filePath(name);
        if (!QFile::copy(samples.filePath(name), path))
            continue;
        sources << path;
        images.emplace_back().Path = path;
    }
    for (int i = 0; i < copies && !sources.isEmpty(); ++i) {
        const QString &source = sources[i % sources.size()];
        const QString link = QDir(folder).filePath(QStringLiteral("copies/%1-%2").arg(i, 4, 10, QLatin1Char('0')).arg(QFileInfo(source).fileName()));
        if (::link(QFile::encodeName(source).constData(), QFile::encodeName(link).constData()) == 0)
            images.emplace_back().Path = link;
    }
    return images;
}

// The add worker has gone through the whole project (unreadable files stay out).
bool Loaded(GalleryWindow *gallery)
{
    return QTest::qWaitFor(
        [gallery] {
            return gallery->view()->rowCount() > 0 && !gallery->view()->isAdding()
                && gallery->document().IsAddIdle();
        },
        120000);
}

int Fail(const Arguments &a, const QString &why)
{
    std::fprintf(stderr, "soak: FAILED (seed %u): %s\n", a.seed, qPrintable(why));
    return 1;
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir work;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, work.filePath(QStringLiteral("qsettings")));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, work.filePath(QStringLiteral("qsettings")));
    Q_INIT_RESOURCE(shell);
    QApplication app(argc, argv);
    const Arguments a = Parse(QApplication::arguments());
    std::printf("soak: seed %u, %d s, %d copies (replay with --seed %u)\n", a.seed, a.seconds, a.copies, a.seed);
    std::fflush(stdout);

    const QString photos = work.filePath(QStringLiteral("photos"));
    const ImageList images = Photos(photos, a.copies);
    GalleryOptions options;
    options.PagePath = QDir(photos).filePath(QStringLiteral("index.html"));
    options.SlideshowPagePath = QDir(photos).filePath(QStringLiteral("diaporama.html"));
    const QString project = work.filePath(QStringLiteral("soak.glr"));
    if (!SaveProjectFile(project, options, images))
        return Fail(a, QStringLiteral("cannot write the project"));

    SettingsProfile profile(work.filePath(QStringLiteral("settings.ini")));
    GeneralOptions general;
    MainWindow window(profile, general);
    window.show();
    GalleryWindow *gallery = window.openProject(project);
    if (!gallery || !Loaded(gallery))
        return Fail(a, QStringLiteral("the gallery did not load: %1 rows of %2")
                           .arg(gallery ? gallery->view()->rowCount() : -1)
                           .arg(images.size()));

    SoakDriver driver(window, *gallery, project, a.seed);
    QElapsedTimer clock;
    clock.start();
    int steps = 0;
    QString last;
    while (clock.elapsed() < a.seconds * 1000LL) {
        last = driver.Step();
        ++steps;
        if (const QString why = driver.Check(); !why.isEmpty())
            return Fail(a, QStringLiteral("after step %1 (%2): %3").arg(steps).arg(last, why));
    }
    if (!driver.Settle())
        return Fail(a, QStringLiteral("the gallery never settled after step %1 (%2)").arg(steps).arg(last));
    if (const QString why = driver.Check(); !why.isEmpty())
        return Fail(a, QStringLiteral("once settled: %1").arg(why));

    // Saved as "Enregistrer" does, then reopened in a window of its own.
    const ImageList saved = gallery->document().CopyEntries();
    window.runCommand(Command::Save);
    if (!QTest::qWaitFor([gallery] { return !gallery->document().IsModified(); }, 60000))
        return Fail(a, QStringLiteral("the save never ended"));
    MainWindow second(profile, general);
    GalleryWindow *reopened = second.openProject(project);
    if (!reopened || !Loaded(reopened))
        return Fail(a, QStringLiteral("the saved project does not reopen"));
    const ImageList back = reopened->document().CopyEntries();
    if (back.size() != saved.size())
        return Fail(a, QStringLiteral("%1 entries reopened, %2 saved").arg(back.size()).arg(saved.size()));
    for (size_t i = 0; i < back.size(); ++i)
        if (back[i].Path != saved[i].Path || back[i].Comment != driver.Expected().value(saved[i].Path))
            return Fail(a, QStringLiteral("entry %1 reopened as %2 \"%3\"").arg(i).arg(back[i].Path, back[i].Comment));
    if (reopened->document().GetOptions().WebPage1.PageTitle != driver.PageTitle())
        return Fail(a, QStringLiteral("the page title did not survive"));
    std::printf("soak: %d steps in %lld s (%s), %zu entries saved and reopened: clean\n", steps,
                clock.elapsed() / 1000, qPrintable(driver.Tally()), saved.size());
    return 0;
}
