// Visual placement started from a gallery's own command in the real main
// window: the pages are built, the window opens over them, and "Annuler"
// closes it and ends the placement phase.
#include "document/gallerydocument.h"
#include "pagegen/placementbuilder.h"
#include "placementtesting.h"
#include "platform/profile.h"
#include "shell/app/mainwindow.h"
#include "shell/common/generaloptions.h"
#include "shell/gallery/galleryview.h"
#include "shell/gallery/gallerywindow.h"
#include "shell/gallery/waitpanel.h"
#include "shell/placementhost/placementwindow.h"

#include <QGuiApplication>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {
PlacementWindow *OpenPlacement(QMdiArea *area)
{
    const auto frames = area->subWindowList();
    for (QMdiSubWindow *frame : frames)
        if (auto *window = qobject_cast<PlacementWindow *>(frame->widget()))
            return window;
    return nullptr;
}
} // namespace

TEST(XvfbPlacementFlow, galleryCommandOpensTheWindowAndAnnulerEndsThePhase)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs a window system (xvfb-run with QT_QPA_PLATFORM=xcb)";
    PrivateClassStore store(true);
    ASSERT_TRUE(store.registered());
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath(QStringLiteral("settings.ini")));
    GeneralOptions options;
    MainWindow main(profile, options);
    main.resize(1000, 700);
    main.show();
    GalleryWindow *gallery = main.newGallery();
    QStringList photos;
    for (int i = 0; i < 3; ++i) {
        QImage image(120, 90, QImage::Format_RGB32);
        image.fill(QColor::fromHsv(i * 100, 200, 200));
        photos << dir.filePath(QStringLiteral("p%1.jpg").arg(i));
        ASSERT_TRUE(image.save(photos.last()));
    }
    GalleryView *view = gallery->view();
    view->addPaths(photos);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->rowCount() == 3 && !view->isAdding(); }, 20000));

    main.runCommand(Command::VisualPlacement);
    auto *area = qobject_cast<QMdiArea *>(main.centralWidget());
    ASSERT_TRUE(QTest::qWaitFor([&] { return OpenPlacement(area) != nullptr; }, 30000));
    EXPECT_EQ(OpenPlacement(area)->windowTitle(), QStringLiteral("Placement visuel : GLR 1"));
    EXPECT_TRUE(view->isBusy());
    EXPECT_EQ(view->waitPanel()->phase(), WaitPanel::Phase::Placement);
    const PlacementPagePaths pages = PlacementPagesFor(photos[0]);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !QFile::exists(pages.main) && !QFile::exists(pages.body); }, 20000));

    view->waitPanel()->cancelButton()->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return OpenPlacement(area) == nullptr && !view->isBusy(); }, 20000));
    EXPECT_TRUE(main.action(Command::BuildPage)->isEnabled());
    gallery->document().SetModifiedFlag(false);
}
