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
        a.error = QStringLiteral("option inconnue %1").arg(name);
        return false;
    }
    if (!ok)
        a.error = QStringLiteral("valeur incorrecte pour %1 : « %2 »").arg(name, value);
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
        if (optionsDone || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            a.files.append(arg);
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsDone = true;
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            a.help = true;
        } else if (!arg.startsWith(QLatin1String("--"))) {
            a.error = QStringLiteral("option inconnue %1").arg(arg);
            return a;
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
            a.error = QStringLiteral("l'option %1 demande une valeur").arg(arg);
            return a;
        }
    }
    if (a.files.isEmpty() && !a.help)
        a.error = QStringLiteral("aucun fichier donné");
    return a;
}

QString ThumbSynopsis()
{
    return QStringLiteral("usage : gallorim-cli thumb [options] FICHIER...");
}

QString ThumbUsage()
{
    return ThumbSynopsis()
        + QStringLiteral("\nFait la vignette de chaque image là où la galerie la chercherait.\n"
                         "  --mode 0..5         0 cadre fixe, 1 pourcentage, 2 plus petit côté,\n"
                         "                      3 plus grand côté, 4 largeur, 5 hauteur (par défaut 1)\n"
                         "  --percent P         pourcentage de la taille de l'image (par défaut 10)\n"
                         "  --box LxH           cadre fixe (par défaut 128x96)\n"
                         "  --side C            côté des modes 2 à 5 (par défaut 128)\n"
                         "  --background RRVVBB couleur des marges (par défaut FFFFFF)\n"
                         "  --quality Q         qualité JPEG, 0..100 (par défaut 85)\n"
                         "  --presuffix TEXTE   préfixe ou suffixe des vignettes (par défaut mini/small_)\n"
                         "  --suffix            TEXTE va après le nom au lieu d'avant\n"
                         "  --jobs N            vignettes faites en même temps (par défaut : une par cœur)\n"
                         "  -h, --help          affiche cette aide\n"
                         "Code de sortie : 0 toutes faites, 1 une vignette a échoué, 2 mauvais usage.\n");
}
