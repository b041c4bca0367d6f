// Drives a fuzz entry point without libFuzzer: `NAME SECONDS CORPUS...` reads
// the seeds from the corpus folders libFuzzer starts from, then feeds a fixed
// pseudo-random sequence of byte mutations of them for that many seconds. The
// sequence is the same on every run; only its length depends on the machine.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>
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
std::vector<QByteArray> Seeds(int count, char **folders)
{
    std::vector<QByteArray> seeds;
    for (int i = 0; i < count; ++i) {
        QDir dir(QString::fromLocal8Bit(folders[i]));
        const QStringList names = dir.entryList(QDir::Files, QDir::Name);
        for (const QString &name : names) {
            QFile file(dir.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                seeds.push_back(file.readAll());
        }
    }
    return seeds;
}

// Values that sit on the edges of the length and count rules.
constexpr std::uint32_t kEdges[] = {0, 1, 0xFE, 0xFF, 0xFFFE, 0xFFFF, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};

// Inputs stay below this so the repeats cannot grow them without end.
constexpr qsizetype kMaxInput = qsizetype(1) << 20;

void Mutate(QByteArray &data, std::mt19937 &random)
{
    auto pick
        = [&random](qsizetype n) { return qsizetype(random() % std::uint32_t(std::max<qsizetype>(n, 1))); };
    switch (random() % 7) {
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
    case 5:
        // A record repeated many times: counts far beyond any seed's.
        if (!data.isEmpty() && data.size() < kMaxInput / 2) {
            const qsizetype at = pick(data.size());
            const QByteArray slice = data.mid(at, 1 + pick(64));
            const qsizetype times = 1 + pick(std::min<qsizetype>(1024, kMaxInput / 2 / slice.size()));
            data.insert(at, slice.repeated(times));
        }
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
    rlimit r {limit, limit};
    setrlimit(RLIMIT_AS, &r);
#endif
}
} // namespace

int main(int argc, char **argv)
{
    const QByteArray name = QFileInfo(QString::fromLocal8Bit(argv[0])).fileName().toLocal8Bit();
    const std::vector<QByteArray> seeds = argc > 2 ? Seeds(argc - 2, argv + 2) : std::vector<QByteArray>();
    if (seeds.empty()) {
        std::fprintf(stderr, "usage: %s SECONDS CORPUS... (no seed found)\n", name.constData());
        return 2;
    }
    const double seconds = std::atof(argv[1]);
    LimitMemory();
    std::mt19937 random(20040307);
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    long runs = 0;
    for (const QByteArray &seed : seeds)
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(seed.constData()), size_t(seed.size()));
    while (std::chrono::steady_clock::now() < end) {
        for (int i = 0; i < 256; ++i, ++runs) {
            QByteArray input = seeds[random() % seeds.size()];
            const int steps = 1 + int(random() % 8);
            for (int s = 0; s < steps; ++s)
                Mutate(input, random);
            LLVMFuzzerTestOneInput(
                reinterpret_cast<const std::uint8_t *>(input.constData()), size_t(input.size()));
        }
    }
    std::printf(
        "%s: %zu seeds, %ld inputs in %.0f s, no failure\n", name.constData(), seeds.size(), runs, seconds);
    return 0;
}
