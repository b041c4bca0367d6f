#include "cli/thumbarguments.h"

#include "document/thumbnailpath.h"

#include <QRegularExpression>

namespace {

bool ReadInt(const QString &text, int low, int high, int &value)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < low || v > high)
        return false;
    value = v;
    return true;
}

bool ReadBox(const QString &text, SizeCxCy &box)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const auto m = form.match(text);
    if (!m.hasMatch() || m.captured(1).toInt() <= 0 || m.captured(2).toInt() <= 0)
        return false;
    box = {m.captured(1).toInt(), m.captured(2).toInt()};
    return true;
}

// RRGGBB as written on a web page; stored as a Windows colour, red low.
bool ReadColour(const QString &text, COLORREF &colour)
{
    static const QRegularExpression form(QStringLiteral("^#?[0-9A-Fa-f]{6}$"));
    if (!form.match(text).hasMatch())
        return false;
    const uint rgb = text.right(6).toUInt(nullptr, 16);
    colour = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    return true;
}

// One option with its value; false with an error when the value is bad.
bool Apply(ThumbArguments &a, const QString &name, const QString &value)
{
    BuildVignetteOptions &o = a.options;
    bool ok = false;
    if (name == QLatin1String("--mode"))
        ok = ReadInt(value, 0, 5, o.IsPercentSize);
    else if (name == QLatin1String("--percent"))
        ok = ReadInt(value, 1, 1000, o.PercentSize);
    else if (name == QLatin1String("--box"))
        ok = ReadBox(value, o.FixedSize);
    else if (name == QLatin1String("--side"))
        ok = ReadInt(value, 1, 65535, o.SmallestBiggestSize);
    else if (name == QLatin1String("--background"))
        ok = ReadColour(value, o.BackgroundColor);
    else if (name == QLatin1String("--quality"))
        ok = ReadInt(value, 0, 100, o.JpegQuality);
    else if (name == QLatin1String("--jobs"))
        ok = ReadInt(value, 1, 256, a.jobs);
    else if (name == QLatin1String("--presuffix")) {
        o.PreSuffixe = NativeSeparators(value);
        ok = !value.isEmpty();
    } else {
        a.error = QStringLiteral("unknown option %1").arg(name);
        return false;
    }
    if (!ok)
        a.error = QStringLiteral("bad value for %1: %2").arg(name, value);
    return ok;
}

} // namespace

ThumbArguments ParseThumbArguments(const QStringList &args, int defaultJobs)
{
    ThumbArguments a;
    a.jobs = defaultJobs > 0 ? defaultJobs : 1;
    bool optionsDone = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args[i];
        if (optionsDone || !arg.startsWith(QLatin1String("--"))) {
            a.files.append(arg);
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsDone = true;
        } else if (arg == QLatin1String("--suffix")) {
            a.options.WithPrefixe = 0;
        } else if (arg.contains(QLatin1Char('='))) {
            const qsizetype eq = arg.indexOf(QLatin1Char('='));
            if (!Apply(a, arg.left(eq), arg.mid(eq + 1)))
                return a;
        } else if (i + 1 < args.size()) {
            if (!Apply(a, arg, args[++i]))
                return a;
        } else {
            a.error = QStringLiteral("%1 needs a value").arg(arg);
            return a;
        }
    }
    if (a.files.isEmpty())
        a.error = QStringLiteral("no file given");
    return a;
}

QString ThumbUsage()
{
    return QStringLiteral("usage: gallorim-cli thumb [options] FILE...\n"
                          "  --mode 0..5       0 fixed box, 1 percentage, 2 smallest side, 3 biggest side,\n"
                          "                    4 width, 5 height (default 1)\n"
                          "  --percent P       percentage of the source size (default 10)\n"
                          "  --box WxH         fixed box (default 128x96)\n"
                          "  --side S          side for modes 2 to 5 (default 128)\n"
                          "  --background RRGGBB  colour of the margins (default FFFFFF)\n"
                          "  --quality Q       JPEG quality 0..100 (default 85)\n"
                          "  --presuffix TEXT  thumbnail prefix or suffix (default mini/small_)\n"
                          "  --suffix          TEXT goes after the name instead of before\n"
                          "  --jobs N          thumbnails built at once (default: number of cores)\n");
}
