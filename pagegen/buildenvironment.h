#pragma once
// What a build thread needs from outside its document: the program's
// "show the page after the build" option and the way links are opened.
// The callbacks run on the build thread.

#include <QString>
#include <functional>

struct BuildEnvironment {
    bool showWebPageAfterBuild = false;
    // Opens a file in the user's browser; a result above 32 means success.
    std::function<int(const QString &target, int showCommand)> openLink;
    // Tells the user that opening failed (the exclamation beep included).
    std::function<void(int code)> showLinkError;
};

inline constexpr int kShowMaximized = 3;

// Opens `path` when asked to; reports a failure through the environment.
void OpenBuiltPage(const BuildEnvironment &env, const QString &path);
