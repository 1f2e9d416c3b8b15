#include "window_shape.h"

namespace qinghe {

std::vector<QRect> MaskRuns(const QImage& mask) {
  std::vector<QRect> runs;
  if (mask.isNull()) return runs;
  const QImage pixels = mask.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < pixels.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
    int x = 0;
    while (x < pixels.width()) {
      while (x < pixels.width() && (row[x] & 0xFFFFFF) == kMaskKeyColour) ++x;
      const int start = x;
      while (x < pixels.width() && (row[x] & 0xFFFFFF) != kMaskKeyColour) ++x;
      if (x > start) runs.emplace_back(start, y, x - start, 1);
    }
  }
  return runs;
}

QRegion MaskRegion(const QImage& mask) {
  QRegion region;
  for (const QRect& run : MaskRuns(mask)) region += run;
  return region;
}

}  // namespace qinghe
