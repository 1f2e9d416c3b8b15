// The window's shape, taken from a mask picture.
#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>
#include <QRgb>
#include <vector>

namespace qinghe {

// The colour of the mask pixels that lie outside the window.
inline constexpr QRgb kMaskKeyColour = 0xFF00FF;

// One rectangle one pixel high for every maximal run of horizontally adjacent pixels whose
// colour is not exactly the key colour, row by row from the top. An image that cannot be
// read gives no rectangle.
std::vector<QRect> MaskRuns(const QImage& mask);

// The union of the mask's runs; an empty region when the mask gives no run, in which case
// the window keeps its rectangle.
QRegion MaskRegion(const QImage& mask);

}  // namespace qinghe
