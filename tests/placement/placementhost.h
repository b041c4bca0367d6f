#pragma once
// A minimal host for the tests: the loaded module's exports, owning
// interface pointers, and a host site that records what the control posts.

#include "placement/glrplace_abi.h"

#include <QString>
#include <ostream>
#include <utility>
#include <vector>

struct PlacementModule {
    GlrDllGetClassObjectFn getClassObject = nullptr;
    GlrDllCanUnloadNowFn canUnloadNow = nullptr;
    GlrDllRegisterServerFn registerServer = nullptr;
    GlrDllUnregisterServerFn unregisterServer = nullptr;

    // Loaded once per test process and never unloaded.
    static const PlacementModule &Get();
};

// Owns one reference to an interface.
template <class Interface> class Ref {
public:
    Ref() = default;
    explicit Ref(Interface *p)
        : m_p(p)
    {
    }
    Ref(Ref &&other) noexcept
        : m_p(std::exchange(other.m_p, nullptr))
    {
    }
    Ref &operator=(Ref &&other) noexcept
    {
        reset();
        m_p = std::exchange(other.m_p, nullptr);
        return *this;
    }
    ~Ref() { reset(); }

    void reset()
    {
        if (Interface *p = std::exchange(m_p, nullptr))
            p->lpVtbl->Release(p);
    }
    Interface *get() const { return m_p; }
    Interface *operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // For out parameters; drops what was held.
    void **out()
    {
        reset();
        return reinterpret_cast<void **>(&m_p);
    }

private:
    Interface *m_p = nullptr;
};

template <class Wanted, class Interface> Ref<Wanted> Query(Interface *from, const GlrGuid &iid)
{
    Ref<Wanted> result;
    from->lpVtbl->QueryInterface(from, &iid, result.out());
    return result;
}

Ref<IGLRVisualPlacementObject> CreateControl();

// What the control shows, read through its status interface.
QString MessageOf(IGLRVisualPlacementObject *control);
int TwoLinesOf(IGLRVisualPlacementObject *control);

struct PostedMessage {
    GlrWindow window;
    uint32_t message;
    intptr_t wParam;
    intptr_t lParam;
    bool operator==(const PostedMessage &) const = default;
};
void PrintTo(const PostedMessage &m, std::ostream *os);

// Records every PostMessage call, even one made to a window that is gone,
// so that a control which forgets to ask IsWindow is caught.
struct RecordingSite {
    static constexpr GlrWindow kWindow = 4242;

    RecordingSite();
    GlrHostSite *site() { return &itf; }

    GlrHostSite itf; // first member: the site pointer the control holds
    bool alive = true;
    std::vector<PostedMessage> posts;
    uint32_t references = 0;
};

// Hands the site to the control.
void AttachSite(IGLRVisualPlacementObject *control, RecordingSite &site);
