#include "shell/placementhost/placementpage.h"

#include "pagegen/openlink.h"
#include "shell/common/programinfo.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

namespace {

const QString kClickLinkPrefix = QStringLiteral("javascript:vorlexclickimage(");
const QString kBridgeTag = QStringLiteral("glrplace-bridge:");

// Runs in every frame before the page's own scripts, in the page's world so
// that scripts of one frame can call the objects of another.
const char kBridgeScript[] = R"JS(
(function () {
  if (window.__glrPlacementBridge) return;
  window.__glrPlacementBridge = true;
  var log = console.log.bind(console);
  var tag = 'glrplace-bridge:';
  var frameKey = String(Math.random()).slice(2);
  var counter = 0;
  var known = [];
  function send(m) { log(tag + JSON.stringify(m)); }
  function classOf(el) { return el.getAttribute('classid') || ''; }
  function keyOf(el) { if (!el.__glrKey) el.__glrKey = frameKey + '.' + (++counter); return el.__glrKey; }
  // An object no plug-in renders keeps the box of its width and height.
  function announce(el) {
    if (el.__glrKnown || !classOf(el)) return;
    el.__glrKnown = true;
    known.push(el);
    el.style.display = 'inline-block';
    el.style.width = (parseInt(el.getAttribute('width'), 10) || 0) + 'px';
    el.style.height = (parseInt(el.getAttribute('height'), 10) || 0) + 'px';
    report(el);
  }
  function offset() {
    var x = 0, y = 0, w = window;
    try {
      while (w !== w.top && w.frameElement) {
        var f = w.frameElement, r = f.getBoundingClientRect();
        x += r.left + f.clientLeft; y += r.top + f.clientTop; w = w.parent;
      }
    } catch (e) {}
    return {x: x, y: y};
  }
  function report(el) {
    var r = el.getBoundingClientRect(), o = offset();
    var visible = el.isConnected && r.width > 0 && r.height > 0 && getComputedStyle(el).visibility !== 'hidden';
    var m = {t: 'rect', key: keyOf(el), classid: classOf(el), x: r.left + o.x, y: r.top + o.y,
             w: r.width, h: r.height, visible: visible};
    var text = JSON.stringify(m);
    if (el.__glrLast === text) return;
    el.__glrLast = text;
    log(tag + text);
  }
  function scan() {
    var objects = document.getElementsByTagName('object');
    for (var i = 0; i < objects.length; i++) announce(objects[i]);
    known.forEach(report);
  }
  ['InitColors', 'Init_Visual_Placement', 'InitMode', 'ClickFirstImage', 'ClickSecondImage'].forEach(function (name) {
    HTMLObjectElement.prototype[name] = function () {
      announce(this);
      var args = Array.prototype.map.call(arguments, function (a) { var n = Number(a); return isFinite(n) ? n : 0; });
      send({t: 'call', key: keyOf(this), classid: classOf(this), method: name, args: args});
    };
  });
  document.addEventListener('DOMContentLoaded', scan);
  window.addEventListener('load', function () { scan(); send({t: 'loaded', url: location.href}); });
  window.addEventListener('resize', scan);
  window.addEventListener('scroll', scan, true);
  try { if (window.parent !== window) { window.parent.addEventListener('resize', scan); window.parent.addEventListener('scroll', scan, true); } } catch (e) {}
  // Frameset and zoom changes do not always reach this frame as events.
  setInterval(function () { known.forEach(report); }, 250);
})();
)JS";

bool NamesPage(const QString &lowerPath, const PlacementPagePaths &pages)
{
    for (const QString &page : {pages.header, pages.main, pages.body})
        if (!page.isEmpty() && lowerPath == page.toLower())
            return true;
    return false;
}

int32_t ToInt32(const QJsonValue &value)
{
    const double d = value.toDouble();
    if (!(d > -9.3e18 && d < 9.3e18))
        return 0;
    return int32_t(uint32_t(qint64(d))); // unsigned parameters keep their bits
}

void OpenWithLinkRoutine(const QString &url)
{
    const int result = OpenLink(url, 3);
    if (result > 32)
        return;
    QApplication::beep();
    ShowLinkError(result, [](const QString &message) {
        QMessageBox::warning(QApplication::activeWindow(), QStringLiteral("Gallorim"), message);
    });
}

} // namespace

NavigationDecision DecideNavigation(const QUrl &url, const PlacementPagePaths &pages, const QString &makerSite)
{
    const QString text = url.toString().toLower();
    if (!makerSite.isEmpty() && text.contains(makerSite.toLower()))
        return NavigationDecision::OpenExternally;
    if (text.startsWith(kClickLinkPrefix))
        return NavigationDecision::Allow;
    if (url.isLocalFile() && !url.hasQuery() && !url.hasFragment() && NamesPage(url.toLocalFile().toLower(), pages))
        return NavigationDecision::Allow;
    return NavigationDecision::Cancel;
}

QString FilterStatusText(const QString &text, const PlacementPagePaths &pages)
{
    const QString lower = text.toLower();
    if (lower.contains(kClickLinkPrefix))
        return QString();
    for (const QString &page : {pages.header, pages.main, pages.body}) {
        if (page.isEmpty())
            continue;
        // Hovered links come as URLs: the page may appear encoded or not.
        if (lower.contains(page.toLower()) || lower.contains(QUrl::fromLocalFile(page).toString().toLower())
            || lower.contains(QString::fromUtf8(QUrl::fromLocalFile(page).toEncoded()).toLower()))
            return QString();
    }
    return text;
}

QString WrittenPageFor(const QUrl &url, const PlacementPagePaths &pages)
{
    if (!url.isLocalFile())
        return QString();
    const QString lower = url.toLocalFile().toLower();
    for (const QString &page : {pages.header, pages.main, pages.body})
        if (!page.isEmpty() && lower == page.toLower())
            return page;
    return QString();
}

bool PlacementKeyAllowed(int key, Qt::KeyboardModifiers modifiers)
{
    switch (key) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        // Keyboard users reach and choose the photos like a click would.
        return !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    default:
        return (modifiers & Qt::KeypadModifier) && key >= Qt::Key_0 && key <= Qt::Key_9;
    }
}

PlacementPage::PlacementPage(const PlacementPagePaths &pages, QObject *parent)
    : QWebEnginePage(parent), m_pages(pages), m_openExternal(&OpenWithLinkRoutine)
{
    QWebEngineScript bridge;
    bridge.setName(QStringLiteral("glrplace-bridge"));
    bridge.setSourceCode(QString::fromUtf8(kBridgeScript));
    bridge.setInjectionPoint(QWebEngineScript::DocumentCreation);
    bridge.setWorldId(QWebEngineScript::MainWorld);
    bridge.setRunsOnSubFrames(true);
    scripts().insert(bridge);
    connect(this, &QWebEnginePage::linkHovered, this,
            [this](const QString &url) { Q_EMIT statusTextChanged(FilterStatusText(url, m_pages)); });
}

bool PlacementPage::acceptNavigationRequest(const QUrl &url, NavigationType, bool)
{
    switch (DecideNavigation(url, m_pages, ProgramInfo::WebSite())) {
    case NavigationDecision::Allow:
        return true;
    case NavigationDecision::OpenExternally:
        if (m_openExternal)
            m_openExternal(url.toString());
        return false;
    case NavigationDecision::Cancel:
        break;
    }
    return false;
}

void PlacementPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &message, int,
                                             const QString &)
{
    if (!message.startsWith(kBridgeTag))
        return;
    const QJsonObject m = QJsonDocument::fromJson(message.mid(kBridgeTag.size()).toUtf8()).object();
    const QString type = m.value(QLatin1String("t")).toString();
    const QString key = m.value(QLatin1String("key")).toString();
    const QString classId = m.value(QLatin1String("classid")).toString();
    if (type == QLatin1String("call")) {
        std::vector<int32_t> args;
        for (const QJsonValue &a : m.value(QLatin1String("args")).toArray())
            args.push_back(ToInt32(a));
        Q_EMIT objectCalled(key, classId, m.value(QLatin1String("method")).toString(), args);
    } else if (type == QLatin1String("rect")) {
        const QRectF rect(m.value(QLatin1String("x")).toDouble(), m.value(QLatin1String("y")).toDouble(),
                          m.value(QLatin1String("w")).toDouble(), m.value(QLatin1String("h")).toDouble());
        Q_EMIT objectMoved(key, classId, rect, m.value(QLatin1String("visible")).toBool());
    } else if (type == QLatin1String("loaded")) {
        OnFrameLoaded(QUrl(m.value(QLatin1String("url")).toString()));
    }
}

void PlacementPage::OnFrameLoaded(const QUrl &url)
{
    // The file deleted is the one written, whatever case the browser reports.
    const QString page = WrittenPageFor(url, m_pages);
    if (page.isEmpty())
        return;
    const QFileInfo info(page);
    if (info.exists() && info.isReadable() && info.isWritable() && QFile::remove(page))
        Q_EMIT pageDeleted(page);
}
