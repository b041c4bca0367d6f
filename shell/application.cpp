#include "shell/application.h"

#include <QApplication>

int RunGallorim(int argc, char **argv)
{
    QApplication app(argc, argv);
    return 0;
}
