#include "shell/gallerystatus/gallerystatusbar.h"

#include "document/notifycodes.h"
#include "platform/profile.h"
#include "shell/common/generaloptions.h"
#include "shell/gallerystatus/downloadestimate.h"
#include "shell/gallerystatus/warningmessagewindow.h"
#include "shell/widgets/valuelabel.h"

#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QStyle>
#include <QToolButton>

namespace {
const QString kSpeedSection = QStringLiteral("LastOptions/StatusBar");
const QString kSpeedKey = QStringLiteral("LastInternetSpeed");
const int kDefaultSpeed = 1;
const QString kStopText = QStringLiteral("Arrêter");
const QString kActive = QStringLiteral("en cours");
const QString kIdle = QStringLiteral("inactif");

int SmallIconSize(const QWidget *widget)
{
    return widget->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, widget);
}

// Our own picture, or the style's closest one while ours is missing, so
// that no pane is ever blank.
QIcon PaneIcon(const QWidget *widget, const QString &resource, QStyle::StandardPixmap fallback)
{
    if (QFile::exists(resource)) {
        const QIcon icon(resource);
        if (!icon.pixmap(SmallIconSize(widget)).isNull())
            return icon;
    }
    return widget->style()->standardIcon(fallback, nullptr, widget);
}
} // namespace

GalleryStatusBar::GalleryStatusBar(GeneralOptions &options, Profile &profile, QWidget *parent)
    : QStatusBar(parent)
    , m_options(options)
    , m_profile(profile)
{
    setAccessibleName(QStringLiteral("Barre d'état de la galerie"));
    m_warningIcon = PaneIcon(this, QStringLiteral(":/icons/warning.svg"), QStyle::SP_MessageBoxWarning);
    m_addingIcon = PaneIcon(this, QStringLiteral(":/icons/activity-adding.svg"), QStyle::SP_DialogOpenButton);
    m_thumbnailsIcon = PaneIcon(
        this, QStringLiteral(":/icons/activity-thumbnails.svg"), QStyle::SP_FileDialogContentsView);
    m_pageIcon = PaneIcon(this, QStringLiteral(":/icons/activity-page.svg"), QStyle::SP_FileIcon);
    m_savingIcon = PaneIcon(this, QStringLiteral(":/icons/activity-saving.svg"), QStyle::SP_DialogSaveButton);
    m_stopIcon = PaneIcon(this, QStringLiteral(":/icons/stop.svg"), QStyle::SP_BrowserStop);
    createPanes();
    updateWarningPane();
    updateActivityPanes();
    updateEstimate();
}

void GalleryStatusBar::createPanes()
{
    const int iconSize = SmallIconSize(this);
    m_warningPane = new QToolButton(this);
    m_warningPane->setObjectName(QStringLiteral("warningPane"));
    m_warningPane->setAutoRaise(true);
    m_warningPane->setIconSize(QSize(iconSize, iconSize));
    m_warningPane->setAccessibleName(QStringLiteral("Messages d'alerte"));
    m_warningPane->setToolTip(
        QStringLiteral("Un icone vous prévient de messages d'alerte. Cliquez pour voir ces messages."));
    m_warningPane->installEventFilter(this);
    connect(m_warningPane, &QToolButton::clicked, this, &GalleryStatusBar::showWarnings);
    addWidget(m_warningPane);

    m_estimatePane = new ValueLabel(QStringLiteral("Durée de téléchargement"), this);
    m_estimatePane->setObjectName(QStringLiteral("estimatePane"));
    addWidget(m_estimatePane, 1);

    createSpeedList();
    addPermanentWidget(m_speedList);

    m_addingPane = addActivityPane(QStringLiteral("addingPane"), QStringLiteral("Ajout de fichiers"),
        QStringLiteral("Activité du processus d'ajout de fichiers à la liste"));
    m_thumbnailsPane
        = addActivityPane(QStringLiteral("thumbnailsPane"), QStringLiteral("Création des vignettes"),
            QStringLiteral("Activité du processus de création des vignettes"));
    m_pagePane = addActivityPane(QStringLiteral("pagePane"), QStringLiteral("Création de la page HTML"),
        QStringLiteral("Activité du processus de création de la page HTML"));
    m_savingPane = addActivityPane(QStringLiteral("savingPane"), QStringLiteral("Enregistrement du document"),
        QStringLiteral("Activité de l'enregistrement du document"));
}

void GalleryStatusBar::createSpeedList()
{
    m_speedList = new QComboBox(this);
    m_speedList->setObjectName(QStringLiteral("speedList"));
    m_speedList->setAccessibleName(QStringLiteral("Vitesse de connexion"));
    m_speedList->setToolTip(QStringLiteral(
        "Choisissez ici la vitesse de connexion pour l'affichage de la durée de téléchargement"));
    for (const ConnectionSpeed &speed : ConnectionSpeeds())
        m_speedList->addItem(QString::fromLatin1(speed.listText));
    m_speedList->setMaxVisibleItems(m_speedList->count());
    m_speedList->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("ADSL - 1024 kb/s      ")));

    int index = m_profile.GetInt(kSpeedSection, kSpeedKey, kDefaultSpeed);
    if (index < 0 || index >= m_speedList->count())
        index = kDefaultSpeed; // a damaged setting must not leave the list without a choice
    m_speedList->setCurrentIndex(index);
    connect(m_speedList, &QComboBox::currentIndexChanged, this, &GalleryStatusBar::onSpeedChanged);
}

ValueLabel *GalleryStatusBar::addActivityPane(
    const QString &name, const QString &accessibleName, const QString &toolTip)
{
    auto *pane = new ValueLabel(accessibleName, this);
    pane->setObjectName(name);
    pane->setToolTip(toolTip);
    pane->installEventFilter(this);
    pane->setAlignment(Qt::AlignCenter);
    pane->setFixedWidth(SmallIconSize(this) + 1);
    pane->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pane, &QLabel::customContextMenuRequested, this,
        [this, pane](const QPoint &pos) { showStopMenu(pane, pane->mapToGlobal(pos)); });
    addPermanentWidget(pane);
    return pane;
}

void GalleryStatusBar::notify(int code, qintptr value)
{
    switch (code) {
    case NOTIFY_ERROR:
        addWarnings(static_cast<quint32>(value));
        return;
    case NOTIFY_ADDING:
        m_adding = value != 0;
        break;
    case NOTIFY_SAVING:
        m_saving = value != 0;
        break;
    case NOTIFY_THUMBNAILS:
        m_thumbnails = value != 0;
        break;
    case NOTIFY_BUSY:
        m_page = value != 0;
        break;
    case NOTIFY_COUNT:
        m_count = static_cast<int>(value);
        updateEstimate();
        return;
    case NOTIFY_THUMBNAIL_BYTES:
        // Unsigned at the sender's width: a 32-bit sender wraps above 2 GiB,
        // a 64-bit one carries totals beyond 4 GiB.
        m_bytes = static_cast<double>(static_cast<quintptr>(value));
        updateEstimate();
        return;
    default:
        return;
    }
    updateActivityPanes();
}

void GalleryStatusBar::addWarnings(quint32 bits)
{
    // Only bits that have a message: anything else would light an icon
    // that opens nothing.
    bits &= static_cast<quint32>(kAllWarningsDisabled);
    if (bits == 0 || (bits & static_cast<quint32>(m_options.DisabledWarningMessage)))
        return;
    if (m_warningWindow)
        m_warningWindow->addWarnings(bits);
    else
        m_pending |= bits;
    updateWarningPane();
}

quint32 GalleryStatusBar::pendingWarnings() const
{
    return m_pending | (m_warningWindow ? m_warningWindow->pendingWarnings() : 0);
}

QString GalleryStatusBar::estimateText() const
{
    return DownloadEstimateText(m_count, m_bytes, speedIndex());
}

int GalleryStatusBar::speedIndex() const
{
    return m_speedList->currentIndex();
}

void GalleryStatusBar::showWarnings()
{
    if (m_warningWindow) {
        m_warningWindow->raise();
        m_warningWindow->activateWindow();
        return;
    }
    if (m_pending == 0)
        return;
    auto *window = new WarningMessageWindow(m_warningIcon, m_options, m_profile, this);
    window->setObjectName(QStringLiteral("warningMessageWindow"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &QDialog::finished, this, &GalleryStatusBar::onWarningWindowClosed);
    window->start(m_pending);
    m_pending = 0;
    m_warningWindow = window;
    placeWarningWindow();
    window->show();
    window->activateWindow();
}

void GalleryStatusBar::onWarningWindowClosed()
{
    if (m_warningWindow)
        m_pending |= m_warningWindow->pendingWarnings();
    m_warningWindow.clear();
    updateWarningPane();
}

void GalleryStatusBar::placeWarningWindow()
{
    // Just above the warning icon, kept on the screen.
    const QSize size = m_warningWindow->sizeHint();
    const QPoint anchor = m_warningPane->mapToGlobal(QPoint(0, 0));
    QPoint pos(anchor.x(), anchor.y() - size.height());
    if (const QScreen *screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        pos.setX(qMax(area.left(), qMin(pos.x(), area.right() + 1 - size.width())));
        pos.setY(qMax(area.top(), qMin(pos.y(), area.bottom() + 1 - size.height())));
    }
    m_warningWindow->move(pos);
}

void GalleryStatusBar::onSpeedChanged(int index)
{
    m_profile.WriteInt(kSpeedSection, kSpeedKey, index);
    m_profile.Sync();
    updateEstimate();
}

void GalleryStatusBar::showStopMenu(QWidget *pane, const QPoint &globalPos)
{
    const bool stopAdding = pane == m_addingPane && m_adding;
    const bool stopThumbnails = pane == m_thumbnailsPane && m_thumbnails && !m_page;
    if (!stopAdding && !stopThumbnails)
        return;
    if (m_stopMenu)
        m_stopMenu->close();
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("stopMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction *stop = menu->addAction(m_stopIcon, kStopText);
    connect(stop, &QAction::triggered, this,
        stopAdding ? &GalleryStatusBar::requestStopAdding : &GalleryStatusBar::requestStopThumbnails);
    m_stopMenu = menu;
    menu->popup(globalPos);
}

// The activity may have ended while the menu was open.
void GalleryStatusBar::requestStopAdding()
{
    if (m_adding)
        Q_EMIT stopAddingRequested();
}

void GalleryStatusBar::requestStopThumbnails()
{
    if (m_thumbnails && !m_page)
        Q_EMIT stopThumbnailsRequested();
}

bool GalleryStatusBar::eventFilter(QObject *watched, QEvent *event)
{
    // The tool button answers Space by itself; Enter opens the messages too.
    // On an activity pane that can be stopped, Enter opens its menu as the
    // menu key does.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        if (enter && watched == m_warningPane) {
            showWarnings();
            return true;
        }
        if (enter && (watched == m_addingPane || watched == m_thumbnailsPane)) {
            auto *pane = static_cast<QWidget *>(watched);
            showStopMenu(pane, pane->mapToGlobal(pane->rect().center()));
            return true;
        }
    }
    return QStatusBar::eventFilter(watched, event);
}

void GalleryStatusBar::updateWarningPane()
{
    const bool lit = pendingWarnings() != 0 || m_warningWindow;
    m_warningPane->setIcon(lit ? m_warningIcon : QIcon());
    m_warningPane->setFocusPolicy(lit ? Qt::TabFocus : Qt::NoFocus);
    m_warningPane->setAccessibleDescription(
        lit ? QStringLiteral("Des messages attendent") : QStringLiteral("Aucun message"));
}

void GalleryStatusBar::updateActivityPanes()
{
    const int size = SmallIconSize(this);
    const auto show = [size](ValueLabel *pane, const QIcon &icon, bool active) {
        pane->setPixmap(active ? icon.pixmap(size, size) : QPixmap());
        pane->setValue(active ? kActive : kIdle);
    };
    show(m_addingPane, m_addingIcon, m_adding);
    show(m_thumbnailsPane, m_thumbnailsIcon, m_thumbnails);
    show(m_pagePane, m_pageIcon, m_page);
    show(m_savingPane, m_savingIcon, m_saving);
    // Only what can be stopped takes the keyboard (its menu, as a right click).
    m_addingPane->setFocusPolicy(m_adding ? Qt::TabFocus : Qt::NoFocus);
    m_thumbnailsPane->setFocusPolicy(m_thumbnails && !m_page ? Qt::TabFocus : Qt::NoFocus);
}

void GalleryStatusBar::updateEstimate()
{
    m_estimatePane->setText(estimateText());
    m_estimatePane->setValue(estimateText());
}
