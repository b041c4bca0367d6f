#pragma once
// shell/gallerystatus: a gallery window's status bar: its message and
// activity panes, the download-time estimate of the thumbnails and the
// window of warnings. It uses common/ and widgets/ only; the gallery
// window owns one.
//
// The status bar at the bottom of each gallery window: a warning icon that
// collects the warnings of the gallery's background work, the thumbnails'
// download-time estimate, the connection speed it is computed for, and one
// icon per background activity. It is fed the document's notification codes
// by the gallery's list view, on the GUI thread.

#include <QIcon>
#include <QPointer>
#include <QStatusBar>

struct GeneralOptions;
class Profile;
class QComboBox;
class QMenu;
class QToolButton;
class ValueLabel;
class WarningMessageWindow;

class GalleryStatusBar : public QStatusBar {
    Q_OBJECT
public:
    // Reads the last chosen connection speed from `profile`; `options` gives
    // the silenced warnings and receives the ones the user silences.
    GalleryStatusBar(GeneralOptions &options, Profile &profile, QWidget *parent = nullptr);

    // Codes NOTIFY_ERROR to NOTIFY_THUMBNAIL_BYTES; others are ignored.
    void notify(int code, qintptr value);

    QString estimateText() const;
    // Collected and not shown yet, including those queued in an open message window.
    quint32 pendingWarnings() const;
    int speedIndex() const;

    // Opens the message window on the pending warnings, or raises it when open.
    void showWarnings();

Q_SIGNALS:
    void stopAddingRequested();
    void stopThumbnailsRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createPanes();
    void createSpeedList();
    ValueLabel *addActivityPane(const QString &name, const QString &accessibleName, const QString &toolTip);
    void addWarnings(quint32 bits);
    void onWarningWindowClosed();
    void placeWarningWindow();
    void onSpeedChanged(int index);
    void showStopMenu(QWidget *pane, const QPoint &globalPos);
    void requestStopAdding();
    void requestStopThumbnails();
    void updateWarningPane();
    void updateActivityPanes();
    void updateEstimate();

    GeneralOptions &m_options;
    Profile &m_profile;
    quint32 m_pending = 0;
    int m_count = 0;
    double m_bytes = 0;
    bool m_adding = false;
    bool m_thumbnails = false;
    bool m_page = false;
    bool m_saving = false;

    QIcon m_warningIcon;
    QIcon m_addingIcon;
    QIcon m_thumbnailsIcon;
    QIcon m_pageIcon;
    QIcon m_savingIcon;
    QIcon m_stopIcon;

    QToolButton *m_warningPane = nullptr;
    ValueLabel *m_estimatePane = nullptr;
    QComboBox *m_speedList = nullptr;
    ValueLabel *m_addingPane = nullptr;
    ValueLabel *m_thumbnailsPane = nullptr;
    ValueLabel *m_pagePane = nullptr;
    ValueLabel *m_savingPane = nullptr;
    QPointer<WarningMessageWindow> m_warningWindow;
    QPointer<QMenu> m_stopMenu;
};
