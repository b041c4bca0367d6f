#include "gallery/galleryviewfixture.h"

TEST_F(GalleryViewTest, firstResizeSharesTheWidthByFifths)
{
    view().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view()));
    const int client = view().viewport()->width();
    const int w = std::min(client / 5, 100);
    EXPECT_EQ(view().columnWidth(GalleryModel::FileColumn), w);
    EXPECT_EQ(view().columnWidth(GalleryModel::OptionsColumn), std::min(client / 5, 150));
    EXPECT_EQ(view().columnWidth(GalleryModel::CommentColumn), client - 3 * w - std::min(client / 5, 150));
    view().resize(300, 200);
    EXPECT_EQ(view().columnWidth(GalleryModel::FileColumn), w); // later resizes keep the columns
}

TEST_F(GalleryViewTest, headerIconsActOnlyInTheirHotArea)
{
    view().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view()));
    auto *header = qobject_cast<GalleryHeader *>(view().header());
    ASSERT_NE(header, nullptr);
    std::vector<Command> requests;
    QObject::connect(&view(), &GalleryView::commandRequested, [&](Command c) { requests.push_back(c); });
    const int left = header->sectionViewportPosition(GalleryModel::OptionsColumn);
    const int y = header->height() / 2;
    for (int x : {left + 4, left + 5, left + 20, left + 21})
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(x, y));
    EXPECT_EQ(requests, (std::vector<Command> {Command::DocumentOptions, Command::DocumentOptions}));
    // The comment assistant needs rows to work on.
    const int comment = header->sectionViewportPosition(GalleryModel::CommentColumn);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(comment + 8, y));
    EXPECT_EQ(requests.size(), 2u);
}

TEST_F(GalleryViewTest, horizontalAndVerticalSelectionBothTakeSquareImages)
{
    AddFourPhotos();
    view().runCommand(Command::SelectHorizontal);
    EXPECT_EQ(view().selectedRows(), (std::vector<int> {0, 2, 3}));
    view().runCommand(Command::SelectVertical);
    EXPECT_EQ(view().selectedRows(), (std::vector<int> {1, 2}));
    view().runCommand(Command::InvertSelection);
    EXPECT_EQ(view().selectedRows(), (std::vector<int> {0, 3}));
}

TEST_F(GalleryViewTest, inPlaceEditShowsTheRawCommentEscapeKeepsItEnterStores)
{
    AddFourPhotos();
    const QString raw = QStringLiteral("Photo sur ?$VORLEX_VARIABLE_NUMBER_OF_IMAGES");
    document().SetComment(0, raw);
    EXPECT_EQ(view().galleryModel()->index(0, GalleryModel::CommentColumn).data().toString(),
        QStringLiteral("Photo sur 4"));
    view().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view()));

    view().selectRows({0});
    QTest::keyClick(&view(), Qt::Key_F2);
    QLineEdit *edit = OpenEditor();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), raw);
    edit->setText(QStringLiteral("changed"));
    QTest::keyClick(edit, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_EQ(document().GetComment(0), raw);

    ASSERT_TRUE(view().editComment(0));
    edit = OpenEditor();
    ASSERT_NE(edit, nullptr);
    edit->setText(QStringLiteral("Coucher de soleil"));
    // The Enter that ends the edit is not the list's "show image" as well.
    QSignalSpy requests(&view(), &GalleryView::commandRequested);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return document().GetComment(0) == QStringLiteral("Coucher de soleil"); }));
    EXPECT_EQ(requests.count(), 0);
}

TEST_F(GalleryViewTest, copyPutsTheSelectedFilesInRowOrderInBothClipboardFormats)
{
    AddFourPhotos();
    view().selectRows({2, 0});
    view().runCommand(Command::Copy);
    const QMimeData *mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(mime, nullptr);
    EXPECT_EQ(mime->urls(), (QList<QUrl> {QUrl::fromLocalFile(m_paths[0]), QUrl::fromLocalFile(m_paths[2])}));
    EXPECT_EQ(mime->data(QStringLiteral("x-special/gnome-copied-files")),
        "copy\n" + QUrl::fromLocalFile(m_paths[0]).toEncoded() + "\n"
            + QUrl::fromLocalFile(m_paths[2]).toEncoded());

    QMimeData gnomeOnly;
    gnomeOnly.setData(QStringLiteral("x-special/gnome-copied-files"),
        "cut\n" + QUrl::fromLocalFile(m_paths[1]).toEncoded() + "\n");
    EXPECT_EQ(FileListPaths(&gnomeOnly), QStringList {m_paths[1]});
}

TEST_F(GalleryViewTest, moveUpMovesTheSelectedRowAndItsSelection)
{
    AddFourPhotos();
    view().selectRows({2});
    view().runCommand(Command::MoveUp);
    EXPECT_EQ(DocumentOrder(document()), (QStringList {m_paths[0], m_paths[2], m_paths[1], m_paths[3]}));
    EXPECT_EQ(ModelOrder(), DocumentOrder(document()));
    EXPECT_EQ(view().selectedRows(), (std::vector<int> {1}));
    // The moved row keeps its thumbnail state, which the move itself does not carry.
    EXPECT_EQ(view().galleryModel()->ThumbnailText(1), ThumbnailStateText::WithPage());
}

TEST_F(GalleryViewTest, placementMessagesExchangeAndInsertRowsAndIgnoreRowsOutsideTheList)
{
    AddFourPhotos();
    view().placementMessage(kPlacementExchange, 1, 3);
    EXPECT_EQ(DocumentOrder(document()), (QStringList {m_paths[2], m_paths[1], m_paths[0], m_paths[3]}));
    view().placementMessage(kPlacementInsert, 4, 1);
    EXPECT_EQ(DocumentOrder(document()), (QStringList {m_paths[3], m_paths[2], m_paths[1], m_paths[0]}));
    view().placementMessage(kPlacementExchange, 2, 5);
    EXPECT_EQ(DocumentOrder(document()), (QStringList {m_paths[3], m_paths[2], m_paths[1], m_paths[0]}));
    EXPECT_EQ(ModelOrder(), DocumentOrder(document()));
}

TEST_F(GalleryViewTest, aCancelledPageDialogStartsNothingAndLeavesTheListIdle)
{
    AddFourPhotos();
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    closer.start(10);
    view().runCommand(Command::BuildPage);
    EXPECT_FALSE(view().isBusy());
    EXPECT_FALSE(document().IsBuilding());
    EXPECT_TRUE(document().GetOptions().PagePath.isEmpty());
}

TEST_F(GalleryViewTest, rowsDroppedOnTheirOwnListMoveAsABlockAndStaySelected)
{
    AddFourPhotos();
    view().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view()));
    // Rows 0 and 2 onto the gap above row 3.
    const QRect row3 = view().visualRect(view().galleryModel()->index(3, 0));
    Drop(view(), view().createRowMimeData({0, 2}), QPoint(10, row3.top() + 1));
    EXPECT_EQ(DocumentOrder(document()), (QStringList {m_paths[1], m_paths[0], m_paths[2], m_paths[3]}));
    EXPECT_EQ(ModelOrder(), DocumentOrder(document()));
    EXPECT_EQ(view().selectedRows(), (std::vector<int> {1, 2}));
}

TEST_F(GalleryViewTest, rowsDroppedOnAnotherGalleryAreCopiedWithCommentAndOptions)
{
    AddFourPhotos();
    document().SetComment(1, QStringLiteral("portrait"));
    ImageOptionBlock block;
    block.Flags = IMGOPT_BORDER_SIZE;
    block.BorderSize = 77;
    document().SetOptionBlock(1, block);
    Gallery other = OpenGallery();
    Drop(*other.view, view().createRowMimeData({1, 3}), QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return other.view->rowCount() == 2; }, 10000));
    EXPECT_EQ(DocumentOrder(*other.document), (QStringList {m_paths[1], m_paths[3]}));
    EXPECT_EQ(other.document->GetComment(0), QStringLiteral("portrait"));
    EXPECT_EQ(other.document->GetOptionsSummary(0), QStringLiteral("Taille de la bordure; "));
    EXPECT_EQ(view().rowCount(), 4);
}

TEST_F(GalleryViewTest, filesDroppedFromAFileManagerAreAddedInOrder)
{
    const QStringList files = {Photo("z.jpg", 20, 10), Photo("y.jpg", 10, 20)};
    auto *mime = new QMimeData;
    mime->setUrls({QUrl::fromLocalFile(files[0]), QUrl::fromLocalFile(files[1])});
    Drop(view(), mime, QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return view().rowCount() == 2; }, 10000));
    EXPECT_EQ(DocumentOrder(document()), files);
}

TEST_F(GalleryViewTest, buildingAPageGoesThroughThumbnailsThenPagesAndWritesIt)
{
    AddFourPhotos();
    view().runCommand(Command::SelectAll);
    view().runCommand(Command::RecreateThumbnails);
    GalleryModel &model = *view().galleryModel();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            for (int row = 0; row < model.rowCount(); ++row)
                if (!model.HasThumbnailFile(row))
                    return false;
            return true;
        },
        20000));

    GalleryOptions options = document().GetOptions();
    options.PagePath = QDir::toNativeSeparators(m_dir.filePath(QStringLiteral("photos/index.html")));
    document().SetOptions(options);
    std::vector<WaitPanel::Phase> phases;
    bool refusedDrops = false;
    bool headerHidden = false;
    QObject::connect(
        view().waitPanel(), &WaitPanel::phaseChanged, [&](WaitPanel::Phase p) { phases.push_back(p); });
    QObject::connect(&view(), &GalleryView::commandStateChanged, [&] {
        if (view().isBusy()) {
            refusedDrops = refusedDrops || !view().acceptDrops();
            headerHidden = headerHidden || view().header()->isHidden();
        }
    });
    ASSERT_TRUE(view().canRun(Command::BuildPage));
    view().runCommand(Command::BuildPage);
    ASSERT_TRUE(view().isBusy());
    EXPECT_FALSE(view().canRun(Command::BuildPage));
    phases.insert(phases.begin(), view().waitPanel()->phase());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view().isBusy(); }, 30000));

    EXPECT_EQ(
        phases, (std::vector<WaitPanel::Phase> {WaitPanel::Phase::Thumbnails, WaitPanel::Phase::Pages}));
    EXPECT_TRUE(refusedDrops);
    EXPECT_TRUE(headerHidden);
    EXPECT_FALSE(view().header()->isHidden());
    EXPECT_TRUE(view().acceptDrops());
    EXPECT_TRUE(QFileInfo::exists(options.PagePath));
}
