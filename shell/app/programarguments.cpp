#include "shell/app/programarguments.h"

#include "platform/programversion.h"

EarlyAnswer AnswerBeforeWindow(const QStringList &args)
{
    for (const QString &arg : args) {
        // After "--" come only file names, even ones that look like options.
        if (arg == QLatin1String("--"))
            break;
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h"))
            return {true,
                QStringLiteral("usage : gallorim [PROJET.glr...]\n"
                               "Ouvre Gallorim, avec chaque projet donné dans sa fenêtre.\n"
                               "  -h, --help   affiche cette aide\n"
                               "  --version    affiche la version\n"
                               "Les options de Qt (-platform, -style, ...) sont aussi acceptées.\n"
                               "gallorim-cli fait les mêmes galeries sans fenêtre.\n")};
        if (arg == QLatin1String("--version"))
            return {true, QStringLiteral("gallorim %1\n").arg(QLatin1String(ProgramVersion()))};
    }
    return {};
}
