#include "docfixture.h"
#include "document/projectfile.h"
#include "document/imageprobe.h"
#include "document/thumbnailpath.h"

#include <QDir>


#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using AddPipeline = DocFixture;

TEST_F(AddPipeline, aScannedFolderAddsItsImagesInNameOrderAndSkipsOtherFiles)
{
    SaveImage("album/b.png");
    SaveImage("album/A.png", 40, 30);
    SaveImage("album/c.jpg", 20, 10, "JPEG");
    SaveText("album/notes.txt");
    SaveText("album/fake.jpg");
    AddAndWait({Request(Path("album"), true)});

    EXPECT_EQ(EntryNames(), (QStringList{"album/A.png", "album/b.png", "album/c.jpg"}));
    EXPECT_TRUE(Warnings().empty()); // non-images outside a project are dropped silently
    ImageEntry e;
    ASSERT_TRUE(m_doc->GetEntry(0, e));
    EXPECT_EQ(e.ImageDimensions, "40x30");
    EXPECT_EQ(e.ImageSizeText, SizeText(Path("album/A.png")));
    EXPECT_FALSE(e.Camera[CAMERA_DATE].isEmpty()); // the file time stands in for the shot
    EXPECT_TRUE(m_doc->IsModified());
    EXPECT_EQ(m_sink.ValuesOf(NOTIFY_COUNT), (std::vector<std::intptr_t>{1, 2, 3}));
}

TEST_F(AddPipeline, aScanKeepsTheNameOrderOfAFolderListingThatIgnoresCase)
{
    const QStringList names{"b.png", "_a.png", "B2.png", "a.png", "Z.png", "10.png", "9.png", "e\u0301t\u00e9.png"};
    for (const QString &name : names)
        SaveImage("album/" + name, 8, 8);
    AddAndWait({Request(Path("album"), true)});
    QStringList expected;
    for (const QString &name : QDir(Path("album")).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase))
        expected << "album/" + name;
    EXPECT_EQ(EntryNames(), expected);
}

TEST_F(AddPipeline, subFoldersAreOpenedOnlyWhenRecursionIsOn)
{
    SaveImage("album/top.png");
    SaveImage("album/sub/deep.png");
    m_doc->SetRecursiveDir(false);
    AddAndWait({Request(Path("album"), true)});
    EXPECT_EQ(EntryNames(), QStringList{"album/top.png"});

    m_doc->SetRecursiveDir(true);
    AddAndWait({Request(Path("album"), true)});
    EXPECT_EQ(EntryNames(), (QStringList{"album/top.png", "album/sub/deep.png"}));
}

TEST_F(AddPipeline, aFolderWithoutTheScanFlagAddsNothing)
{
    SaveImage("album/top.png");
    AddAndWait({Request(Path("album"), false)});
    EXPECT_EQ(m_doc->GetEntryCount(), 0);
}

TEST_F(AddPipeline, theSameFileTwiceMakesOneEntryWhateverItsSpelling)
{
    const QString a = SaveImage("a.png");
    AddAndWait({Request(a), Request(a), Request(m_dir.path() + "/./a.png")});
    EXPECT_EQ(m_doc->GetEntryCount(), 1);
    EXPECT_TRUE(Warnings().empty());
}

TEST_F(AddPipeline, thumbnailsAreRejectedAsImagesAndShownForTheirImage)
{
    SaveImage("album/test.png", 640, 480);
    SaveImage("album/mini/small_test.png", 128, 96);
    AddAndWait({Request(Path("album"), true)});
    EXPECT_EQ(EntryNames(), QStringList{"album/test.png"});
    EXPECT_EQ(Warnings(), std::vector<std::intptr_t>{WARN_THUMBNAIL_NAME});

    ImageEntry e;
    ASSERT_TRUE(m_doc->GetEntry(0, e));
    EXPECT_EQ(e.ThumbnailDimensions, "128x96");
    EXPECT_GT(e.ThumbnailBytes, 0);
    EXPECT_EQ(m_doc->GetThumbnailBytes(), e.ThumbnailBytes);
    EXPECT_TRUE(m_sink.Calls().value(0).endsWith("| 640x480  " + e.ImageSizeText + " | 128x96  " + e.ThumbnailSizeText));
}

TEST_F(AddPipeline, aMissingThumbnailFollowsTheOption)
{
    const QString a = SaveImage("a.png");
    Options([](GalleryOptions &o) { o.BuildVignette.IfDoNotExistAction = 3; });
    AddAndWait({Request(a)});
    EXPECT_EQ(m_doc->GetEntryCount(), 0);
    EXPECT_EQ(Warnings(), std::vector<std::intptr_t>{WARN_NO_THUMBNAIL});

    Options([](GalleryOptions &o) { o.BuildVignette.IfDoNotExistAction = 2; });
    AddAndWait({Request(a)});
    EXPECT_TRUE(m_sink.Calls().value(0).endsWith(" | "));

    m_doc->RemoveEntries({0});
    Options([](GalleryOptions &o) { o.BuildVignette.IfDoNotExistAction = 1; });
    AddAndWait({Request(a)});
    EXPECT_TRUE(m_sink.Calls().value(0).endsWith("| Sera Crée avec la page web"));
}

TEST_F(AddPipeline, creatingThumbnailsNowQueuesAJobThatWritesTheThumbnail)
{
    const QString a = SaveImage("a.png", 400, 300);
    Options([](GalleryOptions &o) {
        o.BuildVignette.IfDoNotExistAction = 0;
        o.BuildVignette.IsPercentSize = 0; // fixed 128x96 box
    });
    AddAndWait({Request(a)});
    EXPECT_TRUE(m_sink.Calls().value(0).endsWith("| Création programmée"));
    WaitThumbnailsIdle();

    const BuildVignetteOptions v = m_doc->GetOptions().BuildVignette;
    EXPECT_EQ(DimensionText(ThumbnailPath(a, v.PreSuffixe, v.WithPrefixe)), "128x96");
    ImageEntry e;
    ASSERT_TRUE(m_doc->GetEntry(0, e));
    EXPECT_EQ(e.ThumbnailDimensions, "128x96");
    EXPECT_EQ(m_doc->GetThumbnailBytes(), e.ThumbnailBytes);
}

TEST_F(AddPipeline, unreadableOrMissingProjectImagesAreReportedAndMarkTheDocument)
{
    const QString fake = SaveText("x.jpg");
    AddAndWait({Request(fake)});
    EXPECT_TRUE(Warnings().empty());

    m_doc->SetModifiedFlag(false);
    AddAndWait({Request(fake, false, true), Request(Path("gone.jpg"), false, true)});
    EXPECT_EQ(Warnings(), (std::vector<std::intptr_t>{WARN_PROJECT_IMAGE_MISSING, WARN_PROJECT_IMAGE_MISSING}));
    EXPECT_TRUE(m_doc->IsModified());
    EXPECT_EQ(m_doc->GetEntryCount(), 0);
}

TEST_F(AddPipeline, imagesOutsideTheSiteRootAreRejected)
{
    const QString inside = SaveImage("site/img/a.png");
    const QString outside = SaveImage("elsewhere/b.png");
    Options([&](GalleryOptions &o) {
        o.WebPage2.RootRelativePath = 1;
        o.WebPage2.RootPath = Path("site") + QDir::separator();
    });
    AddAndWait({Request(inside), Request(outside)});
    EXPECT_EQ(EntryNames(), QStringList{"site/img/a.png"});
    EXPECT_EQ(Warnings(), std::vector<std::intptr_t>{WARN_OUTSIDE_ROOT});
}

TEST_F(AddPipeline, aRelativePathIsCheckedInItsAbsoluteForm)
{
    const QString a = SaveImage("a.png");
    SaveImage("b.png");
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    AddAndWait({Request(a), Request("b.png")});
    QDir::setCurrent(previous);
    EXPECT_EQ(EntryNames(), (QStringList{"a.png", "b.png"}));
    EXPECT_TRUE(Warnings().empty());
}

TEST_F(AddPipeline, anOlderProjectMetAsAFileAddsItsImagesAndACurrentOneIsSkipped)
{
    const QString a = SaveImage("a.png");
    ImageList images(1);
    images[0].Path = a;
    images[0].Comment = "Le port";
    const QString v3 = Path("gallery.glr");
    ASSERT_TRUE(SaveProjectFile(v3, GalleryOptions(), images));
    AddAndWait({Request(v3)});
    EXPECT_EQ(m_doc->GetEntryCount(), 0);

    // The older layout: magic, header, count, then path and comment per image.
    QByteArray v1 = "VORL";
    const QByteArray header = "Gallorim Save File Data";
    const QByteArray path = QFile::encodeName(a);
    v1 += char(header.size()) + header;
    v1 += QByteArray("\x01\x00\x00\x00", 4);
    v1 += char(path.size()) + path;
    v1 += char(7) + QByteArray("Le port");
    const QString old = SaveText("old.glr", v1);
    m_doc->SetModifiedFlag(false);
    AddAndWait({Request(old)});
    ASSERT_EQ(m_doc->GetEntryCount(), 1);
    EXPECT_EQ(m_doc->GetComment(0), "Le port");
    EXPECT_TRUE(m_doc->IsModified()); // the gallery no longer matches a saved file

    // Met by a folder scan under a thumbnail's name, it is still read.
    const QString b = SaveImage("b.png");
    const QByteArray pathB = QFile::encodeName(b);
    QByteArray v1b = v1.left(4 + 1 + header.size() + 4);
    v1b += char(pathB.size()) + pathB;
    v1b += char(8) + QByteArray("La plage");
    SaveText("scan/mini/small_old.jpg", v1b);
    AddAndWait({Request(Path("scan"), true)});
    ASSERT_EQ(m_doc->GetEntryCount(), 2);
    EXPECT_EQ(m_doc->GetComment(1), "La plage");
}

TEST_F(AddPipeline, openingAProjectLoadsItsOptionsAndImages)
{
    const QString a = SaveImage("a.png");
    const QString b = SaveImage("b.png");
    GalleryOptions saved;
    saved.WebPage1.PageTitle = "Vacances";
    saved.PagePath = Path("index.html");
    ImageList images(3);
    images[0].Path = a;
    images[1].Path = Path("missing.png");
    images[2].Path = b;
    images[2].Options.Flags = IMGOPT_BORDER_SIZE;
    images[2].Options.BorderSize = 7;
    const QString project = Path("gallery.glr");
    ASSERT_TRUE(SaveProjectFile(project, saved, images));

    EXPECT_FALSE(m_doc->OnOpenDocument(SaveText("not-a-project.glr")));
    m_sink.Clear();
    ASSERT_TRUE(m_doc->OnOpenDocument(project));
    ASSERT_TRUE(m_sink.WaitFor([](const auto &posts) { return EndsIdle(posts, NOTIFY_ADDING); }));
    EXPECT_EQ(m_doc->GetOptions().WebPage1.PageTitle, "Vacances");
    EXPECT_EQ(m_doc->GetOptions().PagePath, Path("index.html"));
    EXPECT_EQ(EntryNames(), (QStringList{"a.png", "b.png"}));
    EXPECT_EQ(Warnings(), std::vector<std::intptr_t>{WARN_PROJECT_IMAGE_MISSING});
    EXPECT_EQ(m_doc->GetOptionsSummary(1), "Taille de la bordure; ");
}

TEST_F(AddPipeline, folderLinksThatLeadBackUpAreNotFollowed)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "symbolic links need privileges on Windows";
#endif
    SaveImage("album/a.png");
    SaveImage("album/sub/b.png");
    ASSERT_TRUE(QFile::link(Path("album"), Path("album/sub/up")));
    ASSERT_TRUE(QFile::link(Path("album/sub"), Path("album/self")));
    AddAndWait({Request(Path("album"), true)});
    // album/self leads to a real folder outside its own chain, so it is scanned once.
    EXPECT_EQ(EntryNames(), (QStringList{"album/a.png", "album/self/b.png", "album/sub/b.png"}));
}

TEST_F(AddPipeline, aFolderOfTenThousandNonImagesAddsNothingAndEnds)
{
    QDir().mkpath(Path("junk"));
    for (int i = 0; i < 10000; ++i) {
        QFile f(Path(QStringLiteral("junk/f%1.jpg").arg(i)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("x");
    }
    AddAndWait({Request(Path("junk"), true)});
    EXPECT_EQ(m_doc->GetEntryCount(), 0);
    EXPECT_EQ(m_doc->GetPendingAddCount(), 0);
    EXPECT_TRUE(Warnings().empty());
}

TEST_F(AddPipeline, aFolderThatVanishedLeavesItsRequestsWithoutEffect)
{
    SaveImage("album/a.png");
    const QString a = Path("album/a.png");
    QDir(Path("album")).removeRecursively();
    AddAndWait({Request(Path("album"), true), Request(a)});
    EXPECT_EQ(m_doc->GetEntryCount(), 0);
    EXPECT_TRUE(Warnings().empty());
}

TEST_F(AddPipeline, aPipeInAScannedFolderIsSkippedWithoutWaitingForAWriter)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "no named pipes in folders on Windows";
#else
    SaveImage("album/a.png");
    ASSERT_EQ(::mkfifo(QFile::encodeName(Path("album/pipe.jpg")).constData(), 0600), 0);
    AddAndWait({Request(Path("album"), true), Request(Path("album/pipe.jpg"), false, true)});
    EXPECT_EQ(EntryNames(), QStringList{"album/a.png"});
    EXPECT_EQ(Warnings(), std::vector<std::intptr_t>{WARN_PROJECT_IMAGE_MISSING});
#endif
}

TEST_F(AddPipeline, eachCheckRejectsWithItsOwnWarningInTheirOrder)
{
    SaveImage("site/a.png");
    SaveImage("site/mini/small_a.png", 32, 24); // a thumbnail name, and a.png's thumbnail
    SaveImage("site/mini/small_u.png");
    SaveImage("out/mini/small_b.png");
    SaveImage("out/c.png");
    SaveText("out/t.txt");
    SaveText("site/x.jpg");
    SaveImage("site/n.png");
    const QString site = Path("site") + QDir::separator();
    Options([&](GalleryOptions &o) {
        o.BuildVignette.RejectFileWithVignetteName = 1;
        o.BuildVignette.IfDoNotExistAction = 3;
        o.WebPage2.RootRelativePath = 1;
        o.WebPage2.RootPath = site;
    });
#ifndef Q_OS_WIN
    QFile::setPermissions(Path("site/mini/small_u.png"), QFileDevice::Permissions());
    const bool canLockOut = !QFileInfo(Path("site/mini/small_u.png")).isReadable(); // not as root
#else
    const bool canLockOut = false;
#endif
    struct Row {
        const char *path;
        bool fromProject;
        QString root;
        std::vector<std::intptr_t> warnings;
        bool modified;
        int count;
    };
    const Row rows[] = {
        // unreadable comes before the name test, and marks the document
        {"site/mini/small_u.png", true, site, {WARN_PROJECT_IMAGE_MISSING}, true, 0},
        {"site/mini/small_a.png", true, site, {WARN_THUMBNAIL_NAME}, false, 0},
        {"out/mini/small_b.png", false, site, {WARN_THUMBNAIL_NAME}, false, 0},
        {"out/c.png", false, site, {WARN_OUTSIDE_ROOT}, false, 0},
        {"out/t.txt", true, site, {WARN_OUTSIDE_ROOT}, false, 0},
        {"site/x.jpg", true, site, {WARN_PROJECT_IMAGE_MISSING}, true, 0},
        {"site/x.jpg", false, site, {}, true, 0},
        {"site/n.png", false, site, {WARN_NO_THUMBNAIL}, false, 0},
        {"site/a.png", false, site, {}, true, 1},
        // a duplicate is dropped before the root test can reject it
        {"site/a.png", true, Path("out") + QDir::separator(), {}, false, 1},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.path) + (row.fromProject ? " from a project" : ""));
        if (QString(row.path).endsWith("small_u.png") && !canLockOut)
            continue;
        Options([&](GalleryOptions &o) { o.WebPage2.RootPath = row.root; });
        m_doc->SetModifiedFlag(false);
        AddAndWait({Request(Path(row.path), false, row.fromProject)});
        EXPECT_EQ(Warnings(), row.warnings);
        EXPECT_EQ(m_doc->IsModified(), row.modified);
        EXPECT_EQ(m_doc->GetEntryCount(), row.count);
    }
    ImageEntry e;
    ASSERT_TRUE(m_doc->GetEntry(0, e));
    EXPECT_EQ(e.ThumbnailDimensions, "32x24");
}
