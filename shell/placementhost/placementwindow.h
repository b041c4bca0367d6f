#pragma once
// shell/placementhost: the web window that hosts the visual placement
// control, its page and the host services the control calls. It uses
// common/ only (the gallery view registry).
//
// The visual placement window: an MDI child showing the three placement
// pages in a web view, with the placement control of the header frame hosted
// over its <object>. The control's moves go to the gallery view named in the
// pages (through ViewRegistry). Closing the window releases the control; the
// gallery view always hears (-1, -1) then, even when no control ran.
// GUI thread only.

#include "pagegen/placementbuilder.h"

#include <QWidget>
#include <map>
#include <utility>

class PlacementHost;
class PlacementPage;
class QMdiArea;
class QWebEngineView;

class PlacementWindow : public QWidget {
    Q_OBJECT
public:
    PlacementWindow(const QString &mainPagePath, const QString &galleryTitle, int viewNumber,
                    QWidget *parent = nullptr);
    ~PlacementWindow() override;

    QWebEngineView *view() const { return m_view; }
    PlacementPage *page() const { return m_page; }
    PlacementHost *host() const { return m_host; }
    const PlacementPagePaths &pages() const { return m_pages; }

Q_SIGNALS:
    // What the main window's status bar should show (empty: nothing).
    void statusTextChanged(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void OnObjectCalled(const QString &key, const QString &classId, const QString &method,
                        const std::vector<int32_t> &args);
    void OnObjectMoved(const QString &key, const QString &classId, const QRectF &rect, bool visible);
    void PlaceObject(const QString &key);
    void OnZoomCheck();
    void ShowStatus(const QString &text);
    void WatchKeys(QObject *target);

    PlacementPagePaths m_pages;
    int m_viewNumber;
    QWebEngineView *m_view;
    PlacementPage *m_page;
    PlacementHost *m_host;
    // Where each object is in the page, in CSS pixels: a zoom moves the
    // control without the page reporting anything new.
    std::map<QString, std::pair<QRectF, bool>> m_objectRects;
    qreal m_zoom = 1.0;
};

// "Placement visuel : " followed by the gallery's title.
QString PlacementWindowTitle(const QString &galleryTitle);

// The message shown when the control cannot be made.
QString PlacementControlMissingText();

// Sets the Chromium flags this machine needs (no sandbox as root, no GPU
// where there is none) unless the user set them. Safe to call again; must
// run before the first web page is made.
void PrepareWebEngineEnvironment();

// Opens the placement window on `mainPagePath` in `area`, titled after the
// gallery, its control's messages going to view `viewNumber`. When the
// placement control is not installed: shows the message, removes the pages,
// posts (-1, -1) to the view so it leaves its busy state, and returns null.
PlacementWindow *OpenPlacementWindow(QMdiArea *area, const QString &mainPagePath, const QString &galleryTitle,
                                     int viewNumber);
