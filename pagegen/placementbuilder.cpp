#include "pagegen/placementbuilder.h"

#include "document/fullsizecopy.h"
#include "document/gallerydocument.h"
#include "document/notifycodes.h"
#include "document/thumbnailpath.h"
#include "pagegen/buildgallerythread.h"
#include "pagegen/firstscreen.h"
#include "pagegen/htmlencoding.h"
#include "pagegen/imagemarkup.h"
#include "pagegen/pagefile.h"
#include "pagegen/pagelinks.h"
#include "pagegen/imagelines.h"
#include "pagegen/pagevariables.h"
#include "pagegen/templatetags.h"

#include <QFile>
#include <algorithm>
#include <climits>
#include <memory>

namespace {

constexpr int kPlacementScript = 163;
constexpr int kClickLinkOpening = 171;
constexpr int kPictureName = 172;
constexpr int kHeaderPage = 173;
constexpr int kFramesetPage = 174;
// Colours come out of the variables as "#RRGGBB"; after "0x" they must be a number.
QString FixHexColors(QString text)
{
    return text.replace(QLatin1String("0x#"), QLatin1String("0x"));
}

QString SizeAttributes(const QString &dimensions)
{
    const qsizetype x = dimensions.indexOf(QLatin1Char('x'));
    if (x <= 0 || x == dimensions.size() - 1)
        return {};
    return QStringLiteral(" width=%1 height=%2").arg(dimensions.left(x), dimensions.mid(x + 1));
}

class PlacementBuilder {
public:
    PlacementBuilder(GalleryDocument &doc, BuildScope &scope, std::function<int()> viewNumber)
        : m_doc(doc), m_scope(scope), m_viewNumber(std::move(viewNumber)), m_options(doc.GetOptions())
    {
    }
    int Run();

private:
    // False when stopped.
    bool WriteBody();
    bool WriteLayoutPage(int p);
    void WriteImage(int i);
    void EndLastLine();
    void WriteHeader();
    void WriteMain();
    void RemovePages();

    void WritePageText(const QString &text) { m_body->Write(EncodeAccents(m_vars.ReplacePageVariables(text))); }
    void WriteImageText(const QString &text) { m_body->Write(EncodeAccents(m_vars.ExpandImageSection(text))); }

    GalleryDocument &m_doc;
    BuildScope &m_scope;
    std::function<int()> m_viewNumber;
    const GalleryOptions m_options;
    PlacementPagePaths m_paths;
    int m_count = 0;
    PageLayout m_layout;
    PageDesign m_design;
    PageVariables m_vars;
    std::unique_ptr<PageFile> m_body;
    int m_counter = 0;     // images written on the current layout page
    int m_lastWritten = 0; // 1-based index of the last image written
    FirstScreen m_firstScreen{1};
    bool m_firstLayoutPage = true; // later layout pages lie below the first screen
};

int PlacementBuilder::Run()
{
    m_count = m_doc.GetEntryCount();
    m_layout = ComputePageLayout(m_count, m_options.WebPage2.NbImageOnOneLine, m_options.WebPage2.NbLineOnOnePage);
    if (!LoadPageDesign(m_options.WebPage1.DefaultPage != 0, m_options.WebPage1.PersonnalizedPagePath, m_design)) {
        m_doc.PostNotify(NOTIFY_ERROR, BUILD_ERROR_TEMPLATE);
        return kBuildTemplateRejected;
    }
    const QString firstImage = m_doc.GetPath(0);
    if (firstImage.isEmpty()) {
        // No image to place: the pages would land in whatever folder is current.
        m_doc.PostNotify(NOTIFY_ERROR, BUILD_ERROR_WRITE);
        return 0;
    }
    m_paths = PlacementPagesFor(firstImage);
    bool done = false;
    try {
        done = WriteBody();
        if (done) {
            WriteHeader();
            WriteMain();
        }
    } catch (const std::exception &) {
        m_doc.PostNotify(NOTIFY_ERROR, BUILD_ERROR_WRITE);
        done = false;
    }
    if (!done) {
        m_body.reset();
        RemovePages();
        return 0;
    }
    m_doc.PostNotify(NOTIFY_PLACEMENT_READY, 0);
    return 0;
}

bool PlacementBuilder::WriteBody()
{
    if (m_scope.ShouldStop())
        return false;
    m_body = std::make_unique<PageFile>(m_paths.body, m_design.encoding);
    m_vars.SetPage(&m_options, m_count, m_paths.body, 1);
    WritePageText(m_design.Head());
    const int view = m_viewNumber ? m_viewNumber() : 0;
    QString script = FixHexColors(m_vars.ReplacePageVariables(LoadHtmlResource(kPlacementScript)));
    script.replace(QLatin1String("?$$VIEW_MSG$$?"), QString::number(kPlacementMessage));
    script.replace(QLatin1String("?$$VIEW$$?"), QString::number(view));
    m_body->Write(script);
    for (int p = 0; p < m_layout.pages; ++p)
        if (!WriteLayoutPage(p))
            return false;
    WritePageText(LoadHtmlResource(170));
    WritePageText(m_design.Tail());
    m_body->Close();
    m_body.reset();
    return true;
}

bool PlacementBuilder::WriteLayoutPage(int p)
{
    m_vars.SetPage(&m_options, m_count, m_paths.body, p + 1);
    WritePageText(m_design.Section(BEFORE_FIRST_IMAGE));
    const qint64 first = qint64(p) * m_layout.perPage;
    const qint64 end = std::min<qint64>(first + m_layout.perPage, m_count);
    m_counter = 0;
    m_firstScreen = FirstScreen(m_layout.perLine);
    m_firstLayoutPage = p == 0;
    for (qint64 i = first; i < end; ++i) {
        if (m_scope.ShouldStop())
            return false;
        WriteImage(int(i));
    }
    EndLastLine();
    m_vars.SetImage(nullptr, 0);
    m_vars.ExpandComment(QString());
    WritePageText(m_design.Section(AFTER_LAST_IMAGE));
    return true;
}

void PlacementBuilder::WriteImage(int i)
{
    ImageEntry entry;
    QString thumbnail = EntryForPage(m_doc, i, m_options.BuildVignette, entry);
    if (thumbnail == entry.Path && !entry.Path.isEmpty()) {
        // No thumbnail: the picture itself, as the browser can show it.
        std::uint32_t failure = 0;
        thumbnail = FullSizeImage(entry.Path, m_options.BuildVignette, &failure);
        if (failure != 0)
            m_doc.PostNotify(NOTIFY_ERROR, failure);
    }
    m_vars.SetImage(&entry, i + 1);
    m_vars.ExpandComment(entry.Comment);
    const int perLine = m_layout.perLine;
    if (m_counter % perLine == 0)
        WriteImageText(m_design.Section(BEFORE_EACH_LINE_OF_IMAGE));
    WriteImageText(m_design.Section(BEFORE_EACH_IMAGE));
    if (!entry.Path.isEmpty()) {
        const EffectiveImageSettings s = EffectiveSettings(m_options, entry.Options);
        // Always relative to the body file: the page is opened from the disk.
        const QString link = UrlSafeLink(RelativeFolder(m_paths.body, thumbnail, 0) + FileNameOf(thumbnail));
        WriteImageText(LoadHtmlResource(kClickLinkOpening));
        QString img = QLatin1String("<img src=\"") + link + QLatin1Char('"') + SizeAttributes(entry.ThumbnailDimensions);
        if (m_design.builtIn && !(m_firstScreen.Place(entry.ThumbnailDimensions, s.borderSize) && m_firstLayoutPage))
            img += QLatin1String(" loading=\"lazy\"");
        QString border = QStringLiteral(" border=%1").arg(s.borderSize);
        if (s.borderSize != 0)
            border += QLatin1String(" style=\"border-color:?$VORLEX_VARIABLE_BORDERCOLOR\"");
        m_body->Write(img + m_vars.ReplacePageVariables(border));
        WriteImageText(LoadHtmlResource(kPictureName));
        m_body->Write(QStringLiteral("></a>"));
    }
    WriteImageText(m_design.Section(AFTER_EACH_IMAGE));
    if ((m_counter + 1) % perLine == 0)
        WriteImageText(m_design.Section(AFTER_EACH_LINE_OF_IMAGE));
    ++m_counter;
    m_lastWritten = i + 1;
    m_doc.PostNotify(NOTIFY_PROGRESS, i);
}

void PlacementBuilder::EndLastLine()
{
    EndLastImageLine(m_layout, m_options.WebPage2.EndLastLine != 0, m_design, m_counter, m_lastWritten, m_vars,
                     [this](const QString &text) { WriteImageText(text); });
}

void PlacementBuilder::WriteHeader()
{
    PageFile header(m_paths.header, PageEncoding::Utf8);
    header.Write(FixHexColors(m_vars.ReplacePageVariables(LoadHtmlResource(kHeaderPage))));
    header.Close();
}

void PlacementBuilder::WriteMain()
{
    QString text = LoadHtmlResource(kFramesetPage);
    // File names, escaped so that a "#" or "?" in a photo's name cannot cut the link.
    text.replace(QLatin1String("??$HEADER_PATH$??"), UrlSafeLink(FileNameOf(m_paths.header)));
    text.replace(QLatin1String("??$BODY_PATH$??"), UrlSafeLink(FileNameOf(m_paths.body)));
    PageFile main(m_paths.main, PageEncoding::Utf8);
    main.Write(text);
    main.Close();
}

void PlacementBuilder::RemovePages()
{
    for (const QString &path : {m_paths.body, m_paths.header, m_paths.main})
        if (!path.isEmpty() && QFile::exists(path))
            QFile::remove(path);
}

} // namespace

PlacementPagePaths PlacementPagesFor(const QString &firstImagePath)
{
    return {firstImagePath + kPlacementBodySuffix, firstImagePath + kPlacementHeaderSuffix,
            firstImagePath + kPlacementMainSuffix};
}

PlacementPagePaths PlacementPagesFromMain(const QString &mainPath)
{
    if (!mainPath.endsWith(kPlacementMainSuffix, Qt::CaseInsensitive))
        return {};
    return PlacementPagesFor(mainPath.left(mainPath.size() - kPlacementMainSuffix.size()));
}

int BuildPlacementThread(GalleryDocument &doc, const std::function<int()> &viewNumber)
{
    BuildScope scope(doc);
    if (!scope.WaitForStart())
        return kBuildStoppedWhileWaiting;
    PlacementBuilder builder(doc, scope, viewNumber);
    return builder.Run();
}
