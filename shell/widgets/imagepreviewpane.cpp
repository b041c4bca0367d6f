#include "shell/widgets/imagepreviewpane.h"

#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

QImage DecodePreview(const QString &path, const QSize &box)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    QSize stored = reader.size();
    if (!stored.isValid() || box.isEmpty())
        return QImage();
    // The reader scales the stored picture, before it turns it upright.
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QSize fit = turned ? box.transposed() : box;
    if (stored.width() > fit.width() || stored.height() > fit.height())
        reader.setScaledSize(stored.scaled(fit, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    return reader.read();
}

ImagePreviewPane::ImagePreviewPane(QWidget *parent)
    : QFrame(parent), m_generation(std::make_shared<std::atomic<int>>(0))
{
    setFrameShape(QFrame::StyledPanel);
    setMinimumSize(120, 90);
    setAccessibleName(QStringLiteral("Image"));
    // One decode at a time: a flurry of selections queues at most one more.
    m_pool.setMaxThreadCount(1);
}

ImagePreviewPane::~ImagePreviewPane()
{
    ++*m_generation;
    m_pool.clear();
    m_pool.waitForDone();
}

void ImagePreviewPane::showFile(const QString &path)
{
    const int generation = ++*m_generation;
    m_pool.clear();
    m_image = QImage();
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile() || !info.isReadable()) {
        m_decoding = false;
        update();
        Q_EMIT previewChanged();
        return;
    }
    m_decoding = true;
    update();
    const QSize box = contentsRect().size();
    auto current = m_generation;
    m_pool.start([this, current, generation, path, box] {
        if (*current != generation)
            return;
        const QImage image = DecodePreview(path, box);
        if (*current != generation)
            return;
        // The destructor waits for this task, so `this` is alive here; the
        // queued call dies with the pane if it goes first.
        QMetaObject::invokeMethod(
            this, [this, generation, image] { takeResult(generation, image); }, Qt::QueuedConnection);
    });
}

void ImagePreviewPane::clear()
{
    ++*m_generation;
    m_pool.clear();
    m_image = QImage();
    m_decoding = false;
    update();
    Q_EMIT previewChanged();
}

void ImagePreviewPane::takeResult(int generation, const QImage &image)
{
    if (*m_generation != generation)
        return;
    m_image = image;
    m_decoding = false;
    update();
    Q_EMIT previewChanged();
}

void ImagePreviewPane::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.fillRect(area, palette().button());
    if (m_image.isNull())
        return;
    QSize shown = m_image.size();
    if (shown.width() > area.width() || shown.height() > area.height())
        shown = shown.scaled(area.size(), Qt::KeepAspectRatio);
    QRect target(QPoint(0, 0), shown);
    target.moveCenter(area.center());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_image);
}
