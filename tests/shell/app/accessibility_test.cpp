// Screen readers and accessibility-driven test tools read the program by the
// names of its controls: every control a user can reach must have one.
#include "document/galleryoptions.h"
#include "platform/profile.h"
#include "shell/app/aboutdialog.h"
#include "shell/app/mainwindow.h"
#include "shell/app/recoverydialog.h"
#include "shell/common/generaloptions.h"
#include "shell/options/documentoptionsdialog.h"
#include "shell/options/programoptionsdialog.h"
#include "shell/widgets/colorpickerdialog.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
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
        if (qobject_cast<QLineEdit *>(w) && (qobject_cast<QComboBox *>(w->parentWidget())
                                             || qobject_cast<QAbstractSpinBox *>(w->parentWidget())))
            continue;
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
        if (!face || face->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << QStringLiteral("%1 '%2'").arg(QString::fromLatin1(w->metaObject()->className()), w->objectName());
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
