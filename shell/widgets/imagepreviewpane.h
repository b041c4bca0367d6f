#pragma once
// The preview pane of the image file dialog: the chosen file decoded, shrunk
// to the pane, on a worker thread, so that a huge photo never freezes the
// dialog. A newer request abandons an older one; a folder, an unreadable or
// undecodable file leaves the pane empty (button-face colour).

#include <QFrame>
#include <QImage>
#include <QThreadPool>
#include <atomic>
#include <memory>

class ImagePreviewPane : public QFrame {
    Q_OBJECT
public:
    explicit ImagePreviewPane(QWidget *parent = nullptr);
    // Waits for a decode at work; its result is dropped.
    ~ImagePreviewPane() override;

    // Starts showing `path`, emptying the pane until the picture is ready.
    void showFile(const QString &path);
    void clear();

    bool hasImage() const { return !m_image.isNull(); }
    QSize imageSize() const { return m_image.size(); }
    bool isDecoding() const { return m_decoding; }
    // Returns once no decode runs or waits; a result one posted is then in the
    // event queue. Lets a caller deliver or rule out a late result.
    void waitForDecodes() { m_pool.waitForDone(); }

    QSize sizeHint() const override { return QSize(260, 160); }

Q_SIGNALS:
    // The pane now shows its latest request (a picture or nothing).
    void previewChanged();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void takeResult(int generation, const QImage &image);

    QThreadPool m_pool;
    std::shared_ptr<std::atomic<int>> m_generation;
    QImage m_image;
    bool m_decoding = false;
};

// The picture at `path`, upright, shrunk to fit `box` (never enlarged);
// null when it cannot be decoded.
QImage DecodePreview(const QString &path, const QSize &box);
