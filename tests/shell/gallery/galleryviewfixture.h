#pragma once
// A gallery of real JPEG files in a temporary folder, shown in a view, for
// the tests of the list and of its undo history.

#include "shell/gallery/galleryview.h"
#include "document/gallerydocument.h"
#include "pagegen/buildenvironment.h"
#include "platform/profile.h"
#include "shell/common/generaloptions.h"
#include "shell/common/linkopening.h"
#include "shell/gallery/documentsetup.h"
#include "shell/gallery/fileclipboard.h"
#include "shell/gallery/galleryheader.h"
#include "shell/gallery/gallerymodel.h"
#include "shell/gallery/rowmoves.h"
#include "shell/gallery/waitpanel.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

namespace {
// A gallery of real JPEG files in a temporary folder, shown in a view.
class GalleryViewTest : public ::testing::Test {
protected:
    struct Gallery {
        std::unique_ptr<GalleryDocument> document;
        std::unique_ptr<GalleryView> view;
    };

    void SetUp() override
    {
        QDir(m_dir.path()).mkdir(QStringLiteral("photos"));
        m_gallery = OpenGallery();
    }

    Gallery OpenGallery()
    {
        Gallery g;
        g.document = CreateGalleryDocument(m_profile, m_general, &GuiBuildEnvironment);
        g.view = std::make_unique<GalleryView>(*g.document, m_general);
        g.view->resize(640, 400);
        return g;
    }

    QString Photo(const QString &name, int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(QColor(40, 120, 200));
        const QString path = QDir::toNativeSeparators(m_dir.filePath(QStringLiteral("photos/") + name));
        image.save(path, "JPEG");
        return path;
    }

    // Landscape, portrait, square, landscape: rows 0 to 3.
    void AddFourPhotos()
    {
        m_paths = {
            Photo("a.jpg", 40, 30), Photo("b.jpg", 30, 40), Photo("c.jpg", 32, 32), Photo("d.jpg", 50, 20)};
        view().addPaths(m_paths);
        // Rows show before the add worker reports it is idle; commands wait for both.
        ASSERT_TRUE(QTest::qWaitFor([&] { return view().rowCount() == 4 && !view().isAdding(); }, 10000));
    }

    QStringList DocumentOrder(const GalleryDocument &doc) const
    {
        QStringList paths;
        for (int i = 0; i < doc.GetEntryCount(); ++i)
            paths.append(doc.GetPath(i));
        return paths;
    }

    QStringList ModelOrder() const
    {
        QStringList paths;
        for (int i = 0; i < view().rowCount(); ++i)
            paths.append(view().galleryModel()->Path(i));
        return paths;
    }

    // A drop arrives after the drag entered the list, as the drag manager delivers it.
    void Drop(GalleryView &target, QMimeData *mime, QPoint pos)
    {
        QDragEnterEvent enter(pos, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target.viewport(), &enter);
        QDropEvent drop(pos, Qt::CopyAction | Qt::MoveAction, mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target.viewport(), &drop);
        delete mime;
    }

    // The comment edit in use (a closed one lingers hidden until deleted).
    QLineEdit *OpenEditor() const
    {
        for (QLineEdit *edit : view().findChildren<QLineEdit *>(QStringLiteral("commentEditor")))
            if (edit->isVisible())
                return edit;
        return nullptr;
    }

    GalleryView &view() const { return *m_gallery.view; }
    GalleryDocument &document() const { return *m_gallery.document; }

    QTemporaryDir m_dir;
    SettingsProfile m_profile {m_dir.filePath(QStringLiteral("settings.ini"))};
    GeneralOptions m_general;
    Gallery m_gallery;
    QStringList m_paths;
};
} // namespace
