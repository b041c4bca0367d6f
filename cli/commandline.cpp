#include "cli/commandline.h"

#include "cli/commands.h"
#include "platform/programversion.h"

#include <QTextStream>

namespace {

struct Subcommand {
    const char *name;
    int (*run)(const QStringList &, QTextStream &, QTextStream &);
    const char *summary;
};

const Subcommand kSubcommands[] = {
    {"info", RunInfo, "info FICHIER...             dimensions, taille et textes de l'appareil photo"},
    {"thumb", RunThumb, "thumb [options] FICHIER...  vignettes là où la galerie les met"},
    {"build", RunBuild,
        "build [options] ENTRÉE...   une galerie complète d'images, de dossiers ou d'un projet"},
};

const char kSynopsis[] = "usage : gallorim-cli [--help | --version] SOUS-COMMANDE [options] ...";

QString FullUsage()
{
    QString text = QStringLiteral("%1\nCrée des galeries de photos HTML sans fenêtre.\n\nSous-commandes :\n")
                       .arg(QString::fromUtf8(kSynopsis));
    for (const Subcommand &s : kSubcommands)
        text += QStringLiteral("  ") + QString::fromUtf8(s.summary) + QLatin1Char('\n');
    text += QStringLiteral("\nOptions :\n"
                           "  -h, --help     affiche cette aide\n"
                           "  --version      affiche la version\n\n"
                           "« gallorim-cli SOUS-COMMANDE --help » détaille les options de chacune.\n");
    return text;
}

} // namespace

int ReportBadUsage(QTextStream &err, const QString &command, const QString &message, const QString &synopsis)
{
    err << command << QStringLiteral(" : ") << message << '\n'
        << synopsis << '\n'
        << QStringLiteral("« %1 --help » en dit plus.\n").arg(command);
    return 2;
}

int RunCommandLine(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const QString command = QStringLiteral("gallorim-cli");
    const QString synopsis = QString::fromUtf8(kSynopsis);
    if (args.isEmpty())
        return ReportBadUsage(err, command, QStringLiteral("sous-commande manquante"), synopsis);
    const QString &first = args.first();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        out << FullUsage();
        return 0;
    }
    if (first == QLatin1String("--version")) {
        out << "gallorim-cli " << ProgramVersion() << '\n';
        return 0;
    }
    if (first.startsWith(QLatin1Char('-')))
        return ReportBadUsage(err, command, QStringLiteral("option inconnue %1").arg(first), synopsis);
    for (const Subcommand &s : kSubcommands) {
        if (first == QLatin1String(s.name))
            return s.run(args.mid(1), out, err);
    }
    return ReportBadUsage(err, command, QStringLiteral("sous-commande inconnue %1").arg(first), synopsis);
}
