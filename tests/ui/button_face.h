#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <algorithm>
#include <cstdlib>
#include <ostream>

// A colour in a failure message as its three components.
inline void PrintTo(const QColor& c, std::ostream* out) {
  *out << "(" << c.red() << ", " << c.green() << ", " << c.blue() << ")";
}

namespace kviltora::testing_support {

// The share of a button's face that is exactly `back`, give or take 2 per
// channel: the face is the grabbed image inside a 2 pixel edge, less the
// bounding box of the caption's near-black ink.
inline double FaceShareInColour(const QImage& grabbed, const QColor& back) {
  const int edge = qRound(2 * grabbed.devicePixelRatio());
  const QRect face = grabbed.rect().adjusted(edge, edge, -edge, -edge);
  QRect ink;
  for (int y = face.top(); y <= face.bottom(); ++y) {
    for (int x = face.left(); x <= face.right(); ++x) {
      const QColor c = grabbed.pixelColor(x, y);
      if (std::max({c.red(), c.green(), c.blue()}) < 96) ink |= QRect(x, y, 1, 1);
    }
  }
  int outside = 0, exact = 0;
  for (int y = face.top(); y <= face.bottom(); ++y) {
    for (int x = face.left(); x <= face.right(); ++x) {
      if (ink.contains(x, y)) continue;
      const QColor c = grabbed.pixelColor(x, y);
      ++outside;
      exact += std::abs(c.red() - back.red()) <= 2 && std::abs(c.green() - back.green()) <= 2 &&
               std::abs(c.blue() - back.blue()) <= 2;
    }
  }
  return outside ? double(exact) / outside : 0;
}

}  // namespace kviltora::testing_support
