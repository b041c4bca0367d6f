// glrplace-regsvr: loads a control module and calls its registration entry
// point, as regsvr32 does. Exit codes follow regsvr32's.
#include "glrplace_abi.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>
#include <cstdio>

namespace {

enum ExitCode { kOk = 0, kBadArguments = 1, kLoadFailed = 3, kNoEntryPoint = 4, kCallFailed = 5 };

struct Arguments {
    bool unregister = false;
    bool silent = false;
    bool warnOnly = false; // build step: a failure is reported but not fatal
    QString module;
};

bool Parse(const QStringList &args, Arguments &parsed)
{
    for (const QString &arg : args) {
        if (arg == QLatin1String("-u") || arg == QLatin1String("/u"))
            parsed.unregister = true;
        else if (arg == QLatin1String("-s") || arg == QLatin1String("/s"))
            parsed.silent = true;
        else if (arg == QLatin1String("--warn-only"))
            parsed.warnOnly = true;
        else if (parsed.module.isEmpty() && !arg.startsWith(QLatin1Char('-')))
            parsed.module = arg;
        else
            return false;
    }
    return !parsed.module.isEmpty();
}

int Fail(const Arguments &args, ExitCode code, const QString &message)
{
    std::fprintf(stderr, "%s\n", qPrintable(message));
    return args.warnOnly ? kOk : code;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Arguments args;
    if (!Parse(app.arguments().mid(1), args)) {
        std::fprintf(stderr,
            "Usage : glrplace-regsvr [-u] [-s] [--warn-only] module\n"
            "  -u  désinscrire le module au lieu de l'inscrire\n"
            "  -s  ne rien afficher en cas de succès\n");
        return kBadArguments;
    }
    const char *entry = args.unregister ? "DllUnregisterServer" : "DllRegisterServer";

    QLibrary library(args.module);
    if (!library.load())
        return Fail(args, kLoadFailed,
            QStringLiteral("Impossible de charger le module %1 : %2")
                .arg(args.module, library.errorString()));
    auto call = reinterpret_cast<GlrDllRegisterServerFn>(library.resolve(entry));
    if (!call)
        return Fail(args, kNoEntryPoint,
            QStringLiteral("Le point d'entrée %1 est introuvable dans %2")
                .arg(QLatin1String(entry), args.module));
    const GlrResult hr = call();
    if (GLR_FAILED(hr))
        return Fail(args, kCallFailed,
            QStringLiteral("%1 dans %2 a échoué (code 0x%3).")
                .arg(QLatin1String(entry), args.module)
                .arg(uint32_t(hr), 8, 16, QLatin1Char('0')));
    if (!args.silent)
        std::printf("%s\n",
            qPrintable(QStringLiteral("%1 dans %2 a réussi.").arg(QLatin1String(entry), args.module)));
    return kOk;
}
