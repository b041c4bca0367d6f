#include "pagegen/buildslideshowthread.h"

#include "document/fullsizecopy.h"
#include "document/gallerydocument.h"
#include "document/notifycodes.h"
#include "document/thumbnailpath.h"
#include "pagegen/buildgallerythread.h"
#include "pagegen/pagevariables.h"
#include "pagegen/imagemarkup.h"
#include "pagegen/pagefile.h"
#include "pagegen/pagelinks.h"
#include "pagegen/templatetags.h"

#include <QFile>
#include <algorithm>
#include <memory>

namespace {

// The bubble part of a picture record: "comment',mode" for the three tooltip kinds.
QString BubbleArgs(int type, const QString &comment)
{
    if (type == 0)
        return EscapeSlideshowClassicComment(comment) + QLatin1String("',1");
    if (type == 1)
        return EscapeScriptTooltip(comment) + QLatin1String("',2");
    return QStringLiteral("',0");
}

QString HighResArgs(const GalleryOptions &o, const EffectiveImageSettings &s, const QString &imageLink,
                    const QString &imageDimensions, const QString &comment)
{
    if (!o.Links.IsLink)
        return QStringLiteral("'',1,0,0,0,0,0,0,'','',0");
    QString out = QLatin1Char('\'') + EscapePopupPath(imageLink) + QLatin1String("',");
    if (s.linkType == 1)
        return out + QLatin1String("1,0,0,0,0,0,0,'','',0,''");
    if (!IsPopupLinkType(s.linkType))
        return out + QLatin1String("0,0,0,0,0,0,0,'','',0,''");
    out += QLatin1Char('2') + PopupSizeAndColorArgs(s, imageDimensions);
    switch (PopupCommentMode(s)) {
    case 2: return out + QLatin1String(",2,'") + EscapePopupBubbleComment(comment) + QLatin1Char('\'');
    case 3: return out + QLatin1String(",3,''");
    case 1: return out + QLatin1String(",1,''");
    default: return out + QLatin1String(",0,''");
    }
}

struct DiapoSize {
    int width = 0, height = 0;
};

DiapoSize LargestThumbnail(const ImageList &entries)
{
    DiapoSize size;
    for (const ImageEntry &e : entries) {
        const QString dims = e.ThumbnailDimensions.isEmpty() ? e.ImageDimensions : e.ThumbnailDimensions;
        const qsizetype x = dims.indexOf(QLatin1Char('x'));
        if (x < 0)
            continue;
        size.width = std::max(size.width, dims.left(x).toInt());
        size.height = std::max(size.height, dims.mid(x + 1).toInt());
    }
    return size;
}

} // namespace

int SlideshowDesignId(const GalleryOptions &o, bool thumbnails)
{
    const DiaporamaOptions &d = o.Diaporama;
    if (thumbnails)
        return o.WebPage1.ProtectImage ? 193 : 192;
    if (d.AutoOrUser == 1)
        return 188;
    return d.Random ? 198 : 185;
}

QString ImageSlideshowLine(const GalleryOptions &o, const QString &pagePath, int n, const ImageEntry &entry,
                           const QString &comment)
{
    const EffectiveImageSettings s = EffectiveSettings(o, entry.Options);
    const int type = s.noTooltipInPopups ? 2 : s.toolTipType;
    const QString line = QStringLiteral("image_data_array[%1] = new image_data('").arg(n)
                         + EscapeScriptPath(FileLink(o, pagePath, entry.Path)) + QLatin1String("',")
                         + DimensionArgs(entry.ImageDimensions) + QLatin1String(",'") + BubbleArgs(type, comment)
                         + QLatin1String(");\n");
    return GuardScriptElementText(line);
}

QString ThumbnailSlideshowLine(const GalleryOptions &o, const QString &pagePath, int n, const ImageEntry &entry,
                               const QString &thumbnailPath, const QString &comment)
{
    const EffectiveImageSettings s = EffectiveSettings(o, entry.Options);
    QString line = QStringLiteral("image_data_array[%1] = new image_data('").arg(n)
                   + EscapeScriptPath(FileLink(o, pagePath, thumbnailPath)) + QLatin1String("',")
                   + DimensionArgs(entry.ThumbnailDimensions) + QLatin1String(",'")
                   + BubbleArgs(s.toolTipType, comment) + QLatin1Char(',');
    line += HighResArgs(o, s, FileLink(o, pagePath, entry.Path), entry.ImageDimensions, comment)
            + QLatin1String(");\n");
    return GuardScriptElementText(line);
}

namespace {

class SlideshowBuilder {
public:
    SlideshowBuilder(GalleryDocument &doc, BuildScope &scope, const BuildEnvironment &env, bool thumbnails)
        : m_doc(doc), m_scope(scope), m_env(env), m_thumbnails(thumbnails), m_options(doc.GetOptions()),
          m_path(m_options.SlideshowPagePath)
    {
    }
    int Run();

private:
    QString DesignWithSlideshowValues() const;
    QString Head() const;
    void WriteFile(const PageDesign &design);
    QString PictureLine(int n);

    GalleryDocument &m_doc;
    BuildScope &m_scope;
    const BuildEnvironment &m_env;
    const bool m_thumbnails;
    const GalleryOptions m_options;
    const QString m_path;
    int m_count = 0;
    PageVariables m_vars;
    PageDesign m_design;
    bool m_success = true;
};

int SlideshowBuilder::Run()
{
    m_count = m_doc.GetEntryCount();
    if (!ParsePageDesign(DesignWithSlideshowValues(), m_design)) {
        m_doc.PostNotify(NOTIFY_ERROR, BUILD_ERROR_TEMPLATE);
        return kBuildTemplateRejected;
    }
    m_vars.SetPage(&m_options, m_count, m_path, 1);
    try {
        WriteFile(m_design);
    } catch (const std::exception &) {
        m_success = false;
        m_doc.PostNotify(NOTIFY_ERROR, BUILD_ERROR_WRITE);
    }
    if (!m_success) {
        if (!m_path.isEmpty() && QFile::exists(m_path))
            QFile::remove(m_path);
        return 0;
    }
    OpenBuiltPage(m_env, m_path);
    return kSlideshowBuilt;
}

QString SlideshowBuilder::DesignWithSlideshowValues() const
{
    const DiaporamaOptions &d = m_options.Diaporama;
    QString text = LoadHtmlResource(SlideshowDesignId(m_options, m_thumbnails));
    text.replace(QLatin1String("?$VORLEX_LOOP_DIAPORAMA"), d.NoLoop ? QLatin1String("false") : QLatin1String("true"));
    if (m_thumbnails) {
        const bool link = m_options.Links.IsLink != 0;
        text.replace(QLatin1String("?$VORLEX_IS_LINK_FOR_DIAPORAMA"),
                     link ? QLatin1String("true") : QLatin1String("false"));
        text.replace(QLatin1String("?$VORLEX_STYLE_FOR_LINK_FOR_DIAPORAMA"),
                     link ? LoadHtmlResource(191) : QString());
    } else {
        text.replace(QLatin1String("?$VORLEX_CLOSE_OR_BACK_DIAPORAMA"), LoadHtmlResource(d.CloseOrBack ? 187 : 186));
    }
    return text;
}

QString SlideshowBuilder::Head() const
{
    const DiaporamaOptions &d = m_options.Diaporama;
    QString head = m_vars.ReplacePageVariables(m_design.Head());
    head.replace(QLatin1String("?$VORLEX_VARIABLE_DELAY_DIAPORAMA"), QString::number(d.Speed * 1000 - 1000));
    if (m_thumbnails) {
        int width = d.VignetteDiapoSizeWidth, height = d.VignetteDiapoSizeHeight;
        if (!d.VignetteDiapoSizeMode) {
            const DiapoSize largest = LargestThumbnail(m_doc.CopyEntries());
            width = largest.width + 8;
            height = largest.height + 48;
        }
        head.replace(QLatin1String("?$VORLEX_DIAPO_WIDTH"), QString::number(width));
        head.replace(QLatin1String("?$VORLEX_DIAPO_HEIGHT"), QString::number(height));
    }
    return head;
}

void SlideshowBuilder::WriteFile(const PageDesign &design)
{
    CreateFolders(FolderOf(m_path));
    PageFile file(m_path, PageEncoding::Utf8);
    file.Write(Head());
    for (int n = 0; n < m_count; ++n) {
        if (m_scope.ShouldStop()) {
            m_success = false;
            break;
        }
        file.Write(PictureLine(n));
        m_doc.PostNotify(NOTIFY_PROGRESS, n);
    }
    m_vars.SetImage(nullptr, 0);
    m_vars.ExpandComment(QString());
    file.Write(m_vars.ReplacePageVariables(design.Tail()));
    file.Close();
}

QString SlideshowBuilder::PictureLine(int n)
{
    ImageEntry entry;
    m_doc.GetEntry(n, entry);
    const BuildVignetteOptions &bv = m_options.BuildVignette;
    QString thumbnail = ThumbnailPath(entry.Path, bv.PreSuffixe, bv.WithPrefixe);
    if (entry.ThumbnailDimensions.isEmpty()) {
        entry.ThumbnailDimensions = entry.ImageDimensions;
        entry.ThumbnailSizeText = entry.ImageSizeText;
        thumbnail = entry.Path;
    }
    m_vars.SetImage(&entry, n + 1);
    const QString comment = m_vars.ExpandComment(entry.Comment);
    // The variables above name the photo; the lines link what browsers show.
    std::uint32_t failure = 0;
    const QString image = FullSizeImage(entry.Path, bv, &failure);
    if (failure != 0)
        m_doc.PostNotify(NOTIFY_ERROR, failure);
    if (thumbnail == entry.Path)
        thumbnail = image;
    entry.Path = image;
    return m_thumbnails ? ThumbnailSlideshowLine(m_options, m_path, n, entry, thumbnail, comment)
                        : ImageSlideshowLine(m_options, m_path, n, entry, comment);
}

int RunSlideshow(GalleryDocument &doc, const BuildEnvironment &env, bool thumbnails)
{
    BuildScope scope(doc);
    if (thumbnails && !scope.WaitForStart())
        return kBuildStoppedWhileWaiting;
    SlideshowBuilder builder(doc, scope, env, thumbnails);
    return builder.Run();
}

} // namespace

int BuildSlideshowThread(GalleryDocument &doc, const BuildEnvironment &env)
{
    return RunSlideshow(doc, env, false);
}

int BuildThumbnailSlideshowThread(GalleryDocument &doc, const BuildEnvironment &env)
{
    return RunSlideshow(doc, env, true);
}
