#pragma once
// The preview's own pictures: its tool bar icons (desktop theme first) and
// the magnifier cursor of the zoom tool, drawn rather than shipped.

#include <QCursor>
#include <QIcon>

QIcon PreviewFitIcon();
QIcon PreviewPanIcon();
QIcon PreviewZoomIcon();
QIcon PreviewOptionsIcon();
QCursor PreviewZoomCursor();
// The blinking sample of the options page.
QPixmap PreviewAnimationSample();
