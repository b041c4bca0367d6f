#include "buildfixture.h"

#include "pagegen/buildgallerythread.h"

#include <QDir>
#include <QFile>
#include <algorithm>
#include <zip.h>

void RecordingSink::Post(int code, std::intptr_t value)
{
    if (code == NOTIFY_BUSY || code == NOTIFY_PROGRESS || code == NOTIFY_ERROR) {
        std::lock_guard lock(m_lock);
        m_posts.emplace_back(code, value);
    }
    if (onPost)
        onPost(code, value);
}

std::vector<std::pair<int, std::intptr_t>> RecordingSink::BuildPosts() const
{
    std::lock_guard lock(m_lock);
    return m_posts;
}

std::vector<std::intptr_t> RecordingSink::Errors() const
{
    std::vector<std::intptr_t> out;
    for (const auto &[code, value] : BuildPosts())
        if (code == NOTIFY_ERROR)
            out.push_back(value);
    return out;
}

std::vector<std::intptr_t> RecordingSink::Progress() const
{
    std::vector<std::intptr_t> out;
    for (const auto &[code, value] : BuildPosts())
        if (code == NOTIFY_PROGRESS)
            out.push_back(value);
    return out;
}

BuildEnvironment OpenRecord::Environment()
{
    BuildEnvironment env;
    env.showWebPageAfterBuild = true;
    env.openLink = [this](const QString &target, int show) {
        EXPECT_EQ(show, 3);
        opened.push_back(target);
        return result;
    };
    env.showLinkError = [this](int code) { errors.push_back(code); };
    return env;
}

void BuildFixture::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    ASSERT_TRUE(QDir().mkpath(Site() + "img/mini"));
    m_profile = std::make_unique<SettingsProfile>(m_dir.filePath("settings.ini"));
    m_doc = std::make_unique<GalleryDocument>(*m_profile, 1);
}

void BuildFixture::TearDown()
{
    m_doc->SetSink(nullptr);
    m_doc.reset();
}

GalleryOptions BuildFixture::DesignOptions(const QString &design) const
{
    GalleryOptions o;
    o.PagePath = Page("index.html");
    o.WebPage1.DefaultPage = 0;
    o.WebPage1.PersonnalizedPagePath = QStringLiteral(GALLORIM_TEST_DATA "/pagegen/") + design;
    return o;
}

void BuildFixture::AddImage(const QString &name, const QString &dims, const QString &thumbDims,
                            const QString &comment, const ImageOptionBlock &block)
{
    ImageEntry e;
    e.Path = Site() + "img/" + name;
    QFile f(e.Path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("image bytes of ") + name.toUtf8());
    f.close();
    e.Comment = comment;
    e.ImageDimensions = dims;
    e.ImageSizeText = "1.00 ko";
    e.ImageBytes = 1024;
    if (!thumbDims.isEmpty()) {
        e.ThumbnailDimensions = thumbDims;
        e.ThumbnailSizeText = "0.50 ko";
        e.ThumbnailBytes = 512;
    }
    e.Options = block;
    ASSERT_GE(m_doc->InsertEntry(e, QString(), QString(), false), 0);
}

int BuildFixture::RunGallery(const GalleryOptions &options, const BuildEnvironment &env)
{
    m_doc->SetOptions(options);
    m_doc->SetSink(&m_sink);
    m_doc->SignalStartBuild();
    return BuildGalleryThread(*m_doc, env);
}

QByteArray BuildFixture::ReadFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing file>");
}

namespace {

// Written out here, accents as entities, so that neither the resource loader
// nor the page encoders fill in their own expectation.
constexpr char kCredit[] =
    "<p style=\"font-family:arial,sans-serif;font-size:x-small;color:#FFFFFF\">Cette page a "
    "&eacute;t&eacute; g&eacute;n&eacute;r&eacute;e par <a href=\"https://www.vorlex.com/gallorim/\" "
    "style=\"color:#FFFFFF\" onmouseover=\"this.style.color='#119BD5'\" "
    "onmouseout=\"this.style.color='#FFFFFF'\">Vorlex Gallorim v3</a></p>\n";

// The scripts as the build assembled them, read as bytes: they are ASCII, so
// a page holds them unchanged in either encoding.
QByteArray AssembledScript(int id)
{
    QFile file(QStringLiteral(GALLORIM_BINARY_DIR "/pagegen/resources/%1.html").arg(id));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << "resource " << id;
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80 && c != '\r'; }))
        << "resource " << id << " is no longer plain ASCII";
    return bytes;
}

} // namespace

QByteArray BuildFixture::Golden(const QString &file)
{
    QByteArray bytes = ReadFile(QStringLiteral(GALLORIM_TEST_DATA "/pagegen/") + file);
    bytes.replace("@@CREDIT@@", kCredit);
    for (int id : {162, 164, 191})
        bytes.replace(QByteArray("@@RESOURCE ") + QByteArray::number(id) + "@@", AssembledScript(id));
    return bytes;
}

std::vector<std::string> ZipNames(const QString &path)
{
    std::vector<std::string> names;
    int error = 0;
    zip_t *z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!z)
        return names;
    for (zip_int64_t i = 0; i < zip_get_num_entries(z, 0); ++i)
        names.emplace_back(zip_get_name(z, i, 0));
    zip_discard(z);
    return names;
}
