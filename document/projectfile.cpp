#include "projectfile.h"

#include "archivereader.h"
#include "archivewriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

namespace {
constexpr int kMagic = 0x4C524F56; // "VORL" read as a little-endian int32
const QString kHeaderV3 = QStringLiteral("Gallorim V3 Save File Data");
const QString kHeaderV1 = QStringLiteral("Gallorim Save File Data");

// Other copies of the program split these relative values at "\\".
QString StoredRelativePath(const QString &native)
{
    QString s = native;
    return s.replace(QLatin1Char('/'), QLatin1Char('\\'));
}

bool ReadPath(ArchiveReader &in, QString *path)
{
    QString stored;
    if (!in.ReadString(&stored))
        return false;
    *path = NativeProjectPath(stored);
    return true;
}

// Values written by StoredRelativePath: every "\\" is a separator.
bool ReadRelativePath(ArchiveReader &in, QString *path)
{
    QString stored;
    if (!in.ReadString(&stored))
        return false;
    *path = QDir::toNativeSeparators(stored.replace(QLatin1Char('\\'), QLatin1Char('/')));
    return true;
}

bool ReadColor(ArchiveReader &in, COLORREF *color)
{
    int value = 0;
    if (!in.ReadInt(&value))
        return false;
    *color = static_cast<COLORREF>(value);
    return true;
}

void SkipReserved(ArchiveReader &in, int strings, int ints)
{
    for (int i = 0; i < strings; ++i)
        in.SkipString();
    for (int i = 0; i < ints; ++i)
        in.SkipInt();
}

void WriteReserved(ArchiveWriter &out, int strings, int ints)
{
    for (int i = 0; i < strings; ++i)
        out.WriteString(QString());
    for (int i = 0; i < ints; ++i)
        out.WriteInt(0);
}

void ReadWebPage1(ArchiveReader &in, WebPage1Options &o)
{
    in.ReadString(&o.PageTitle);
    in.ReadInt(&o.DefaultPage);
    ReadPath(in, &o.PersonnalizedPagePath);
    ReadColor(in, &o.BackgroundColor);
    ReadColor(in, &o.TextColor);
    ReadColor(in, &o.Link);
    ReadColor(in, &o.BorderColor);
    ReadPath(in, &o.BackgroundImagePath);
    SkipReserved(in, 2, 0);
    in.ReadInt(&o.ProtectImage);
    // The first reserved word holds the built-in design; older copies write 0 there.
    in.ReadInt(&o.ModernPage);
    SkipReserved(in, 0, 2);
}

void WriteWebPage1(ArchiveWriter &out, const WebPage1Options &o)
{
    out.WriteString(o.PageTitle);
    out.WriteInt(o.DefaultPage);
    out.WriteString(o.PersonnalizedPagePath);
    out.WriteInt(int(o.BackgroundColor));
    out.WriteInt(int(o.TextColor));
    out.WriteInt(int(o.Link));
    out.WriteInt(int(o.BorderColor));
    out.WriteString(o.BackgroundImagePath);
    WriteReserved(out, 2, 0);
    out.WriteInt(o.ProtectImage);
    out.WriteInt(o.ModernPage);
    WriteReserved(out, 0, 2);
}

void ReadWebPage2(ArchiveReader &in, WebPage2Options &o)
{
    in.ReadInt(&o.NbImageOnOneLine);
    in.ReadInt(&o.NbLineOnOnePage);
    in.ReadInt(&o.BorderSize);
    in.ReadInt(&o.ToolTipType);
    in.ReadInt(&o.RootRelativePath);
    ReadPath(in, &o.RootPath);
    in.ReadInt(&o.EndLastLine);
    SkipReserved(in, 2, 0);
    in.ReadInt(&o.NoTooltipInPopups);
    in.ReadInt(&o.CommentUnderImage);
    SkipReserved(in, 0, 2);
}

void WriteWebPage2(ArchiveWriter &out, const WebPage2Options &o)
{
    out.WriteInt(o.NbImageOnOneLine);
    out.WriteInt(o.NbLineOnOnePage);
    out.WriteInt(o.BorderSize);
    out.WriteInt(o.ToolTipType);
    out.WriteInt(o.RootRelativePath);
    out.WriteString(o.RootPath);
    out.WriteInt(o.EndLastLine);
    WriteReserved(out, 2, 0);
    out.WriteInt(o.NoTooltipInPopups);
    out.WriteInt(o.CommentUnderImage);
    WriteReserved(out, 0, 2);
}

void ReadLinks(ArchiveReader &in, LinksOptions &o)
{
    in.ReadInt(&o.IsLink);
    in.ReadInt(&o.LinkType);
    in.ReadInt(&o.WindowAutoSize);
    in.ReadInt(&o.WindowFixedSize.cx);
    in.ReadInt(&o.WindowFixedSize.cy);
    in.ReadInt(&o.AdapImageSize);
    in.ReadInt(&o.AllowFullSize);
    in.ReadInt(&o.ZipLink);
    ReadRelativePath(in, &o.ZipName);
    ReadColor(in, &o.PopupBgColor);
    SkipReserved(in, 2, 0);
    in.ReadInt(&o.SpecialPopupLink);
    SkipReserved(in, 0, 3);
}

void WriteLinks(ArchiveWriter &out, const LinksOptions &o)
{
    out.WriteInt(o.IsLink);
    out.WriteInt(o.LinkType);
    out.WriteInt(o.WindowAutoSize);
    out.WriteInt(o.WindowFixedSize.cx);
    out.WriteInt(o.WindowFixedSize.cy);
    out.WriteInt(o.AdapImageSize);
    out.WriteInt(o.AllowFullSize);
    out.WriteInt(o.ZipLink);
    out.WriteString(StoredRelativePath(o.ZipName));
    out.WriteInt(int(o.PopupBgColor));
    WriteReserved(out, 2, 0);
    out.WriteInt(o.SpecialPopupLink);
    WriteReserved(out, 0, 3);
}

void ReadBuildVignette(ArchiveReader &in, BuildVignetteOptions &o)
{
    in.ReadInt(&o.WithPrefixe);
    ReadRelativePath(in, &o.PreSuffixe);
    in.ReadInt(&o.RejectFileWithVignetteName);
    in.ReadInt(&o.IfDoNotExistAction);
    in.ReadInt(&o.IsPercentSize);
    in.ReadInt(&o.PercentSize);
    in.ReadInt(&o.FixedSize.cx);
    in.ReadInt(&o.FixedSize.cy);
    ReadColor(in, &o.BackgroundColor);
    in.ReadInt(&o.JpegQuality);
    SkipReserved(in, 2, 0);
    int side = 0;
    if (in.ReadInt(&side))
        o.SmallestBiggestSize = side == 0 ? 128 : side;
    SkipReserved(in, 0, 3);
}

void WriteBuildVignette(ArchiveWriter &out, const BuildVignetteOptions &o)
{
    out.WriteInt(o.WithPrefixe);
    out.WriteString(StoredRelativePath(o.PreSuffixe));
    out.WriteInt(o.RejectFileWithVignetteName);
    out.WriteInt(o.IfDoNotExistAction);
    out.WriteInt(o.IsPercentSize);
    out.WriteInt(o.PercentSize);
    out.WriteInt(o.FixedSize.cx);
    out.WriteInt(o.FixedSize.cy);
    out.WriteInt(int(o.BackgroundColor));
    out.WriteInt(o.JpegQuality);
    WriteReserved(out, 2, 0);
    out.WriteInt(o.SmallestBiggestSize);
    WriteReserved(out, 0, 3);
}

void ReadSlideshow(ArchiveReader &in, DiaporamaOptions &o, const DiaporamaOptions &defaults)
{
    int speed = 0;
    if (!in.ReadInt(&speed))
        return;
    if (speed == 0)
        o = defaults;
    else
        o.Speed = speed;
    int switches = 0;
    if (!in.ReadInt(&switches))
        return;
    o.CloseOrBack = switches & 0xF;
    o.AutoOrUser = (switches >> 4) & 0xF;
    o.NoLoop = (switches >> 8) & 0xF;
    o.Random = (switches >> 16) & 0xF;
    int size = 0;
    if (!in.ReadInt(&size))
        return;
    const auto bits = static_cast<quint32>(size);
    o.VignetteDiapoSizeMode = int(bits >> 30);
    o.VignetteDiapoSizeWidth = int((bits >> 15) & 0x7FFF);
    o.VignetteDiapoSizeHeight = int(bits & 0x7FFF);
    if (o.VignetteDiapoSizeWidth == 0)
        o.VignetteDiapoSizeWidth = 128;
    if (o.VignetteDiapoSizeHeight == 0)
        o.VignetteDiapoSizeHeight = 96;
    in.SkipInt();
}

void WriteSlideshow(ArchiveWriter &out, const DiaporamaOptions &o)
{
    out.WriteInt(o.Speed);
    // Not masked: other copies write the switches this way.
    out.WriteInt(o.CloseOrBack | (o.AutoOrUser << 4) | (o.NoLoop << 8) | (o.Random << 16));
    const quint32 size = (quint32(o.VignetteDiapoSizeMode) << 30)
        | ((quint32(o.VignetteDiapoSizeWidth) & 0x7FFF) << 15) | (quint32(o.VignetteDiapoSizeHeight) & 0x7FFF);
    out.WriteInt(int(size));
    out.WriteInt(0);
}

// The flagged values in file order: flag bit, then the fields it carries.
template <typename Block, typename Visit>
void ForEachFlaggedValue(Block &block, Visit visit)
{
    const std::uint32_t flags = block.Flags;
    if (flags & IMGOPT_TOOLTIP_TYPE)
        visit(block.ToolTipType);
    if (flags & IMGOPT_LINK_TYPE)
        visit(block.LinkType);
    if (flags & IMGOPT_POPUP_FIXED_SIZE) {
        visit(block.PopupWidth);
        visit(block.PopupHeight);
    }
    if (flags & IMGOPT_BORDER_SIZE)
        visit(block.BorderSize);
    if (flags & IMGOPT_BORDER_COLOR)
        visit(block.BorderColor);
    if (flags & IMGOPT_POPUP_AUTO_SIZE)
        visit(block.PopupAutoSize);
    if (flags & IMGOPT_POPUP_IMAGE_SIZE) {
        visit(block.AdaptImageSize);
        visit(block.AllowFullSize);
    }
    if (flags & IMGOPT_POPUP_BG_COLOR)
        visit(block.PopupBgColor);
    if (flags & IMGOPT_NO_TOOLTIP_IN_POPUP)
        visit(block.NoTooltipInPopups);
    if (flags & IMGOPT_COMMENT_UNDER_IMAGE)
        visit(block.CommentUnderImage);
}

bool ReadImage(ArchiveReader &in, ImageEntry *image)
{
    ImageEntry record;
    ReadPath(in, &record.Path);
    in.ReadString(&record.Comment);
    int flags = 0;
    if (in.ReadInt(&flags))
        record.Options.Flags = static_cast<std::uint32_t>(flags);
    ForEachFlaggedValue(record.Options, [&in](auto &field) {
        int value = 0;
        if (in.ReadInt(&value))
            field = static_cast<std::remove_reference_t<decltype(field)>>(value);
    });
    if (!in.ok())
        return false;
    *image = std::move(record);
    return true;
}

void WriteImage(ArchiveWriter &out, const ImageEntry &image)
{
    out.WriteString(image.Path);
    out.WriteString(image.Comment);
    out.WriteInt(static_cast<int>(image.Options.Flags));
    ForEachFlaggedValue(image.Options, [&out](const auto &field) { out.WriteInt(int(field)); });
}

// Records are handed on one by one as they are read: the count is not trusted
// for any allocation, so a forged count only makes the reading stop at the end.
bool ReadImages(ArchiveReader &in, ProjectContents &result, bool withOptions, const ProjectImageSink &sink)
{
    int count = 0;
    if (!in.ReadInt(&count) || count < 0)
        return false;
    for (int i = 0; i < count; ++i) {
        ImageEntry image;
        if (withOptions) {
            if (!ReadImage(in, &image))
                return false;
        } else {
            ReadPath(in, &image.Path);
            in.ReadString(&image.Comment);
            if (!in.ok())
                return false;
        }
        if (sink)
            sink(std::move(image));
        else
            result.images.push_back(std::move(image));
    }
    return true;
}
} // namespace

QString NativeProjectPath(const QString &stored)
{
#ifndef Q_OS_WIN
    // Already a path of this system, whose backslashes belong to file names.
    if (stored.startsWith(QLatin1Char('/')))
        return stored;
#endif
    QString path = stored;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::toNativeSeparators(path);
}

ProjectFormat ReadProjectHeader(QIODevice &device)
{
    ArchiveReader in(device);
    int magic = 0;
    QString header;
    if (!in.ReadInt(&magic) || magic != kMagic || !in.ReadString(&header, kHeaderV3.size()))
        return ProjectFormat::NotAProject;
    if (header == kHeaderV3)
        return ProjectFormat::V3;
    if (header == kHeaderV1)
        return ProjectFormat::V1;
    return ProjectFormat::NotAProject;
}

ProjectFormat ReadProjectHeader(const QByteArray &head)
{
    // Nearly every file a folder scan meets is no project: its first four
    // bytes say so without a reader.
    if (head.size() < 4 || qFromLittleEndian<qint32>(head.constData()) != kMagic)
        return ProjectFormat::NotAProject;
    QBuffer buffer;
    buffer.setData(head);
    if (!buffer.open(QIODevice::ReadOnly))
        return ProjectFormat::NotAProject;
    return ReadProjectHeader(buffer);
}

ProjectFormat ProjectFileFormat(const QString &path)
{
    // Opening a pipe would wait for a writer that may never come.
    if (!QFileInfo(path).isFile())
        return ProjectFormat::NotAProject;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ProjectFormat::NotAProject;
    return ReadProjectHeader(file);
}

ProjectContents ReadProjectV3(QIODevice &device, const GalleryOptions &current,
                              const DiaporamaOptions &slideshowDefaults, const ProjectImageSink &sink)
{
    ProjectContents result;
    result.options = current;
    GalleryOptions &o = result.options;
    ArchiveReader in(device);
    ReadPath(in, &o.PagePath);
    ReadWebPage1(in, o.WebPage1);
    ReadWebPage2(in, o.WebPage2);
    ReadLinks(in, o.Links);
    ReadBuildVignette(in, o.BuildVignette);
    ReadPath(in, &o.SlideshowPagePath);
    in.SkipString();
    ReadSlideshow(in, o.Diaporama, slideshowDefaults);
    result.complete = ReadImages(in, result, true, sink);
    return result;
}

ProjectContents ReadProjectV1(QIODevice &device, const GalleryOptions &current, const ProjectImageSink &sink)
{
    ProjectContents result;
    result.options = current;
    ArchiveReader in(device);
    result.complete = ReadImages(in, result, false, sink);
    return result;
}

bool WriteProject(QIODevice &device, const GalleryOptions &options, const ImageList &images)
{
    ArchiveWriter out(device);
    out.WriteInt(kMagic);
    out.WriteString(kHeaderV3);
    out.WriteString(options.PagePath);
    WriteWebPage1(out, options.WebPage1);
    WriteWebPage2(out, options.WebPage2);
    WriteLinks(out, options.Links);
    WriteBuildVignette(out, options.BuildVignette);
    out.WriteString(options.SlideshowPagePath);
    out.WriteString(QString());
    WriteSlideshow(out, options.Diaporama);
    out.WriteInt(int(images.size()));
    for (const ImageEntry &image : images) {
        WriteImage(out, image);
        if (!out.ok())
            break;
    }
    return out.ok();
}

bool SaveProjectFile(const QString &path, const GalleryOptions &options, const ImageList &images)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!WriteProject(file, options, images)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
