#include "cli/buildarguments.h"

#include "document/thumbnailpath.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
using Change = std::function<void(GalleryOptions &)>;

bool ReadInt(const QString &text, int low, int high, int *value)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < low || v > high)
        return false;
    *value = v;
    return true;
}

bool ReadBox(const QString &text, SizeCxCy *box)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
    const auto m = form.match(text);
    if (!m.hasMatch() || m.captured(1).toInt() <= 0 || m.captured(2).toInt() <= 0)
        return false;
    *box = {m.captured(1).toInt(), m.captured(2).toInt()};
    return true;
}

QString Absolute(const QString &path)
{
    return NativeSeparators(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
}

// LinkType values of the link kinds users pick by name.
bool ReadLink(const QString &text, Change *change)
{
    struct Kind {
        const char *name;
        int isLink;
        int linkType;
    };
    static const Kind kinds[] = {
        {"none", 0, -1},
        {"same", 1, MakeLinkType(false, LINK_WINDOW_NORMAL)},
        {"window", 1, MakeLinkType(true, LINK_WINDOW_NORMAL)},
        {"fullscreen", 1, MakeLinkType(true, LINK_WINDOW_FULLSCREEN)},
        {"popup", 1, MakeLinkType(true, LINK_WINDOW_SIZED_POPUP)},
    };
    for (const Kind &k : kinds) {
        if (text == QLatin1String(k.name)) {
            *change = [k](GalleryOptions &o) {
                o.Links.IsLink = k.isLink;
                if (k.linkType >= 0)
                    o.Links.LinkType = k.linkType;
            };
            return true;
        }
    }
    return false;
}

// A count of images per line or lines per page; 0 switches the limit off
// and keeps the stored count for when it is turned back on.
Change CountChange(int WebPage2Options::*field, int count)
{
    return [field, count](GalleryOptions &o) {
        int &stored = o.WebPage2.*field;
        stored = count > 0 ? CountWithSwitch(count, true) : CountWithSwitch(CountValue(stored), false);
        // No limit per line means no pagination either.
        if (field == &WebPage2Options::NbImageOnOneLine && count == 0)
            o.WebPage2.NbLineOnOnePage = CountWithSwitch(CountValue(o.WebPage2.NbLineOnOnePage), false);
    };
}

// Options that take a value. False with `a.error` set when the value is bad.
bool ApplyValued(BuildArguments &a, const QString &name, const QString &value)
{
    int n = 0;
    SizeCxCy box;
    Change change;
    if (name == QLatin1String("-o") || name == QLatin1String("--output"))
        a.page = Absolute(value);
    else if (name == QLatin1String("--slideshow"))
        a.slideshow = Absolute(value);
    else if (name == QLatin1String("--save"))
        a.saveProject = Absolute(value);
    else if (name == QLatin1String("--settings"))
        a.settings = value;
    else if (name == QLatin1String("--jobs") && ReadInt(value, 1, 256, &n))
        a.jobs = n;
    else if (name == QLatin1String("--title"))
        change = [value](GalleryOptions &o) { o.WebPage1.PageTitle = value; };
    else if (name == QLatin1String("--per-line") && ReadInt(value, 0, 1000, &n))
        change = CountChange(&WebPage2Options::NbImageOnOneLine, n);
    else if (name == QLatin1String("--lines") && ReadInt(value, 0, 1000, &n))
        change = CountChange(&WebPage2Options::NbLineOnOnePage, n);
    else if (name == QLatin1String("--mode") && ReadInt(value, 0, 5, &n))
        change = [n](GalleryOptions &o) { o.BuildVignette.IsPercentSize = n; };
    else if (name == QLatin1String("--percent") && ReadInt(value, 1, 100, &n))
        change = [n](GalleryOptions &o) { o.BuildVignette.PercentSize = n; };
    else if (name == QLatin1String("--box") && ReadBox(value, &box))
        change = [box](GalleryOptions &o) { o.BuildVignette.FixedSize = box; };
    else if (name == QLatin1String("--side") && ReadInt(value, 1, 10000, &n))
        change = [n](GalleryOptions &o) { o.BuildVignette.SmallestBiggestSize = n; };
    else if (name == QLatin1String("--quality") && ReadInt(value, 0, 100, &n))
        change = [n](GalleryOptions &o) { o.BuildVignette.JpegQuality = n; };
    else if (name == QLatin1String("--link") && ReadLink(value, &change))
        ;
    else if (name == QLatin1String("--zip") && !value.isEmpty())
        change = [value](GalleryOptions &o) {
            o.Links.ZipLink = 1;
            o.Links.ZipName = NativeSeparators(value);
        };
    else if (name == QLatin1String("--design") && (value == QLatin1String("modern") || value == QLatin1String("classic")))
        // A design file of either name is reached as ./modern.
        change = [modern = value == QLatin1String("modern")](GalleryOptions &o) {
            o.WebPage1.DefaultPage = 1;
            o.WebPage1.ModernPage = modern ? 1 : 0;
        };
    else if (name == QLatin1String("--design") && !value.isEmpty())
        change = [path = Absolute(value)](GalleryOptions &o) {
            o.WebPage1.DefaultPage = 0;
            o.WebPage1.PersonnalizedPagePath = path;
        };
    else if (name == QLatin1String("--root") && !value.isEmpty())
        // Stored with its trailing separator so links are computed from inside it.
        change = [path = Absolute(value) + QDir::separator()](GalleryOptions &o) {
            o.WebPage2.RootRelativePath = 1;
            o.WebPage2.RootPath = path;
        };
    else {
        a.error = QStringLiteral("valeur incorrecte pour %1 : « %2 »").arg(name, value);
        return false;
    }
    if (change)
        a.changes.push_back(std::move(change));
    return true;
}

bool TakesValue(const QString &name)
{
    static const QStringList names = {"-o", "--output", "--slideshow", "--save", "--settings", "--jobs",
                                      "--title", "--per-line", "--lines", "--mode", "--percent", "--box",
                                      "--side", "--quality", "--link", "--zip", "--design", "--root"};
    return names.contains(name);
}
} // namespace

BuildArguments ParseBuildArguments(const QStringList &args)
{
    BuildArguments a;
    bool optionsDone = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        QString arg = args[i];
        if (optionsDone || !arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            a.inputs.append(arg);
            continue;
        }
        QString value;
        bool hasValue = false;
        const qsizetype eq = arg.indexOf(QLatin1Char('='));
        if (arg.startsWith(QLatin1String("--")) && eq > 0) {
            value = arg.mid(eq + 1);
            arg = arg.left(eq);
            hasValue = true;
        }
        if (arg == QLatin1String("--")) {
            optionsDone = true;
        } else if (arg == QLatin1String("--quiet") || arg == QLatin1String("-q")) {
            a.quiet = true;
        } else if (arg == QLatin1String("--no-recursive")) {
            a.recursive = false;
        } else if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            a.help = true;
        } else if (TakesValue(arg)) {
            if (!hasValue) {
                if (i + 1 >= args.size()) {
                    a.error = QStringLiteral("l'option %1 demande une valeur").arg(arg);
                    return a;
                }
                value = args[++i];
            }
            if (!ApplyValued(a, arg, value))
                return a;
        } else {
            a.error = QStringLiteral("option inconnue %1").arg(arg);
            return a;
        }
    }
    if (a.inputs.isEmpty() && !a.help)
        a.error = QStringLiteral("aucune entrée : donnez des images, des dossiers ou un projet .glr");
    return a;
}

void ApplyOptionFlags(const BuildArguments &args, GalleryOptions &options)
{
    for (const auto &change : args.changes)
        change(options);
}

QString BuildSynopsis()
{
    return QStringLiteral("usage : gallorim-cli build [options] ENTRÉE...");
}

QString BuildUsage()
{
    return BuildSynopsis()
        + QStringLiteral(
            "\nFait une galerie complète : vignettes, pages et, sur demande, diaporama et projet.\n"
            "  ENTRÉE               images, dossiers (parcourus avec leurs sous-dossiers)\n"
            "                       ou un projet .glr, dont les options et les images servent\n"
            "  -o, --output PAGE    page de la galerie (par défaut : index.html à côté de la\n"
            "                       première image)\n"
            "  --slideshow PAGE     écrit aussi un diaporama\n"
            "  --save PROJET.glr    enregistre la galerie comme projet\n"
            "  --title TEXTE        titre de la page\n"
            "  --per-line N         images par ligne (0 : toutes sur une ligne)\n"
            "  --lines N            lignes par page (0 : une seule page)\n"
            "  --mode 0..5          taille des vignettes : 0 cadre, 1 pourcentage, 2 plus petit\n"
            "                       côté, 3 plus grand côté, 4 largeur, 5 hauteur\n"
            "  --box LxH, --percent P, --side C   tailles de ces modes\n"
            "  --quality Q          qualité JPEG des vignettes\n"
            "  --link TYPE          none, same, window, fullscreen ou popup\n"
            "  --zip NOM            un zip des originaux par page\n"
            "  --design FICHIER     votre modèle de page au lieu du modèle intégré ;\n"
            "                       modern : le modèle intégré pour mobiles et écrans haute\n"
            "                       définition, classic : le modèle intégré par défaut\n"
            "  --root DOSSIER       liens relatifs à la racine de ce site\n"
            "  --settings FICHIER   réglages par défaut lus dans ce fichier au lieu des vôtres\n"
            "  --no-recursive       ne parcourt pas les sous-dossiers\n"
            "  --jobs N             vignettes faites en même temps (par défaut : une par cœur)\n"
            "  -q, --quiet          pas de barre de progression\n"
            "  -h, --help           affiche cette aide\n"
            "Code de sortie : 0 galerie faite sans avertissement, 1 faite avec des\n"
            "avertissements ou pas faite, 2 mauvais usage.\n");
}
