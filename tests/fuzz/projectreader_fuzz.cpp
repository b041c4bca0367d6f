// Fuzz entry point of the project reader, for libFuzzer or the mutation driver.
// Besides surviving any input, whatever was read must survive a write and a
// second read unchanged: the writer and the reader agree on every value.
#include "document/projectfile.h"

#include <QBuffer>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
bool SameOptions(const GalleryOptions &a, const GalleryOptions &b)
{
    return a.PagePath == b.PagePath && a.SlideshowPagePath == b.SlideshowPagePath && a.WebPage1 == b.WebPage1
        && a.WebPage2 == b.WebPage2 && a.Links == b.Links && a.BuildVignette == b.BuildVignette
        && a.Diaporama == b.Diaporama;
}

[[noreturn]] void Fail(const char *what)
{
    std::fprintf(stderr, "project reader: %s\n", what);
    std::abort();
}

void CheckRoundTrip(const ProjectContents &read)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    if (!WriteProject(out, read.options, read.images))
        Fail("writing to memory failed");
    QBuffer in;
    in.setData(out.data());
    in.open(QIODevice::ReadOnly);
    if (ReadProjectHeader(in) != ProjectFormat::V3)
        Fail("written header not recognised");
    const ProjectContents again = ReadProjectV3(in, GalleryOptions(), DiaporamaOptions());
    if (!again.complete)
        Fail("written file reads as damaged");
    if (!SameOptions(again.options, read.options))
        Fail("options changed in a round trip");
    if (again.images.size() != read.images.size())
        Fail("image count changed in a round trip");
    for (size_t i = 0; i < read.images.size(); ++i) {
        const ImageEntry &a = again.images[i];
        const ImageEntry &b = read.images[i];
        if (a.Path != b.Path || a.Comment != b.Comment || !(a.Options == b.Options))
            Fail("an image record changed in a round trip");
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    ProjectContents read;
    switch (ReadProjectHeader(buffer)) {
    case ProjectFormat::V3:
        read = ReadProjectV3(buffer, GalleryOptions(), DiaporamaOptions());
        break;
    case ProjectFormat::V1:
        read = ReadProjectV1(buffer, GalleryOptions());
        break;
    case ProjectFormat::NotAProject:
        return 0;
    }
    CheckRoundTrip(read);
    return 0;
}
