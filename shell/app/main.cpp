// The desktop program: everything happens in the shell library.
#include "shell/app/application.h"
#include "shell/app/programarguments.h"

#include <QtGlobal>
#include <cstdio>

int main(int argc, char **argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    // Answered before the application object, which would need a display.
    if (const EarlyAnswer early = AnswerBeforeWindow(args); early.answered) {
        std::fputs(early.text.toLocal8Bit().constData(), stdout);
        return 0;
    }
    // The pictures live in the shell library, which the linker would otherwise drop.
    Q_INIT_RESOURCE(shell);
    return RunGallorim(argc, argv);
}
