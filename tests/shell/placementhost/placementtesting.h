#pragma once
// Shared by the placement tests: the real control module registered in a
// private class store, and a view stand-in that records what is posted to it.

#include "shell/common/viewregistry.h"

#include <QObject>
#include <QString>
#include <QTemporaryDir>
#include <vector>

struct PostedToView {
    int message, a, b;
    bool operator==(const PostedToView &) const = default;
};

// The libglrplace.so of this build tree; empty when it was not built.
QString PlacementModulePath();

// Points GALLORIM_CLASS_STORE at a fresh file for its lifetime and, when
// asked, registers the real module there through its own DllRegisterServer.
class PrivateClassStore {
public:
    explicit PrivateClassStore(bool registerModule);
    ~PrivateClassStore();
    bool registered() const { return m_registered; }

private:
    QTemporaryDir m_dir;
    QByteArray m_previous;
    bool m_hadPrevious = false;
    bool m_registered = false;
};

class RecordingView : public QObject {
public:
    explicit RecordingView(const void *document = nullptr)
    {
        number = ViewRegistry::Instance().Register(this, document,
                                                   [this](int m, int a, int b) { posts.push_back({m, a, b}); });
    }
    int number = 0;
    std::vector<PostedToView> posts;
};
