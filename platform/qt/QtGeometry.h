#pragma once

#include <QRect>

#include "platform/controls/Geometry.h"

namespace vendaro {

// The one conversion between the models' twips and the views' pixels.
inline int pixels(float twips) {
  return Geometry::pixels(twips);
}

inline float twips(int pixels) {
  return static_cast<float>(pixels) * Geometry::kTwipsPerPixel;
}

inline QRect pixelRect(const Geometry& place) {
  return {pixels(place.left), pixels(place.top), pixels(place.width), pixels(place.height)};
}

}  // namespace vendaro
