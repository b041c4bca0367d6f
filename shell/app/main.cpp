// The desktop program: everything happens in the shell library.
#include "shell/app/application.h"

#include <QtGlobal>

int main(int argc, char **argv)
{
    // The pictures live in the shell library, which the linker would otherwise drop.
    Q_INIT_RESOURCE(shell);
    return RunGallorim(argc, argv);
}
