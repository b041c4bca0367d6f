// The desktop program: everything happens in the shell library.
#include "shell/application.h"

int main(int argc, char **argv)
{
    return RunGallorim(argc, argv);
}
