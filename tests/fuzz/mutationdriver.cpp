// Drives the fuzz entry point without libFuzzer: seeds written by the program
// itself, then a fixed pseudo-random sequence of byte mutations for a given
// number of seconds (`--write-seeds DIR` writes the seeds for libFuzzer's
// corpus). The sequence is the same on every run; only its length
// depends on the machine's speed.
#include "document/projectfile.h"

#include <QBuffer>
#include <QFile>
#include <QtEndian>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <unistd.h>
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace {
QByteArray Seed(const GalleryOptions &options, const ImageList &images)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteProject(buffer, options, images);
    return buffer.data();
}

std::vector<QByteArray> Seeds()
{
    ImageEntry all;
    all.Path = QString::fromUtf8("/photos/été/東京.jpg");
    all.Comment = QString(300, QLatin1Char('c'));
    all.Options.Flags = 0x3FF;
    all.Options.PopupWidth = 640;
    all.Options.BorderColor = 0xABCDEF;
    ImageEntry popup;
    popup.Path = "/a.jpg";
    popup.Options.Flags = 0x044;
    GalleryOptions options;
    options.PagePath = "/www/index.html";
    options.WebPage1.PageTitle = QString::fromUtf8("Vacances d'été");
    const QByteArray olderFormat = QByteArray("VORL\x17Gallorim Save File Data\x02\0\0\0", 32)
        + QByteArray("\x05/a.jp\x03" "abc\x04/b.j\0", 16);
    return {Seed(GalleryOptions(), {}), Seed(options, {all, popup}), olderFormat};
}

// Values that sit on the edges of the length and count rules.
constexpr std::uint32_t kEdges[] = {0, 1, 0xFE, 0xFF, 0xFFFE, 0xFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};

void Mutate(QByteArray &data, std::mt19937 &random)
{
    auto pick = [&random](qsizetype n) { return qsizetype(random() % std::uint32_t(std::max<qsizetype>(n, 1))); };
    switch (random() % 6) {
    case 0:
        if (!data.isEmpty())
            data[pick(data.size())] ^= char(1u << (random() % 8));
        break;
    case 1:
        if (!data.isEmpty())
            data[pick(data.size())] = char(kEdges[random() % std::size(kEdges)]);
        break;
    case 2:
        data.insert(pick(data.size() + 1), char(random()));
        break;
    case 3:
        data.remove(pick(data.size()), 1 + pick(8));
        break;
    case 4:
        data.truncate(pick(data.size() + 1));
        break;
    default:
        if (data.size() >= 4) {
            const qsizetype at = pick(data.size() - 3);
            qToLittleEndian<std::uint32_t>(kEdges[random() % std::size(kEdges)], data.data() + at);
        }
        break;
    }
}

// A forged length or count must never turn into a large allocation: cap the
// address space a little above what the process uses before fuzzing.
void LimitMemory()
{
#ifdef Q_OS_LINUX
    long pages = 0;
    if (FILE *statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld", &pages) != 1)
            pages = 0;
        std::fclose(statm);
    }
    const rlim_t limit = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + (rlim_t(512) << 20);
    rlimit r{limit, limit};
    setrlimit(RLIMIT_AS, &r);
#endif
}
} // namespace

int main(int argc, char **argv)
{
    if (argc > 2 && QByteArrayView(argv[1]) == "--write-seeds") {
        int n = 0;
        for (const QByteArray &seed : Seeds()) {
            QFile file(QString::fromLocal8Bit(argv[2]) + QStringLiteral("/seed%1.glr").arg(++n));
            if (!file.open(QIODevice::WriteOnly) || file.write(seed) != seed.size())
                return 1;
        }
        return 0;
    }
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60.0;
    const std::vector<QByteArray> seeds = Seeds();
    LimitMemory();
    std::mt19937 random(20040307);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    long runs = 0;
    while (std::chrono::steady_clock::now() < end) {
        for (int i = 0; i < 256; ++i, ++runs) {
            QByteArray input = seeds[random() % seeds.size()];
            const int steps = 1 + int(random() % 8);
            for (int s = 0; s < steps; ++s)
                Mutate(input, random);
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(input.constData()), size_t(input.size()));
        }
    }
    std::printf("project reader: %ld inputs in %.0f s, no failure\n", runs, seconds);
    return 0;
}
