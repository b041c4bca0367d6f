#include "cli/commands.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

namespace {

struct Subcommand {
    const char *name;
    int (*run)(const QStringList &, QTextStream &, QTextStream &);
    const char *summary;
};

const Subcommand kSubcommands[] = {
    {"info", RunInfo, "info FILE...            dimensions, size and camera texts of each file"},
    {"thumb", RunThumb, "thumb [options] FILE...  thumbnails where the gallery puts them (thumb --help)"},
    {"build", RunBuild, "build [options] INPUT... a whole gallery from images, folders or a project (build --help)"},
};

int Usage(QTextStream &err)
{
    err << "usage: gallorim-cli SUBCOMMAND ...\n";
    for (const Subcommand &s : kSubcommands)
        err << "  " << s.summary << "\n";
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty())
        return Usage(err);
    const QString name = args.takeFirst();
    for (const Subcommand &s : kSubcommands) {
        if (name == QLatin1String(s.name))
            return s.run(args, out, err);
    }
    err << "gallorim-cli: unknown subcommand " << name << "\n";
    return Usage(err);
}
