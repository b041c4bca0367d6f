#include "cli/commands.h"
#include "document/projectfile.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {
class BuildCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir(m_dir.path()).mkpath("photos/plage"));
        WritePicture("photos/a.jpg", 320, 240);
        WritePicture("photos/b.jpg", 240, 320);
        WritePicture("photos/plage/c.jpg", 300, 200);
    }
    QString Path(const QString &name) const { return m_dir.filePath(name); }
    void WritePicture(const QString &name, int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        ASSERT_TRUE(image.save(Path(name), "JPEG"));
    }
    int Build(const QStringList &args)
    {
        m_out.clear();
        m_err.clear();
        QTextStream out(&m_out), err(&m_err);
        return RunBuild(args, out, err);
    }
    QString Read(const QString &name) const
    {
        QFile f(Path(name));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    ProjectContents ReadProject(const QString &name) const
    {
        QFile f(Path(name));
        if (!f.open(QIODevice::ReadOnly) || ReadProjectHeader(f) != ProjectFormat::V3)
            return {};
        return ReadProjectV3(f, GalleryOptions(), DiaporamaOptions());
    }

    QTemporaryDir m_dir;
    QString m_out;
    QString m_err;
};
} // namespace

TEST_F(BuildCommand, foldersAreScannedWithSubFoldersIntoAPageBesideTheFirstImage)
{
    ASSERT_EQ(Build({"-q", Path("photos")}), 0) << m_err.toStdString();
    EXPECT_EQ(m_out.trimmed(), QDir::toNativeSeparators(Path("photos/index.html")));
    const QString page = Read("photos/index.html");
    for (const char *thumb : {"mini/small_a.jpg", "mini/small_b.jpg", "plage/mini/small_c.jpg"}) {
        EXPECT_TRUE(page.contains(thumb)) << thumb;
        EXPECT_FALSE(QImage(Path(QStringLiteral("photos/") + thumb)).isNull()) << thumb;
    }
}

TEST_F(BuildCommand, noRecursiveLeavesSubFoldersOut)
{
    ASSERT_EQ(Build({"-q", "--no-recursive", Path("photos")}), 0) << m_err.toStdString();
    const QString page = Read("photos/index.html");
    EXPECT_TRUE(page.contains("small_a.jpg"));
    EXPECT_FALSE(page.contains("small_c.jpg"));
}

TEST_F(BuildCommand, optionFlagsReachThePageAndTheSavedProject)
{
    ASSERT_EQ(Build({"-q", "-o", Path("site/index.html"), "--title", "Vacances 2004", "--mode", "0", "--box",
                     "64x48", "--save", Path("galerie.glr"), Path("photos/a.jpg"), Path("photos/b.jpg")}),
              0)
        << m_err.toStdString();
    EXPECT_TRUE(Read("site/index.html").contains("Vacances 2004"));
    EXPECT_EQ(QImage(Path("photos/mini/small_a.jpg")).size(), QSize(64, 48));
    const ProjectContents saved = ReadProject("galerie.glr");
    ASSERT_TRUE(saved.complete);
    ASSERT_EQ(saved.images.size(), 2u);
    EXPECT_EQ(saved.images[1].Path, QDir::toNativeSeparators(Path("photos/b.jpg")));
    EXPECT_EQ(saved.options.WebPage1.PageTitle, "Vacances 2004");
    EXPECT_EQ(saved.options.PagePath, QDir::toNativeSeparators(Path("site/index.html")));
}

TEST_F(BuildCommand, aProjectBringsItsImagesAndOptionsAndFlagsStillWin)
{
    ASSERT_EQ(Build({"-q", "--title", "Depuis le projet", "--save", Path("g.glr"), Path("photos/a.jpg")}), 0)
        << m_err.toStdString();
    ASSERT_EQ(Build({"-q", "-o", Path("autre/index.html"), "--per-line", "1", Path("g.glr")}), 0)
        << m_err.toStdString();
    const QString page = Read("autre/index.html");
    EXPECT_TRUE(page.contains("Depuis le projet"));
    EXPECT_TRUE(page.contains("small_a.jpg"));
    EXPECT_FALSE(page.contains("small_b.jpg"));
}

TEST_F(BuildCommand, missingProjectImagesAreBuiltAroundAndReportedInFrench)
{
    ASSERT_EQ(Build({"-q", "--save", Path("g.glr"), Path("photos/a.jpg"), Path("photos/b.jpg")}), 0);
    ASSERT_TRUE(QFile::remove(Path("photos/b.jpg")));
    EXPECT_EQ(Build({"-q", "-o", Path("out/index.html"), Path("g.glr")}), 1);
    EXPECT_TRUE(m_err.contains("Une ou plusieurs images de votre fichier de sauvegarde (.glr) n'ont pas été "
                               "trouvées."))
        << m_err.toStdString();
    EXPECT_TRUE(Read("out/index.html").contains("small_a.jpg"));
}

TEST_F(BuildCommand, slideshowIsWrittenWhenAsked)
{
    ASSERT_EQ(Build({"-q", "--slideshow", Path("photos/diaporama.html"), Path("photos")}), 0)
        << m_err.toStdString();
    EXPECT_TRUE(Read("photos/diaporama.html").contains("a.jpg"));
    EXPECT_TRUE(QFile::exists(Path("photos/index.html")));
}

TEST_F(BuildCommand, settingsFileGivesTheDefaults)
{
    {
        QSettings settings(Path("reglages.ini"), QSettings::IniFormat);
        settings.setValue("LastOptions/WebPage1/PageTitle", "Titre des reglages");
    }
    ASSERT_EQ(Build({"-q", "--settings", Path("reglages.ini"), Path("photos/a.jpg")}), 0) << m_err.toStdString();
    EXPECT_TRUE(Read("photos/index.html").contains("Titre des reglages"));
}

TEST_F(BuildCommand, unusableInputsArePlainUsageErrors)
{
    QFile fake(Path("faux.glr"));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("VORL\x05hello");
    fake.close();
    ASSERT_EQ(Build({"-q", "--save", Path("g.glr"), Path("photos/a.jpg")}), 0);

    EXPECT_EQ(Build({"-q", Path("absent")}), 2);
    EXPECT_EQ(Build({"-q", Path("faux.glr")}), 2);
    EXPECT_TRUE(m_err.contains("Ce fichier n'est pas un fichier de sauvegarde valide"));
    EXPECT_EQ(Build({"-q", Path("g.glr"), Path("photos/b.jpg")}), 2);
    EXPECT_EQ(Build({"-q", "--settings", Path("absent.ini"), Path("photos")}), 2);
    EXPECT_EQ(Build({"--frobnicate", Path("photos")}), 2);
    EXPECT_EQ(Build({}), 2);
}

TEST_F(BuildCommand, pageOutsideTheSiteRootIsRefusedWithTheFrenchMessage)
{
    EXPECT_EQ(Build({"-q", "--root", Path("photos"), "-o", Path("ailleurs/index.html"), Path("photos")}), 2);
    EXPECT_TRUE(m_err.contains("Le chemin spécifié pour la page HTML n'est pas valide")) << m_err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("ailleurs/index.html")));
}

TEST_F(BuildCommand, nothingToPublishIsAFailure)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("vide"));
    EXPECT_EQ(Build({"-q", Path("vide")}), 1);
    EXPECT_FALSE(QFile::exists(Path("vide/index.html")));
}

TEST_F(BuildCommand, failedSaveIsReportedAsAFailure)
{
    EXPECT_EQ(Build({"-q", "--save", Path("absent/g.glr"), Path("photos/b.jpg")}), 1);
    EXPECT_TRUE(m_err.contains("Une erreur est survenue lors de l'enregistrement du fichier")) << m_err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("absent")));
}

TEST_F(BuildCommand, aNamedFileThatIsNoImageIsSaidAndFailsTheRunButTheOthersAreBuilt)
{
    QFile text(Path("photos/notes.jpg"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("pas une photo");
    text.close();
    EXPECT_EQ(Build({"-q", Path("photos/notes.jpg"), Path("photos/a.jpg")}), 1);
    EXPECT_TRUE(m_err.contains("notes.jpg : ce n'est pas une image lisible, laissé de côté.")) << m_err.toStdString();
    EXPECT_FALSE(m_err.contains("a.jpg :")) << m_err.toStdString();
    EXPECT_TRUE(Read("photos/index.html").contains("mini/small_a.jpg"));
    // The same file met while scanning a folder stays silent, as in the program.
    Build({"-q", Path("photos")});
    EXPECT_FALSE(m_err.contains("notes.jpg")) << m_err.toStdString();
}
