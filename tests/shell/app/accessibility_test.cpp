// Screen readers and accessibility-driven test tools read the program by the
// names of its controls: every control a user can reach must have one, every
// pane that shows a value must say it, and the keyboard alone must do what
// the mouse does.
#include "document/gallerydocument.h"
#include "document/galleryoptions.h"
#include "document/projectfile.h"
#include "platform/profile.h"
#include "shell/app/aboutdialog.h"
#include "shell/app/mainwindow.h"
#include "shell/app/recoverydialog.h"
#include "shell/common/generaloptions.h"
#include "shell/gallery/galleryview.h"
#include "shell/gallery/gallerywindow.h"
#include "shell/gallery/waitpanel.h"
#include "shell/options/commentassistantdialog.h"
#include "shell/options/documentoptionsdialog.h"
#include "shell/options/imageoptionsdialog.h"
#include "shell/options/imagethumbnaildialog.h"
#include "shell/options/programoptionsdialog.h"
#include "shell/preview/previewcanvas.h"
#include "shell/preview/previewstatusbar.h"
#include "shell/preview/previewwindow.h"
#include "shell/print/printpreviewarea.h"
#include "shell/widgets/colorpickerdialog.h"
#include "shell/widgets/colorswatch.h"
#include "shell/widgets/huesaturationfield.h"
#include "shell/widgets/hyperlinklabel.h"
#include "shell/widgets/luminancebar.h"
#include "shell/widgets/valuelabel.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {
// Controls that take input and have no accessible name, by class and object name.
QStringList UnnamedControls(QWidget *root)
{
    QStringList unnamed;
    root->show();
    const auto widgets = root->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        const bool control = qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w)
            || qobject_cast<QComboBox *>(w) || qobject_cast<QAbstractSpinBox *>(w)
            || qobject_cast<QAbstractItemView *>(w) || qobject_cast<QTextEdit *>(w);
        if (!control || !w->isVisibleTo(root) || w->focusPolicy() == Qt::NoFocus)
            continue;
        // Line edits inside combo and spin boxes speak through their owner.
        if (qobject_cast<QLineEdit *>(w)
            && (qobject_cast<QComboBox *>(w->parentWidget())
                || qobject_cast<QAbstractSpinBox *>(w->parentWidget())))
            continue;
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
        if (!face || face->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << QStringLiteral("%1 '%2'").arg(
                QString::fromLatin1(w->metaObject()->className()), w->objectName());
    }
    return unnamed;
}

// Every page of a sheet, since hidden pages are skipped.
QStringList UnnamedControlsOnEveryPage(QWidget *dialog, QTabWidget *pages)
{
    QStringList unnamed;
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        unnamed << UnnamedControls(dialog);
    }
    unnamed.removeDuplicates();
    return unnamed;
}

// Every interface below `root`, depth first, as an assistive tool walks it.
QList<QAccessibleInterface *> Walk(QAccessibleInterface *root)
{
    QList<QAccessibleInterface *> found;
    if (!root)
        return found;
    found << root;
    for (int i = 0; i < root->childCount(); ++i)
        found << Walk(root->child(i));
    return found;
}

QAccessibleInterface *Find(
    const QList<QAccessibleInterface *> &tree, QAccessible::Role role, const QString &name)
{
    for (QAccessibleInterface *face : tree)
        if (face->role() == role && face->text(QAccessible::Name).contains(name))
            return face;
    return nullptr;
}

QStringList Values(const QList<QAccessibleInterface *> &tree, QAccessible::Role role)
{
    QStringList values;
    for (QAccessibleInterface *face : tree)
        if (face->role() == role)
            values << face->text(QAccessible::Value);
    return values;
}

QString Photo(const QTemporaryDir &dir, const QString &name, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(30, 90, 160));
    const QString path = QDir::toNativeSeparators(dir.filePath(name));
    EXPECT_TRUE(image.save(path, "JPEG"));
    return path;
}

// What Tab visits from the window's first control until focus comes back to
// a control already visited; a control that keeps the focus, or a cycle that
// never closes, ends the list with a null.
QList<QWidget *> TabCycle(QWidget *window)
{
    window->show();
    if (!QTest::qWaitForWindowActive(window))
        return {nullptr};
    QWidget *first = window;
    do
        first = first->nextInFocusChain();
    while (first != window
        && !(first->isVisible() && first->isEnabled() && (first->focusPolicy() & Qt::TabFocus)));
    first->setFocus(Qt::TabFocusReason);
    QList<QWidget *> visited {QApplication::focusWidget()};
    for (int i = 0; i < 200; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QWidget *now = QApplication::focusWidget();
        if (now == visited.last())
            break;
        if (visited.contains(now))
            return visited;
        visited << now;
    }
    visited << nullptr;
    return visited;
}

// Steps of a Tab cycle that go back up the same column. Reading goes down,
// then on to the right; a cycle in reading order has one such step, where
// it wraps round.
QStringList BackwardSteps(const QList<QWidget *> &cycle)
{
    if (cycle.contains(nullptr))
        return {QStringLiteral("focus trapped after %1")
                    .arg(cycle.size() > 1 ? cycle[cycle.size() - 2]->objectName() : QString())};
    QStringList backward;
    for (qsizetype i = 0; i < cycle.size(); ++i) {
        QWidget *from = cycle[i];
        QWidget *to = cycle[(i + 1) % cycle.size()];
        const QRect a(from->mapToGlobal(QPoint()), from->size());
        const QRect b(to->mapToGlobal(QPoint()), to->size());
        if (b.bottom() < a.top() && b.left() < a.right() && b.right() > a.left())
            backward << QStringLiteral("%1 '%2' -> %3 '%4'")
                            .arg(QString::fromLatin1(from->metaObject()->className()), from->objectName(),
                                QString::fromLatin1(to->metaObject()->className()), to->objectName());
    }
    return backward.size() > 1 ? backward : QStringList();
}

std::string Joined(const QStringList &list)
{
    return list.join(QLatin1Char('|')).toStdString();
}

QStringList BackwardStepsOnEveryPage(QWidget *dialog, QTabWidget *pages)
{
    QStringList backward;
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        backward << BackwardSteps(TabCycle(dialog));
    }
    return backward;
}

} // namespace

TEST(Accessibility, anEditWithoutLabelIsReported)
{
    QWidget form;
    auto *edit = new QLineEdit(&form);
    edit->setObjectName(QStringLiteral("bare"));
    EXPECT_EQ(UnnamedControls(&form), QStringList({QStringLiteral("QLineEdit 'bare'")}));
}

TEST(Accessibility, mainWindowWithAGalleryNamesEveryControl)
{
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath(QStringLiteral("s.ini")));
    GeneralOptions options;
    MainWindow window(profile, options);
    window.newGallery();
    EXPECT_EQ(UnnamedControls(&window), QStringList());
}

TEST(Accessibility, dialogsNameEveryControlOnEveryPage)
{
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath(QStringLiteral("s.ini")));
    GeneralOptions general;
    ProgramOptionsDialog program(general);
    EXPECT_EQ(UnnamedControlsOnEveryPage(&program, program.pages()), QStringList());
    DocumentOptionsDialog document(GalleryOptions(), general, profile);
    EXPECT_EQ(UnnamedControlsOnEveryPage(&document, document.pages()), QStringList());
    ColorPickerDialog picker(0x3366CC, true);
    EXPECT_EQ(UnnamedControls(&picker), QStringList());
    AboutDialog about;
    EXPECT_EQ(UnnamedControls(&about), QStringList());
    RecoveryDialog recovery({RecoveryCopy{}}, {});
    EXPECT_EQ(UnnamedControls(&recovery), QStringList());
}

TEST(Accessibility, theWaitPanelIsInTheTreeWithItsTextProgressAndAnAnnulerThatCancels)
{
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath(QStringLiteral("s.ini")));
    GeneralOptions options;
    MainWindow window(profile, options);
    window.show();
    GalleryWindow *gallery = window.newGallery();
    GalleryView *view = gallery->view();
    QStringList photos;
    for (int i = 0; i < 3; ++i)
        photos << Photo(dir, QStringLiteral("p%1.jpg").arg(i), QSize(64, 48));
    view->addPaths(photos);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->rowCount() == 3 && !view->isAdding(); }, 20000));
    GalleryOptions pageOptions = gallery->document().GetOptions();
    pageOptions.PagePath = QDir::toNativeSeparators(dir.filePath(QStringLiteral("index.html")));
    gallery->document().SetOptions(pageOptions);

    window.runCommand(Command::BuildPage);
    // No event is processed until the press: the build cannot end on its own meanwhile.
    ASSERT_TRUE(view->isBusy());
    const auto tree = Walk(QAccessible::queryAccessibleInterface(&window));
    QAccessibleInterface *panel = nullptr;
    for (QAccessibleInterface *face : tree)
        if (face->object() == view->waitPanel())
            panel = face;
    ASSERT_NE(panel, nullptr) << "the wait panel is out of the tree";
    const auto inside = Walk(panel);
    QAccessibleInterface *text = Find(inside, QAccessible::StaticText, QStringLiteral("Veuillez patienter"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->text(QAccessible::Name).contains(view->waitPanel()->text()));
    QAccessibleInterface *progress = Find(inside, QAccessible::ProgressBar, QString());
    ASSERT_NE(progress, nullptr);
    ASSERT_NE(progress->valueInterface(), nullptr);
    EXPECT_EQ(progress->valueInterface()->currentValue().toInt(), view->waitPanel()->progressBar()->value());
    QAccessibleInterface *cancel = Find(inside, QAccessible::Button, QStringLiteral("Annuler"));
    ASSERT_NE(cancel, nullptr);
    ASSERT_NE(cancel->actionInterface(), nullptr);
    EXPECT_FALSE(cancel->state().invisible);

    QSignalSpy cancelled(view->waitPanel(), &WaitPanel::cancelRequested);
    cancel->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(QTest::qWaitFor([&] { return cancelled.count() == 1 && !view->isBusy(); }, 20000));
    gallery->document().SetModifiedFlag(false);
}

TEST(Accessibility, thePreviewIsAWindowWhosePanesGiveTheirValues)
{
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath(QStringLiteral("s.ini")));
    PreviewWindow preview(profile, nullptr);
    preview.Show(1);
    QAccessibleInterface *window = QAccessible::queryAccessibleInterface(&preview);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), QStringLiteral("Prévisualisation"));

    const QString photo = Photo(dir, QStringLiteral("phare.jpg"), QSize(123, 45));
    preview.RequestPreview(photo);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return preview.previewStatusBar()->dimensionText() == QStringLiteral("123x45"); }, 10000));

    const auto tree = Walk(window);
    const QStringList values = Values(tree, QAccessible::StaticText);
    EXPECT_TRUE(values.contains(QStringLiteral("phare.jpg"))) << values.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(values.contains(PreviewSizeText(QFileInfo(photo).size())));
    EXPECT_TRUE(values.contains(QStringLiteral("123x45")));
    QAccessibleInterface *size = Find(tree, QAccessible::StaticText, QStringLiteral("Taille du fichier"));
    ASSERT_NE(size, nullptr);
    EXPECT_TRUE(size->text(QAccessible::Name).endsWith(PreviewSizeText(QFileInfo(photo).size()).trimmed()));
    ASSERT_NE(size->textInterface(), nullptr);
    EXPECT_EQ(size->textInterface()->text(0, size->textInterface()->characterCount()),
        size->text(QAccessible::Value));
}

TEST(Accessibility, keyboardAloneEditsTheThirdCommentAndSavesIt)
{
    QTemporaryDir dir;
    ImageList images(4);
    for (int i = 0; i < 4; ++i)
        images[i].Path = Photo(dir, QStringLiteral("p%1.jpg").arg(i), QSize(40 + i, 30));
    const QString project = dir.filePath(QStringLiteral("galerie.glr"));
    ASSERT_TRUE(SaveProjectFile(project, GalleryOptions(), images));
    SettingsProfile profile(dir.filePath(QStringLiteral("s.ini")));
    GeneralOptions options;
    MainWindow window(profile, options);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    GalleryWindow *gallery = window.openProject(project);
    ASSERT_NE(gallery, nullptr);
    GalleryView *view = gallery->view();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->rowCount() == 4 && !view->isAdding(); }, 20000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->hasFocus(); }, 5000));
    const auto key = [](int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(k), m);
    };

    key(Qt::Key_Home);
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(view->selectedRows(), std::vector<int>({2}));
    key(Qt::Key_F2);
    ASSERT_NE(qobject_cast<QLineEdit *>(QApplication::focusWidget()), nullptr);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Vu au clavier"));
    key(Qt::Key_Return);
    // The edit ends once the key is handled, and gives the focus back.
    ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::focusWidget() == view; }, 5000));
    key(Qt::Key_S, Qt::ControlModifier);
    const auto savedComment = [&] {
        QFile file(project);
        if (!file.open(QIODevice::ReadOnly) || ReadProjectHeader(file) != ProjectFormat::V3)
            return QString();
        const ProjectContents contents = ReadProjectV3(file, GalleryOptions(), DiaporamaOptions());
        return contents.images.size() == 4 ? contents.images[2].Comment : QString();
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return savedComment() == QStringLiteral("Vu au clavier"); }, 10000));

    // Shift extends, Delete deletes, Enter shows the selected row.
    key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(view->selectedRows(), std::vector<int>({1, 2}));
    key(Qt::Key_Delete);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->rowCount() == 2; }, 5000));
    key(Qt::Key_Home);
    key(Qt::Key_Space); // the deletion left no row selected
    EXPECT_EQ(view->selectedRows(), std::vector<int>({0}));
    key(Qt::Key_Return);
    PreviewWindow *preview = window.previewWindow();
    EXPECT_TRUE(preview->isVisible());
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return preview->previewStatusBar()->nameText() == QFileInfo(images[0].Path).fileName(); },
        10000));
    gallery->document().SetModifiedFlag(false);
}

TEST(Accessibility, tabVisitsEveryDialogInReadingOrderWithoutATrap)
{
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath(QStringLiteral("s.ini")));
    GeneralOptions general;
    ProgramOptionsDialog program(general);
    EXPECT_EQ(Joined(BackwardStepsOnEveryPage(&program, program.pages())), "");
    DocumentOptionsDialog document(GalleryOptions(), general, profile);
    EXPECT_EQ(Joined(BackwardStepsOnEveryPage(&document, document.pages())), "");
    ColorPickerDialog picker(0x3366CC, true);
    EXPECT_EQ(Joined(BackwardSteps(TabCycle(&picker))), "");
    AboutDialog about;
    EXPECT_EQ(Joined(BackwardSteps(TabCycle(&about))), "");
    ImageOptionsDialog image(ImageOptionBlock(), GalleryOptions(), general);
    EXPECT_EQ(Joined(BackwardSteps(TabCycle(&image))), "");
    ImageThumbnailDialog thumbnails(BuildVignetteOptions(), general);
    EXPECT_EQ(Joined(BackwardSteps(TabCycle(&thumbnails))), "");
    ImageEntry entry;
    entry.Path = dir.filePath(QStringLiteral("a.jpg"));
    CommentAssistantDialog assistant(general, GalleryOptions(), entry, 1, 1);
    const QList<QWidget *> cycle = TabCycle(&assistant);
    EXPECT_EQ(Joined(BackwardSteps(cycle)), "");
    // Its two text boxes take Tab as a move, not as a character.
    EXPECT_TRUE(cycle.contains(static_cast<QWidget *>(assistant.codedEdit())));
    EXPECT_TRUE(cycle.contains(static_cast<QWidget *>(assistant.decodedEdit())));
}

TEST(Accessibility, everyCustomPaintedControlShowsItsFocus)
{
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath(QStringLiteral("s.ini")));
    QWidget host;
    auto *layout = new QVBoxLayout(&host);
    auto *pane = new ValueLabel(QStringLiteral("Activité"), &host);
    pane->setText(QStringLiteral("en cours"));
    pane->setFocusPolicy(Qt::TabFocus);
    auto *area = new PrintPreviewArea(&host);
    area->setMinimumSize(120, 120);
    const QList<QWidget *> controls {new HueSaturationField(&host), new LuminanceBar(&host),
        new ColorSwatch(&host), new HyperlinkLabel(QStringLiteral("lien"), QString(), &host), pane, area};
    for (QWidget *control : controls) {
        control->setMinimumSize(40, 24);
        layout->addWidget(control);
    }
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    PreviewWindow preview(profile, nullptr);
    preview.Show(1);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&preview));

    for (QWidget *control : controls + QList<QWidget *> {preview.canvas()}) {
        QWidget *window = control->window();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        window->setFocus();
        control->clearFocus();
        // What Tab sets: styles draw focus frames once the keyboard moved the focus.
        window->setAttribute(Qt::WA_KeyboardFocusChange);
        const QImage plain = control->grab().toImage();
        control->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(control->hasFocus()) << control->metaObject()->className();
        EXPECT_NE(control->grab().toImage(), plain) << control->metaObject()->className();
    }
}

TEST(Accessibility, commandsOpenTheirDialogsWithoutWaitingForThem)
{
    QTemporaryDir dir;
    SettingsProfile profile(dir.filePath(QStringLiteral("s.ini")));
    GeneralOptions options;
    MainWindow window(profile, options);
    window.show();
    window.newGallery();
    for (Command command :
        {Command::DocumentOptions, Command::ProgramOptions, Command::About, Command::PrintSetup}) {
        // Closes a dialog run in a nested loop, so that the fault fails the test instead of hanging it.
        QTimer rescue;
        rescue.setSingleShot(true);
        QObject::connect(&rescue, &QTimer::timeout, [] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        rescue.start(2000);
        // A screen reader's press triggers the action and waits for it to return.
        window.action(command)->trigger();
        auto *open = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        EXPECT_NE(open, nullptr) << int(command);
        if (open)
            open->reject();
        EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() == nullptr; }, 5000));
    }
}
