#pragma once
// Live gallery views by number. The number stands where a window handle is
// written into the placement pages; the control's messages come back
// through it. A number that no longer names a live view posts nothing, and
// numbers are never reused while the program runs.
//
// Register and Unregister belong to the GUI thread; NumberOf, IsLive and Post
// may be called from any thread (a build thread asks NumberOf). Post queues
// the call to the view's thread and returns at once, as a posted message.

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <mutex>

class ViewRegistry {
public:
    using Receiver = std::function<void(int message, int a, int b)>;

    static ViewRegistry &Instance();

    // `view` receives the messages posted to the returned number (above 0)
    // until it is destroyed or unregistered. `document` is the key a build
    // uses to find its gallery's view.
    int Register(QObject *view, const void *document, Receiver receiver);
    void Unregister(int number);

    // The view of `document`, or 0 when none is alive.
    int NumberOf(const void *document) const;
    bool IsLive(int number) const;
    // False when `number` names no live view: nothing is queued then.
    bool Post(int number, int message, int a, int b);

private:
    struct Entry {
        QPointer<QObject> view;
        const void *document;
        Receiver receiver;
    };
    const Entry *Find(int number) const;

    mutable std::mutex m_lock;
    std::map<int, Entry> m_views;
    int m_next = 0;
};
