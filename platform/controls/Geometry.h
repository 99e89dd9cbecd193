#pragma once

namespace vendaro {

// Position and size of a control in twips (15 twips are one pixel at 96 dpi).
struct Geometry {
  static constexpr float kTwipsPerPixel = 15.0f;

  float left = 0;
  float top = 0;
  float width = 0;
  float height = 0;

  // A negative size cannot be assigned; the old value stays.
  void setWidth(float twips) {
    if (twips >= 0) width = twips;
  }
  void setHeight(float twips) {
    if (twips >= 0) height = twips;
  }

  static int pixels(float twips) { return static_cast<int>(twips / kTwipsPerPixel + 0.5f); }
};

}  // namespace vendaro
