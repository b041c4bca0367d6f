#pragma once
// The web page of a placement window: which navigations it lets through,
// what it lets the status bar show, and the bridge between the page's
// <object> elements and the host. A script injected into every frame gives
// those elements the control's five methods; their calls, the elements'
// rectangles and each frame's end of loading come back as console messages.

#include "pagegen/placementbuilder.h"

#include <QRectF>
#include <QUrl>
#include <QWebEnginePage>
#include <functional>
#include <vector>

enum class NavigationDecision { Allow, Cancel, OpenExternally };

// The maker's site opens in the user's browser; a click link of the body or
// exactly one of the three pages loads; anything else is cancelled.
NavigationDecision DecideNavigation(const QUrl &url, const PlacementPagePaths &pages, const QString &makerSite);
// Empty instead of a text that shows a temporary page or a click link.
QString FilterStatusText(const QString &text, const PlacementPagePaths &pages);
// Which of the three pages `url` names, as written (the file to delete); empty when none.
QString WrittenPageFor(const QUrl &url, const PlacementPagePaths &pages);
// Paging and arrow keys and keypad digits scroll the page; Tab, Enter and
// Space move between the photos and choose one; every other key (reload,
// back, print, new window) is swallowed.
bool PlacementKeyAllowed(int key, Qt::KeyboardModifiers modifiers);

class PlacementPage : public QWebEnginePage {
    Q_OBJECT
public:
    using ExternalOpener = std::function<void(const QString &url)>;

    PlacementPage(const PlacementPagePaths &pages, QObject *parent = nullptr);
    // Replaces the link routine (tests).
    void setExternalOpener(ExternalOpener opener) { m_openExternal = std::move(opener); }

Q_SIGNALS:
    // An element's method was called; args are the 32-bit patterns of the numbers.
    void objectCalled(const QString &key, const QString &classId, const QString &method, const std::vector<int32_t> &args);
    // An element's rectangle in the top frame's viewport, in CSS pixels.
    void objectMoved(const QString &key, const QString &classId, const QRectF &rect, bool visible);
    void statusTextChanged(const QString &text);
    void pageDeleted(const QString &path);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message, int lineNumber,
                                  const QString &sourceId) override;

private:
    void OnFrameLoaded(const QUrl &url);

    PlacementPagePaths m_pages;
    ExternalOpener m_openExternal;
};
