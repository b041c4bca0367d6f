// Project files as the document meets them: opening, importing, saving.
#include "docfixture.h"
#include "document/projectfile.h"

#include <QtEndian>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace {
// An older-format file listing `paths`, each with an empty comment.
QByteArray OlderProject(const QStringList &paths)
{
    QByteArray bytes = "VORL";
    const QByteArray header = "Gallorim Save File Data";
    bytes += char(header.size()) + header;
    char count[4];
    qToLittleEndian<qint32>(qint32(paths.size()), count);
    bytes += QByteArray(count, 4);
    for (const QString &path : paths) {
        const QByteArray name = QFile::encodeName(path);
        bytes += char(name.size()) + name + char(0);
    }
    return bytes;
}
} // namespace

class ProjectDocument : public DocFixture {
protected:
    // Waits until the save worker has written and gone idle again.
    void SaveAndWait(const QString &path)
    {
        m_sink.Clear();
        m_doc->OnSaveDocument(path);
        ASSERT_TRUE(m_sink.WaitFor([](const auto &p) { return EndsIdle(p, NOTIFY_SAVING); }));
    }
};

TEST_F(ProjectDocument, aProjectThatNamesItselfIsReadOnceAndTheAddWorkerGoesIdle)
{
    const QString a = SaveImage("a.png");
    const QString self = Path("self.glr");
    const QString other = Path("other.glr");
    SaveText("self.glr", OlderProject({self, a, other}));
    SaveText("other.glr", OlderProject({self}));
    AddAndWait({Request(self)});
    EXPECT_EQ(EntryNames(), QStringList{"a.png"});
    // The two project names inside the project are not images of it.
    EXPECT_EQ(Warnings(), (std::vector<std::intptr_t>{WARN_PROJECT_IMAGE_MISSING, WARN_PROJECT_IMAGE_MISSING}));
}

TEST_F(ProjectDocument, anOlderProjectDroppedIntoAGalleryMarksItModifiedButOpeningOneDoesNot)
{
    const QString a = SaveImage("a.png");
    const QString b = SaveImage("b.png");
    const QString old = SaveText("old.glr", OlderProject({a, b}));

    m_doc->SetModifiedFlag(false);
    m_sink.Clear();
    ASSERT_TRUE(m_doc->OnOpenDocument(old));
    ASSERT_TRUE(m_sink.WaitFor([](const auto &p) { return EndsIdle(p, NOTIFY_ADDING); }));
    EXPECT_EQ(m_doc->GetEntryCount(), 2);
    EXPECT_FALSE(m_doc->IsModified());

    m_doc->DeleteContents();
    m_doc->SetModifiedFlag(false);
    AddAndWait({Request(old)});
    EXPECT_EQ(m_doc->GetEntryCount(), 2);
    EXPECT_TRUE(m_doc->IsModified());

    // An empty older project adds nothing and changes nothing.
    m_doc->SetModifiedFlag(false);
    AddAndWait({Request(SaveText("empty.glr", OlderProject({})))});
    EXPECT_FALSE(m_doc->IsModified());
}

TEST_F(ProjectDocument, aZeroSpeedTakesTheSavedSlideshowSettingsEvenWithoutOpening)
{
    m_doc->SetSink(nullptr);
    m_doc.reset();
    DiaporamaOptions saved;
    saved.Speed = 9;
    saved.SaveToRegistry(m_profile);
    m_doc = std::make_unique<GalleryDocument>(m_profile, 1);
    m_doc->SetSink(&m_sink);

    GalleryOptions stored;
    stored.Diaporama.Speed = 0;
    const QString project = Path("zero.glr");
    ASSERT_TRUE(SaveProjectFile(project, stored, {}));
    AddRequest request = Request(project);
    request.ImportProject = true;
    AddAndWait({request});
    EXPECT_EQ(m_doc->GetOptions().Diaporama.Speed, 9);
}

TEST_F(ProjectDocument, aChangeMadeWhileTheFileIsWrittenKeepsTheDocumentModified)
{
    const QString project = Path("g.glr");
    m_doc->SetModifiedFlag(true);
    SaveAndWait(project);
    EXPECT_FALSE(m_doc->IsModified());

    // The options command does not wait for the list lock the save holds.
    m_doc->SetProjectSaver([this](const QString &path, const GalleryOptions &options, const ImageList &images) {
        GalleryOptions edited = m_doc->GetOptions();
        edited.WebPage1.PageTitle = "Changé pendant l'enregistrement";
        m_doc->ApplyDocumentOptions(edited);
        return SaveProjectFile(path, options, images);
    });
    SaveAndWait(project);
    EXPECT_TRUE(m_doc->IsModified());

    QFile file(project);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    ASSERT_EQ(ReadProjectHeader(file), ProjectFormat::V3);
    EXPECT_NE(ReadProjectV3(file, {}, {}).options.WebPage1.PageTitle, m_doc->GetOptions().WebPage1.PageTitle);
}

#ifndef Q_OS_WIN
TEST_F(ProjectDocument, openingAPipeIsRefusedAtOnce)
{
    const QString pipe = Path("pipe.glr");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_EQ(ProjectFileFormat(pipe), ProjectFormat::NotAProject);
    EXPECT_FALSE(m_doc->OnOpenDocument(pipe));
    EXPECT_FALSE(m_doc->OnOpenDocument(m_dir.path()));
    EXPECT_EQ(m_doc->GetPendingAddCount(), 0);
}
#endif
