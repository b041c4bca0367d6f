#pragma once
// The version the build was made as ("3.27"): one number for the About box,
// both commands' --version, the package and its release notes.

const char *ProgramVersion();
