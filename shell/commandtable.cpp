#include "shell/commandtable.h"
