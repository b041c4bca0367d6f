#pragma once
// Start-up and run of the desktop program; the exit code of the event loop.
int RunGallorim(int argc, char **argv);
