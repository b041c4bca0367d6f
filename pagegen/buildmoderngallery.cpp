#include "pagegen/buildmoderngallery.h"

#include "document/fullsizecopy.h"
#include "document/gallerydocument.h"
#include "document/notifycodes.h"
#include "document/thumbnailpath.h"
#include "pagegen/gallerynavigation.h"
#include "pagegen/imagelines.h"
#include "pagegen/imagemarkup.h"
#include "pagegen/modernmarkup.h"
#include "pagegen/modernphoto.h"
#include "pagegen/modernphotopage.h"
#include "pagegen/pagefile.h"
#include "pagegen/pagelinks.h"
#include "pagegen/photopagenames.h"
#include "pagegen/templatetags.h"
#include "pagegen/ziparchive.h"
#include "platform/filehead.h"
#include "platform/folderlisting.h"

#include <QDir>
#include <algorithm>
#include <atomic>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

namespace {

constexpr int kModernIndexDesign = 200;
constexpr int kModernPhotoDesign = 201;
constexpr int kModernStyle = 202;
constexpr int kModernScript = 203;

QSize ParseDimensions(const QString &text)
{
    const qsizetype x = text.indexOf(QLatin1Char('x'));
    return x < 0 ? QSize() : QSize(text.left(x).toInt(), text.mid(x + 1).toInt());
}

QString OwnerOfPage(const QString &path)
{
    QByteArray start;
    return ReadFileHead(path, 2048, &start) ? PhotoPageOwnerIn(start) : QString();
}

// One read of at most one byte more than the page: a longer file differs.
bool HoldsAlready(const QString &path, const QByteArray &bytes)
{
    QByteArray existing;
    return ReadFileHead(path, bytes.size() + 1, &existing) && existing == bytes;
}

class ModernBuilder {
public:
    ModernBuilder(GalleryDocument &doc, BuildScope &scope, const BuildEnvironment &env)
        : m_doc(doc), m_scope(scope), m_env(env), m_options(doc.GetOptions())
    {
    }
    int Run();

private:
    void Fail(int flag)
    {
        m_success = false;
        m_doc.PostNotify(NOTIFY_ERROR, flag);
    }
    bool PreparePhotos();
    void PrepareCopies(ModernPhoto &photo);
    void NamePages();
    void TestZip();
    void WriteIndexPage(int p);
    QString GridItem(int i, int position, int eager, const QString &pagePath) const;
    QString ScreenSrcset(const ModernPhoto &photo, const QString &pagePath) const;
    enum class Outcome { Done, Stopped, Failed };
    template <typename Work> Outcome OnEveryCore(int first, int end, const Work &work) const;
    bool Settle(Outcome outcome);
    void WritePhotoPages();
    void WritePhotoPage(int i, PageVariables &vars) const;
    QString PhotoDetails(const ModernPhoto &photo, const QString &pagePath, int p) const;
    QString Link(const QString &from, const QString &to) const { return ModernLink(m_options, from, to); }
    QString PhotoPagePath(int i) const { return m_folder + m_photos[i].pageName + QLatin1String(".html"); }
    int PageOf(int i) const { return m_layout.perPage > 0 ? i / m_layout.perPage : 0; }

    GalleryDocument &m_doc;
    BuildScope &m_scope;
    const BuildEnvironment &m_env;
    const GalleryOptions m_options;
    PageLayout m_layout;
    PageDesign m_design;
    QString m_photoDesign;
    QString m_colors;
    QString m_folder;
    QString m_zipBase;
    std::vector<ModernPhoto> m_photos;
    FolderListing m_existing; // the copies and photo pages already there
    std::vector<PageNames> m_pages;
    PageVariables m_vars;
    std::unique_ptr<ZipArchive> m_zip;
    bool m_success = true;
};

int ModernBuilder::Run()
{
    m_photoDesign = LoadHtmlResource(kModernPhotoDesign);
    if (!ParsePageDesign(LoadHtmlResource(kModernIndexDesign), m_design) || m_photoDesign.isEmpty()) {
        m_doc.PostNotify(NOTIFY_ERROR, BUILD_ERROR_TEMPLATE);
        return 170;
    }
    m_design.builtIn = true;
    // Styles and script go in after the variables: nothing there is for them to read.
    m_colors = ModernColorStyle(m_options.WebPage1) + QLatin1String("\n<style>") + LoadHtmlResource(kModernStyle)
        + QLatin1String("</style>");
    m_folder = PhotoPagesFolder(m_options.PagePath);
    const int count = m_doc.GetEntryCount();
    m_layout = ComputePageLayout(count, m_options.WebPage2.NbImageOnOneLine, m_options.WebPage2.NbLineOnOnePage);
    if (m_options.Links.ZipLink)
        TestZip();
    try {
        if (!PreparePhotos())
            return 0;
        NamePages();
        CreateFolders(m_folder);
        QString previous;
        for (int p = 0; p < m_layout.pages; ++p) {
            m_pages.push_back(NamesOfPage(m_options.PagePath, m_zipBase, p, m_layout, previous));
            previous = m_pages.back().page;
        }
        for (int p = 0; p < m_layout.pages && m_success; ++p)
            WriteIndexPage(p);
        if (m_success)
            WritePhotoPages();
    } catch (const std::exception &) {
        Fail(BUILD_ERROR_WRITE);
    }
    if (m_zip) {
        try {
            m_zip->Close(0, false);
        } catch (const std::exception &) {
            m_zip->CloseFileAfterTestFailed();
        }
    }
    if (m_success && !m_pages.empty())
        OpenBuiltPage(m_env, m_options.PagePath);
    return 0;
}

void ModernBuilder::TestZip()
{
    m_zipBase = WritableZipBase(m_options.PagePath, m_options.Links.ZipName);
    if (m_zipBase.isEmpty())
        Fail(BUILD_ERROR_ZIP_CREATE);
}

bool ModernBuilder::PreparePhotos()
{
    const int count = m_doc.GetEntryCount();
    m_photos.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        if (m_scope.ShouldStop()) {
            m_success = false;
            return false;
        }
        ModernPhoto photo;
        photo.thumbnail = EntryForPage(m_doc, i, m_options.BuildVignette, photo.entry);
        if (photo.entry.Path.isEmpty())
            continue; // removed meanwhile
        std::uint32_t failure = 0;
        photo.image = FullSizeImage(photo.entry.Path, m_options.BuildVignette, &failure);
        if (failure != 0)
            m_doc.PostNotify(NOTIFY_ERROR, failure);
        photo.size = ParseDimensions(photo.entry.ImageDimensions);
        PrepareCopies(photo);
        m_photos.push_back(std::move(photo));
    }
    return true;
}

// Copies missing (an older gallery, a deleted file) are made here; a photo
// whose copies cannot be made shows its thumbnail and its full-size file.
void ModernBuilder::PrepareCopies(ModernPhoto &photo)
{
    const BuildVignetteOptions &o = m_options.BuildVignette;
    bool png = false;
    const QString thumbnail = ThumbnailPath(photo.entry.Path, o.PreSuffixe, o.WithPrefixe);
    const auto exists = [this](const QString &path) { return m_existing.HasFile(path); };
    if (!ModernCopiesExist(thumbnail, photo.size, &png, exists)) {
        const QString source = photo.image != photo.entry.Path ? photo.image : QString();
        const ModernCopyResult made = MakeModernCopies(photo.entry.Path, source, o);
        if (made.failure != 0) {
            m_doc.PostNotify(NOTIFY_ERROR, made.failure);
            return;
        }
        photo.size = made.photo;
        png = made.seeThrough;
    }
    photo.copySizes = ModernCopySizes(photo.size);
    for (int c = 0; c < MODERN_COPY_COUNT; ++c)
        if (photo.copySizes[c].isValid())
            photo.copies[c] = ModernCopyBeside(thumbnail, ModernCopy(c), png);
}

void ModernBuilder::NamePages()
{
    QStringList keys;
    const QString probe = m_folder + QLatin1String("p.html");
    for (const ModernPhoto &photo : m_photos)
        keys << RelativeFolder(probe, photo.entry.Path, 0) + FileNameOf(photo.entry.Path);
    keys = UniquePhotoKeys(keys);
    const QStringList names = AssignPhotoPageNames(keys, [this](const QString &name) {
        const QString path = m_folder + name + QLatin1String(".html");
        return m_existing.HasFile(path) ? OwnerOfPage(path) : QString();
    });
    for (size_t i = 0; i < m_photos.size(); ++i) {
        m_photos[i].pageName = names[qsizetype(i)];
        m_photos[i].key = keys[qsizetype(i)];
    }
}

void ModernBuilder::WriteIndexPage(int p)
{
    if (m_scope.ShouldStop()) {
        m_success = false;
        return;
    }
    const PageNames &names = m_pages[size_t(p)];
    const int count = int(m_photos.size());
    m_vars.SetPage(&m_options, count, names.page, p + 1);
    CreateFolders(FolderOf(names.page));
    const NavigationValues nav = ComposeNavigation(m_design, names, m_layout.pagination,
                                                   [&](const QString &file) { return Link(names.page, file); });
    m_vars.SetValue(VAR_INSERT_ZIP_LINK, nav.zip);
    m_vars.SetValue(VAR_INSERT_PREVIOUS_LINK, nav.previous);
    m_vars.SetValue(VAR_INSERT_NEXT_LINK, nav.next);
    PageFile page(names.page, PageEncoding::Utf8);
    if (!names.zip.isEmpty()) {
        CreateFolders(FolderOf(names.zip));
        m_zip = std::make_unique<ZipArchive>();
        m_zip->Open(names.zip, ZipArchive::zipCreate, 0);
    }
    const QString slideshow = m_options.SlideshowPagePath.isEmpty()
        ? QString()
        : QStringLiteral("<a class=\"show\" href=\"%1\">Diaporama</a>").arg(Link(names.page, m_options.SlideshowPagePath));
    QString head = m_vars.ReplacePageVariables(m_design.Head());
    head.replace(QLatin1String("?$MODERN_COLORS"), m_colors).replace(QLatin1String("?$MODERN_SLIDESHOW"), slideshow);
    page.Write(head);
    page.Write(m_vars.ReplacePageVariables(m_design.Section(BEFORE_FIRST_IMAGE)));
    const int first = p * std::max(m_layout.perPage, 1);
    const int end = std::min(count, first + std::max(m_layout.perPage, 1));
    std::vector<double> ratios;
    for (int i = first; i < end; ++i) {
        const QSize g = m_photos[size_t(i)].copySizes[MODERN_GRID_1X];
        ratios.push_back(g.isValid() && g.height() > 0 ? double(g.width()) / g.height() : 1.5);
    }
    const int eager = ModernFirstScreenCount(ratios);
    // Each photo's caption and grid markup are composed on every core; the
    // page and its zip are then written in order.
    std::vector<QString> items(size_t(end - first));
    const Outcome composed = OnEveryCore(first, end, [&](int i, PageVariables &vars) {
        ModernPhoto &photo = m_photos[size_t(i)];
        vars.SetImage(&photo.entry, i + 1);
        photo.caption = vars.ExpandComment(photo.entry.Comment);
        items[size_t(i - first)] = GridItem(i, i - first, eager, names.page);
    });
    if (!Settle(composed))
        return;
    for (int i = first; i < end; ++i) {
        if (m_scope.ShouldStop()) {
            m_success = false;
            return;
        }
        const ModernPhoto &photo = m_photos[size_t(i)];
        page.Write(items[size_t(i - first)]);
        if (m_zip) {
            QString name = ZipEntryName(RelativeFolder(names.zip, photo.entry.Path, 0), FileNameOf(photo.entry.Path));
            if (photo.image != photo.entry.Path)
                name += QLatin1String(".jpg");
            if (!m_zip->AddNewFile(photo.image, name, 5, ZipArchive::zipsmSafeSmart, 65536))
                m_doc.PostNotify(NOTIFY_ERROR, BUILD_ERROR_ZIP_ADD);
        }
        m_doc.PostNotify(NOTIFY_PROGRESS, i);
    }
    if (m_zip) {
        m_zip->Close(0, false);
        m_zip.reset();
        m_vars.SetValue(VAR_ZIP_SIZE, SizeText(names.zip));
    }
    m_vars.SetImage(nullptr, 0);
    m_vars.ExpandComment(QString());
    page.Write(m_vars.ReplacePageVariables(m_design.Section(AFTER_LAST_IMAGE)));
    QString tail = m_vars.ReplacePageVariables(m_design.Tail());
    page.Write(tail.replace(QLatin1String("?$MODERN_SCRIPT"), LoadHtmlResource(kModernScript)));
    page.Close();
}

QString ModernBuilder::GridItem(int i, int position, int eager, const QString &pagePath) const
{
    const ModernPhoto &photo = m_photos[size_t(i)];
    ModernGridItem item;
    item.pageLink = Link(pagePath, PhotoPagePath(i));
    item.id = QLatin1String("p-") + photo.pageName;
    item.fullLink = Link(pagePath, photo.image);
    item.fullSize = photo.size;
    item.alt = PhotoAltText(photo.caption, FileNameOf(photo.entry.Path));
    item.caption = photo.caption;
    item.position = position;
    item.eagerCount = eager;
    if (photo.copies[MODERN_GRID_1X].isEmpty()) {
        // No copies: the thumbnail stands for the grid, the photo for the screen.
        item.grid1x = Link(pagePath, photo.thumbnail);
        item.grid2x = item.fullLink;
        item.gridSize = ParseDimensions(photo.entry.ThumbnailDimensions);
        item.screenSrcset = item.fullLink + QStringLiteral(" %1w").arg(photo.size.width());
        item.screenSize = photo.size;
        return ModernGridMarkup(item);
    }
    item.grid1x = Link(pagePath, photo.copies[MODERN_GRID_1X]);
    item.grid2x = Link(pagePath, photo.copies[MODERN_GRID_2X]);
    item.gridSize = photo.copySizes[MODERN_GRID_1X];
    item.screenSrcset = ScreenSrcset(photo, pagePath);
    item.screenSize = photo.copySizes[MODERN_SCREEN_2048].isValid() ? photo.copySizes[MODERN_SCREEN_2048]
                                                                     : photo.copySizes[MODERN_SCREEN_1024];
    return ModernGridMarkup(item);
}

QString ModernBuilder::ScreenSrcset(const ModernPhoto &photo, const QString &pagePath) const
{
    if (photo.copies[MODERN_SCREEN_1024].isEmpty())
        return Link(pagePath, photo.image) + QStringLiteral(" %1w").arg(photo.size.width());
    QString set = Link(pagePath, photo.copies[MODERN_SCREEN_1024])
        + QStringLiteral(" %1w").arg(photo.copySizes[MODERN_SCREEN_1024].width());
    if (!photo.copies[MODERN_SCREEN_2048].isEmpty())
        set += QStringLiteral(", ") + Link(pagePath, photo.copies[MODERN_SCREEN_2048])
            + QStringLiteral(" %1w").arg(photo.copySizes[MODERN_SCREEN_2048].width());
    return set;
}

// Runs `work` for each index of [first, end) on every core, each thread with
// its own copy of the variable set.
template <typename Work> ModernBuilder::Outcome ModernBuilder::OnEveryCore(int first, int end, const Work &work) const
{
    const int threads = std::clamp(int(std::thread::hardware_concurrency()), 1, std::max(1, (end - first) / 16));
    std::atomic<int> next{first};
    std::atomic<bool> stopped{false};
    std::atomic<bool> failed{false};
    const auto run = [&] {
        PageVariables vars = m_vars;
        try {
            for (int i = next++; i < end && !stopped && !failed; i = next++) {
                if (m_scope.ShouldStop()) {
                    stopped = true;
                    break;
                }
                work(i, vars);
            }
        } catch (const std::exception &) {
            failed = true;
        }
    };
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t) {
        try {
            helpers.emplace_back(run);
        } catch (const std::system_error &) {
            break; // no thread to spare: this one does the rest
        }
    }
    run();
    for (std::thread &helper : helpers)
        helper.join();
    return failed ? Outcome::Failed : stopped ? Outcome::Stopped : Outcome::Done;
}

// The photo pages are independent of each other: they are composed, compared
// and written on every core.
void ModernBuilder::WritePhotoPages()
{
    Settle(OnEveryCore(0, int(m_photos.size()), [this](int i, PageVariables &vars) { WritePhotoPage(i, vars); }));
}

// False, with the build marked failed, when the work was stopped or a page
// could not be written.
bool ModernBuilder::Settle(Outcome outcome)
{
    if (outcome == Outcome::Stopped)
        m_success = false;
    else if (outcome == Outcome::Failed)
        Fail(BUILD_ERROR_WRITE);
    return outcome == Outcome::Done;
}

void ModernBuilder::WritePhotoPage(int i, PageVariables &vars) const
{
    const ModernPhoto &photo = m_photos[size_t(i)];
    const QString path = PhotoPagePath(i);
    const int p = PageOf(i);
    vars.SetPage(&m_options, int(m_photos.size()), path, p + 1);
    vars.SetImage(&photo.entry, i + 1);
    vars.ExpandComment(photo.entry.Comment);
    const QString indexPage = m_pages[size_t(p)].page;

    ModernPhotoPageParts parts;
    parts.owner = PhotoPageOwnerMarker(photo.key);
    parts.colors = m_colors;
    const QString plain = PlainText(photo.caption);
    parts.title = plain.isEmpty() ? PhotoAltText(QString(), FileNameOf(photo.entry.Path)) : HtmlText(plain);
    parts.description = HtmlText(QStringLiteral("Photo %1 sur %2 de la galerie « %3 »")
                                     .arg(QString::number(i + 1), QString::number(m_photos.size()),
                                          PlainText(m_options.WebPage1.PageTitle)))
        + (plain.isEmpty() ? QString() : QLatin1String(" : ") + HtmlText(plain));
    if (i > 0)
        parts.previous = PhotoNavLink(Link(path, PhotoPagePath(i - 1)), QStringLiteral("‹ Précédente"), QStringLiteral("prev"));
    else
        parts.previous = PhotoNavLink(QString(), QString());
    parts.back = PhotoNavLink(Link(path, indexPage) + QLatin1String("#p-") + photo.pageName,
                              QStringLiteral("Toutes les photos"));
    parts.next = PhotoNavLink(i + 1 < int(m_photos.size()) ? Link(path, PhotoPagePath(i + 1)) : QString(),
                              QStringLiteral("Suivante ›"), QStringLiteral("next"));
    const QSize shown = photo.copySizes[MODERN_SCREEN_1024].isValid() && !photo.copies[MODERN_SCREEN_1024].isEmpty()
        ? photo.copySizes[MODERN_SCREEN_1024]
        : photo.size;
    const QString src = photo.copies[MODERN_SCREEN_1024].isEmpty() ? Link(path, photo.image)
                                                                   : Link(path, photo.copies[MODERN_SCREEN_1024]);
    parts.picture = QStringLiteral("<img src=\"%1\" srcset=\"%2\" sizes=\"%3\" width=\"%4\" height=\"%5\" "
                                   "style=\"--r:%6\" alt=\"%7\" fetchpriority=\"high\">")
                        .arg(src, ScreenSrcset(photo, path), ScreenSizes(shown), QString::number(shown.width()),
                             QString::number(shown.height()),
                             QString::number(shown.height() > 0 ? double(shown.width()) / shown.height() : 1.0, 'f', 4),
                             PhotoAltText(photo.caption, FileNameOf(photo.entry.Path)));
    parts.caption = photo.caption;
    parts.details = PhotoDetails(photo, path, p);
    const QString text = ModernPhotoPage(vars.ExpandImageSection(m_photoDesign), parts);
    // A rebuild leaves an unchanged page alone: rewriting thousands of them costs
    // far more than reading them (truncating a file can wait on the disk).
    if (HoldsAlready(path, EncodePageText(text, PageEncoding::Utf8)))
        return;
    PageFile page(path, PageEncoding::Utf8);
    page.Write(text);
    page.Close();
}

// Camera line, the original and the page's zip, as the document's options allow.
QString ModernBuilder::PhotoDetails(const ModernPhoto &photo, const QString &pagePath, int p) const
{
    const EffectiveImageSettings s = EffectiveSettings(m_options, photo.entry.Options);
    QString details;
    const QString camera = CameraLine(photo.entry.Camera);
    if (!camera.isEmpty() && !s.noTooltipInPopups)
        details += QStringLiteral("<p class=\"exif\">%1</p>\n").arg(camera);
    QStringList links;
    if (m_options.Links.IsLink)
        links << QStringLiteral("<a href=\"%1\" download>Télécharger l’original (%2, %3)</a>")
                     .arg(Link(pagePath, photo.image), HtmlText(photo.entry.ImageDimensions),
                          HtmlText(photo.entry.ImageSizeText));
    const QString zip = m_pages[size_t(p)].zip;
    if (!zip.isEmpty())
        links << QStringLiteral("<a href=\"%1\">Télécharger les photos de la page %2 (zip, %3)</a>")
                     .arg(Link(pagePath, zip), QString::number(p + 1), HtmlText(SizeText(zip)));
    if (!links.isEmpty())
        details += QStringLiteral("<p class=\"files\">%1</p>\n").arg(links.join(QStringLiteral("<br>")));
    return details;
}

} // namespace

QString PhotoPagesFolder(const QString &pagePath)
{
    QString name = FileNameOf(pagePath);
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0)
        name.truncate(dot);
    return FolderOf(pagePath) + PhotoPageSlug(name) + QLatin1String("-photos") + QDir::separator();
}

QString ModernLink(const GalleryOptions &options, const QString &fromPage, const QString &target)
{
    QString link = FileLink(options, fromPage, target);
    return link.replace(QLatin1Char(' '), QLatin1String("%20"))
        .replace(QLatin1Char(','), QLatin1String("%2C"))
        .replace(QLatin1Char('<'), QLatin1String("%3C"))
        .replace(QLatin1Char('>'), QLatin1String("%3E"));
}

int BuildModernGallery(GalleryDocument &doc, BuildScope &scope, const BuildEnvironment &env)
{
    ModernBuilder builder(doc, scope, env);
    return builder.Run();
}
