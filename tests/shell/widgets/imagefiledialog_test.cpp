// The image file dialog's preview pane: decoded off the GUI thread and
// shrunk to the pane, emptied for folders and damaged files, and switched
// by "Aperçu :" whose state is kept in the settings.

#include "platform/profile.h"
#include "shell/widgets/imagefiledialog.h"
#include "shell/widgets/imagepreviewpane.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ImageFileDialogPreview : public ::testing::Test {
protected:
    ImageFileDialogPreview() : profile(dir.filePath(QStringLiteral("settings.ini")))
    {
        QImage big(1600, 1200, QImage::Format_RGB32);
        big.fill(Qt::darkGreen);
        bigPhoto = dir.filePath(QStringLiteral("big.jpg"));
        big.save(bigPhoto);
        QImage icon(16, 16, QImage::Format_ARGB32);
        icon.fill(Qt::red);
        smallIcon = dir.filePath(QStringLiteral("icon.png"));
        icon.save(smallIcon);
        QFile text(dir.filePath(QStringLiteral("fake.jpg")));
        text.open(QIODevice::WriteOnly);
        text.write("not a picture");
        fake = text.fileName();
    }
    // Waits until the pane shows its latest request.
    bool settled(ImagePreviewPane *pane)
    {
        return QTest::qWaitFor([pane] { return !pane->isDecoding(); }, 5000);
    }

    QTemporaryDir dir;
    SettingsProfile profile;
    QString bigPhoto, smallIcon, fake;
};

TEST_F(ImageFileDialogPreview, showsPicturesShrunkButNeverEnlarged)
{
    ImageFileDialog dialog(profile, true);
    dialog.show();
    ImagePreviewPane *pane = dialog.previewPane();
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFiles);
    EXPECT_TRUE(dialog.nameFilters().constFirst().startsWith(QStringLiteral("Images Internet")));

    dialog.previewPath(bigPhoto);
    ASSERT_TRUE(settled(pane));
    ASSERT_TRUE(pane->hasImage());
    EXPECT_LE(pane->imageSize().width(), pane->contentsRect().width());
    EXPECT_LE(pane->imageSize().height(), pane->contentsRect().height());

    dialog.previewPath(smallIcon);
    ASSERT_TRUE(settled(pane));
    EXPECT_EQ(pane->imageSize(), QSize(16, 16));
}

TEST_F(ImageFileDialogPreview, followsTheSelectionInTheFileList)
{
    ImageFileDialog dialog(profile, true);
    dialog.setDirectory(dir.path());
    dialog.show();
    dialog.selectFile(smallIcon);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.previewPane()->imageSize() == QSize(16, 16); }, 5000));
}

TEST_F(ImageFileDialogPreview, emptiesThePaneForFoldersAndUndecodableFiles)
{
    ImageFileDialog dialog(profile, false);
    dialog.show();
    ImagePreviewPane *pane = dialog.previewPane();
    for (const QString &path : {dir.path(), fake, dir.filePath(QStringLiteral("absent.jpg"))}) {
        dialog.previewPath(smallIcon);
        ASSERT_TRUE(settled(pane));
        ASSERT_TRUE(pane->hasImage());
        dialog.previewPath(path);
        ASSERT_TRUE(settled(pane));
        EXPECT_FALSE(pane->hasImage()) << path.toStdString();
    }
}

TEST_F(ImageFileDialogPreview, aNewerSelectionWinsOverAnOlderDecode)
{
    ImageFileDialog dialog(profile, true);
    dialog.show();
    ImagePreviewPane *pane = dialog.previewPane();
    QSignalSpy changed(pane, &ImagePreviewPane::previewChanged);
    dialog.previewPath(bigPhoto);
    dialog.previewPath(smallIcon);
    ASSERT_TRUE(settled(pane));
    // Whatever the first decode posted is delivered before the checks.
    pane->waitForDecodes();
    QCoreApplication::sendPostedEvents(pane);
    EXPECT_EQ(pane->imageSize(), QSize(16, 16));
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(ImageFileDialogPreview, previewBoxEmptiesAndRestoresThePaneAndIsRemembered)
{
    {
        ImageFileDialog dialog(profile, true);
        dialog.show();
        ImagePreviewPane *pane = dialog.previewPane();
        EXPECT_TRUE(dialog.previewBox()->isChecked());
        EXPECT_TRUE(dialog.previewBox()->isVisible());
        EXPECT_TRUE(dialog.isAncestorOf(pane));
        EXPECT_GT(pane->height(), 50);
        dialog.previewPath(smallIcon);
        ASSERT_TRUE(settled(pane));
        QTest::mouseClick(dialog.previewBox(), Qt::LeftButton);
        EXPECT_FALSE(pane->hasImage());
        EXPECT_EQ(profile.GetInt(QStringLiteral("WindowState/PreviewOpenDialog"), QStringLiteral("PreviewAllowed"), 1),
                  0);
        dialog.previewPath(bigPhoto);
        ASSERT_TRUE(settled(pane));
        EXPECT_FALSE(pane->hasImage());
        QTest::mouseClick(dialog.previewBox(), Qt::LeftButton);
        ASSERT_TRUE(settled(pane));
        EXPECT_TRUE(pane->hasImage()); // the current selection, shown at once
    }
    profile.WriteInt(QStringLiteral("WindowState/PreviewOpenDialog"), QStringLiteral("PreviewAllowed"), 0);
    ImageFileDialog again(profile, true);
    EXPECT_FALSE(again.previewBox()->isChecked());
}

} // namespace
