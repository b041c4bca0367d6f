#pragma once
// The host side of the placement control: finds a class id in the per-user
// class registry, loads the module registered for it (modules stay loaded),
// creates objects through the module's class factory, hands each a site
// whose window services are the caller's, forwards script calls through the
// object's dispatch interface, and keeps the object's own window over the
// rectangle its element has in the page. GUI thread only.

#include "placement/glrplace_abi.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class QWidget;

// "clsid:XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" (as an <object> writes it) or
// the braced form; false for anything else.
bool ParseClassId(const QString &text, GlrGuid *guid);
// The braced upper-case form the class registry uses as its key.
QString BracedClassId(const GlrGuid &guid);

// The module file registered for the class, read from the store named by
// GALLORIM_CLASS_STORE or else the user's settings; empty when none.
QString RegisteredModulePath(const GlrGuid &clsid);

// The module that serves the class: the registered one while its file is
// there, else, for the placement control's own class, the control installed
// with the program in <programDir>/../lib/gallorim. Empty when neither is.
QString ModuleServingClass(const GlrGuid &clsid, const QString &programDir);

// Whether objects of the class can be made: registered, module loaded, class
// served. On failure `error` says which step failed (for logs, not users).
bool PlacementClassAvailable(const GlrGuid &clsid, QString *error = nullptr);

struct HostServices {
    // Queues a message to the window the page named; true when queued.
    std::function<bool(GlrWindow window, uint32_t message, intptr_t wParam, intptr_t lParam)> post;
    std::function<bool(GlrWindow window)> isWindow;
};

class PlacementHost : public QObject {
    Q_OBJECT
public:
    // Controls' windows become children of `surface`.
    PlacementHost(QWidget *surface, HostServices services, QObject *parent = nullptr);
    ~PlacementHost() override; // releases every object

    // Creates the object for the element `key` once; false when it cannot be made.
    bool AddObject(const QString &key, const QString &classId);
    bool HasObject(const QString &key) const { return m_objects.count(key) != 0; }
    // A late-bound call by method name; false when unknown or failed.
    bool Call(const QString &key, const QString &method, const std::vector<int32_t> &args);
    // Shows the object's window at `rect` (surface coordinates), or hides it.
    void PlaceObject(const QString &key, const QRect &rect, bool visible);
    // The object's own window while active, for tests and accessibility.
    QWidget *ObjectWindow(const QString &key) const;
    // What the object shows, for the same readers; empty when unknown.
    QString ObjectMessage(const QString &key) const;
    std::vector<QString> ObjectKeys() const;

    // Releases every object; each may post its closing message meanwhile.
    void ReleaseAll();
    // Whether some object posted (-1, -1) through its site and it was queued.
    bool ClosingMessagePosted() const { return m_closingPosted; }

private:
    struct Site;
    struct Object {
        IGLRVisualPlacementObject *control = nullptr;
        GlrInPlaceObject *inPlace = nullptr;
        bool active = false;
    };
    void Release(Object &object);
    bool OnPost(GlrWindow window, uint32_t message, intptr_t wParam, intptr_t lParam);

    QPointer<QWidget> m_surface;
    HostServices m_services;
    Site *m_site = nullptr; // reference-counted, shared by the objects
    std::map<QString, Object> m_objects;
    bool m_closingPosted = false;
};
