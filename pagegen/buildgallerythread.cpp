#include "pagegen/buildgallerythread.h"

#include "document/fullsizecopy.h"
#include "document/gallerydocument.h"
#include "document/notifycodes.h"
#include "document/thumbnailpath.h"
#include "pagegen/buildmoderngallery.h"
#include "pagegen/imagelines.h"
#include "pagegen/pagevariables.h"
#include "pagegen/ziparchive.h"
#include "pagegen/firstscreen.h"
#include "pagegen/gallerynavigation.h"
#include "pagegen/imagemarkup.h"
#include "pagegen/pagefile.h"
#include "pagegen/pagelinks.h"
#include "pagegen/templatetags.h"

#include <algorithm>
#include <memory>

namespace {

// A damaged images-per-line limit must not make a page of billions of empty cells.
class GalleryBuilder {
public:
    GalleryBuilder(GalleryDocument &doc, BuildScope &scope, const BuildEnvironment &env)
        : m_doc(doc), m_scope(scope), m_env(env), m_options(doc.GetOptions())
    {
    }
    int Run();

private:
    void TestZip();
    void WritePages();
    bool WritePage(int p);
    void PreparePage(int p);
    void OpenPageFiles();
    void ScanPage();
    void WriteImages();
    void WriteImage(int i);
    QString FullSizeImage(const QString &path);
    void AddToZip(const QString &photo, const QString &file);
    void ClosePageZip();
    void EndLastLine();
    void WriteFooter();
    void CloseLeftovers();

    void WritePageText(const QString &text) { m_page->Write(EncodeAccents(m_vars.ReplacePageVariables(text))); }
    void WriteImageText(const QString &text) { m_page->Write(EncodeAccents(m_vars.ExpandImageSection(text))); }
    QString LinkTo(const QString &target) const { return FileLink(m_options, m_names.page, target); }
    void Fail(int flag)
    {
        m_success = false;
        m_doc.PostNotify(NOTIFY_ERROR, flag);
    }

    GalleryDocument &m_doc;
    BuildScope &m_scope;
    const BuildEnvironment &m_env;
    const GalleryOptions m_options;
    int m_count = 0;
    PageLayout m_layout;
    PageDesign m_design;
    QString m_zipBase;
    PageVariables m_vars;
    PageNames m_names;
    QString m_previousPage;
    std::unique_ptr<PageFile> m_page;
    std::unique_ptr<ZipArchive> m_zip;
    bool m_success = true;
    int m_pagesWritten = 0;
    qint64 m_first = 0, m_end = 0; // image range of the current page
    int m_counter = 0;             // images written on the current page
    FirstScreen m_firstScreen{1};  // which thumbnails of the page load before any scrolling
    int m_lastWritten = 0;         // 1-based index of the last image written
    bool m_usesPopup = false, m_usesTooltips = false;
};

int GalleryBuilder::Run()
{
    m_count = m_doc.GetEntryCount();
    m_layout = ComputePageLayout(m_count, m_options.WebPage2.NbImageOnOneLine, m_options.WebPage2.NbLineOnOnePage);
    // The design is checked before the zip test so that a rejected design leaves nothing on disk.
    if (!LoadPageDesign(m_options.WebPage1.DefaultPage != 0, m_options.WebPage1.PersonnalizedPagePath, m_design)) {
        m_doc.PostNotify(NOTIFY_ERROR, BUILD_ERROR_TEMPLATE);
        return kBuildTemplateRejected;
    }
    if (m_options.Links.ZipLink)
        TestZip();
    WritePages();
    CloseLeftovers();
    if (m_success && m_pagesWritten > 0)
        OpenBuiltPage(m_env, m_options.PagePath);
    return 0;
}

void GalleryBuilder::TestZip()
{
    m_zipBase = WritableZipBase(m_options.PagePath, m_options.Links.ZipName);
    if (m_zipBase.isEmpty())
        Fail(BUILD_ERROR_ZIP_CREATE);
}

void GalleryBuilder::WritePages()
{
    for (int p = 0; p < m_layout.pages; ++p) {
        try {
            if (!WritePage(p))
                return;
        } catch (const std::exception &) {
            Fail(BUILD_ERROR_WRITE);
            return;
        }
    }
}

// False when a stop was seen before the page was opened.
bool GalleryBuilder::WritePage(int p)
{
    if (m_scope.ShouldStop()) {
        m_success = false;
        return false;
    }
    PreparePage(p);
    if (m_scope.ShouldStop()) {
        m_success = false;
        return false;
    }
    OpenPageFiles();
    m_page->Write(EncodeAccents(m_vars.ReplacePageVariables(m_design.Head())));
    ScanPage();
    if (m_usesPopup) {
        m_page->Write(LoadHtmlResource(m_options.WebPage1.ProtectImage ? 194 : 162));
        if (m_options.Links.SpecialPopupLink)
            m_page->Write(LoadHtmlResource(191));
    }
    if (m_usesTooltips)
        m_page->Write(LoadHtmlResource(164));
    WritePageText(m_design.Section(BEFORE_FIRST_IMAGE));
    WriteImages();
    ClosePageZip();
    EndLastLine();
    WriteFooter();
    m_page->Close();
    m_page.reset();
    m_previousPage = m_names.page;
    ++m_pagesWritten;
    return true;
}

void GalleryBuilder::PreparePage(int p)
{
    m_names = NamesOfPage(m_options.PagePath, m_zipBase, p, m_layout, m_previousPage);
    m_vars.SetPage(&m_options, m_count, m_names.page, p + 1);
    CreateFolders(FolderOf(m_names.page));
    if (!m_names.zip.isEmpty())
        CreateFolders(FolderOf(m_names.zip));
    const NavigationValues nav = ComposeNavigation(m_design, m_names, m_layout.pagination,
                                                   [this](const QString &file) { return LinkTo(file); });
    m_vars.SetValue(VAR_INSERT_ZIP_LINK, nav.zip);
    m_vars.SetValue(VAR_INSERT_PREVIOUS_LINK, nav.previous);
    m_vars.SetValue(VAR_INSERT_NEXT_LINK, nav.next);
    m_first = qint64(p) * m_layout.perPage;
    m_end = std::min<qint64>(m_first + m_layout.perPage, m_count);
    m_counter = 0;
    m_firstScreen = FirstScreen(m_layout.perLine);
}

void GalleryBuilder::OpenPageFiles()
{
    m_page = std::make_unique<PageFile>(m_names.page, m_design.encoding);
    if (!m_names.zip.isEmpty()) {
        m_zip = std::make_unique<ZipArchive>();
        m_zip->Open(m_names.zip, ZipArchive::zipCreate, 0);
    }
}

void GalleryBuilder::ScanPage()
{
    m_usesPopup = m_usesTooltips = false;
    for (qint64 i = m_first; i < m_end && !(m_usesPopup && m_usesTooltips); ++i) {
        if (m_scope.ShouldStop()) {
            m_success = false;
            return;
        }
        ImageEntry entry;
        m_doc.GetEntry(int(i), entry);
        const EffectiveImageSettings s = EffectiveSettings(m_options, entry.Options);
        m_usesPopup = m_usesPopup || IsPopupLinkType(s.linkType);
        m_usesTooltips = m_usesTooltips || s.toolTipType == 1;
    }
}

void GalleryBuilder::WriteImages()
{
    for (qint64 i = m_first; i < m_end; ++i) {
        if (m_scope.ShouldStop()) {
            m_success = false;
            return;
        }
        WriteImage(int(i));
    }
}

void GalleryBuilder::WriteImage(int i)
{
    ImageEntry entry;
    const QString thumbnail = EntryForPage(m_doc, i, m_options.BuildVignette, entry);
    m_vars.SetImage(&entry, i + 1);
    const QString comment = m_vars.ExpandComment(entry.Comment);
    const int perLine = m_layout.perLine;
    if (m_counter % perLine == 0)
        WriteImageText(m_design.Section(BEFORE_EACH_LINE_OF_IMAGE));
    WriteImageText(m_design.Section(BEFORE_EACH_IMAGE));
    if (!entry.Path.isEmpty()) {
        // The entry's path already is its on-disk form, and so is a copy named after it:
        // no second look at the disk per image.
        const QString image = FullSizeImage(entry.Path);
        const EffectiveImageSettings settings = EffectiveSettings(m_options, entry.Options);
        ImageMarkupInput input{LinkTo(image), LinkTo(thumbnail == entry.Path ? image : thumbnail),
                               entry.ImageDimensions, entry.ThumbnailDimensions, comment};
        input.lazy = m_design.builtIn && !m_firstScreen.Place(entry.ThumbnailDimensions, settings.borderSize);
        m_page->Write(ImageMarkup(m_options, settings, input, m_vars));
        AddToZip(entry.Path, image);
    }
    WriteImageText(m_design.Section(AFTER_EACH_IMAGE));
    if ((m_counter + 1) % perLine == 0)
        WriteImageText(m_design.Section(AFTER_EACH_LINE_OF_IMAGE));
    ++m_counter;
    m_lastWritten = i + 1;
    m_doc.PostNotify(NOTIFY_PROGRESS, i);
}

QString GalleryBuilder::FullSizeImage(const QString &path)
{
    std::uint32_t failure = 0;
    const QString image = ::FullSizeImage(path, m_options.BuildVignette, &failure);
    if (failure != 0)
        m_doc.PostNotify(NOTIFY_ERROR, failure);
    return image;
}

// A JPEG copy goes in where its photo would, named after it with ".jpg" added.
void GalleryBuilder::AddToZip(const QString &photo, const QString &file)
{
    if (!m_zip)
        return;
    QString name = ZipEntryName(RelativeFolder(m_names.zip, photo, 0), FileNameOf(photo));
    if (file != photo)
        name += QLatin1String(".jpg");
    if (!m_zip->AddNewFile(file, name, 5, ZipArchive::zipsmSafeSmart, 65536))
        m_doc.PostNotify(NOTIFY_ERROR, BUILD_ERROR_ZIP_ADD);
}

void GalleryBuilder::ClosePageZip()
{
    if (!m_zip)
        return;
    m_zip->Close(0, false);
    m_zip.reset();
    m_vars.SetValue(VAR_ZIP_SIZE, SizeText(m_names.zip));
}

void GalleryBuilder::EndLastLine()
{
    EndLastImageLine(m_layout, m_options.WebPage2.EndLastLine != 0, m_design, m_counter, m_lastWritten, m_vars,
                     [this](const QString &text) { WriteImageText(text); });
}

void GalleryBuilder::WriteFooter()
{
    m_vars.SetImage(nullptr, 0);
    m_vars.ExpandComment(QString());
    WritePageText(m_design.Section(AFTER_LAST_IMAGE));
    WritePageText(LoadHtmlResource(170));
    WritePageText(m_design.Tail());
}

void GalleryBuilder::CloseLeftovers()
{
    m_page.reset(); // closes without reporting
    if (m_zip) {
        try {
            m_zip->Close(0, false);
        } catch (const std::exception &) {
            m_zip->CloseFileAfterTestFailed();
        }
        m_zip.reset();
    }
}

} // namespace

int BuildGalleryThread(GalleryDocument &doc, const BuildEnvironment &env)
{
    BuildScope scope(doc);
    if (!scope.WaitForStart())
        return kBuildStoppedWhileWaiting;
    if (doc.GetOptions().WebPage1.UsesModernPage())
        return BuildModernGallery(doc, scope, env);
    GalleryBuilder builder(doc, scope, env);
    return builder.Run();
}
