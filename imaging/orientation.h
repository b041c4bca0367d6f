#pragma once
// EXIF orientation (1 to 8): how the stored pixels must be turned to show the
// picture upright. Any other value means "as stored".

#include <QImage>
#include <QSize>

// Orientation 1 for values outside 1..8.
int NormalOrientation(long value);
// Orientations 5 to 8 turn the picture a quarter: width and height swap.
bool SwapsSides(int orientation);
QSize UprightSize(QSize stored, int orientation);
// The stored pixels turned upright.
QImage ToUpright(const QImage &stored, int orientation);
