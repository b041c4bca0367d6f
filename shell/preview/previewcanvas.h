#pragma once
// The preview's view: shows one picture fitted or zoomed, lets the user zoom
// and pan it, and plays animated GIFs. It owns display state only; pixels
// come from the loader, and it asks for more when a zoom needs them.

#include "shell/preview/gifanimation.h"
#include "shell/preview/previewdecoder.h"
#include "shell/preview/previewgeometry.h"

#include <QColor>
#include <QCursor>
#include <QImage>
#include <QWidget>
#include <memory>
#include <optional>

class PreviewCanvas : public QWidget {
    Q_OBJECT
public:
    explicit PreviewCanvas(QWidget *parent = nullptr);
    ~PreviewCanvas() override;

    // A new picture: fitting is turned on again.
    void ShowImage(const PreviewImage &image);
    // More pixels of the picture shown; ignored for any other.
    void ReplacePixels(const PreviewImage &image);
    // Releases the picture.
    void Clear();
    bool HasImage() const { return !m_image.isNull(); }

    void SetBackground(const QColor &color);
    QColor background() const { return m_background; }
    void SetAnimationEnabled(bool enabled);

    bool IsFitting() const { return m_fit; }
    void SetFitting(bool fit);
    bool IsPanTool() const { return m_panTool; }
    void SetPanTool(bool pan);

    // One zoom step about a window point, as a click of the zoom tool.
    void ZoomAt(QPoint windowPoint, bool in);
    double zoom() const { return m_zoom; }
    // As last drawn, in image pixels of the picture's full size.
    const PreviewPlacement &placement() const { return m_placement; }
    int frame() const { return m_animation.Frame(); }
    QSize decodedSize() const { return m_image.picture.size(); }

Q_SIGNALS:
    // The picture of load `serial` should be decoded at `target`.
    void pixelsNeeded(quint64 serial, QSize target);
    void toolStateChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void Render();
    void EnsureRendered();
    void AskForPixels();
    void NextFrame();
    void PanBy(QPoint movement);
    void UpdateCursor();
    bool ZoomsOnRightClick() const;

    PreviewImage m_image;
    QColor m_background = Qt::black;
    bool m_fit = true;
    bool m_panTool = false;
    double m_zoom = 1.0;
    QPoint m_sourceOffset;
    std::optional<QPoint> m_recentre;
    PreviewPlacement m_placement;
    QImage m_display;
    bool m_needsRender = true;
    QSize m_askedTarget;

    std::unique_ptr<FrameClock> m_clock;
    GifAnimation m_animation;

    bool m_dragging = false;
    QPoint m_dragStart;
    QPoint m_dragAnchor;
    QCursor m_zoomCursor;
};
