#include "gl/Letterbox.h"

#include <cmath>

#include "render/RenderContext.h"

namespace vw {

PixelRect letterboxRect(PixelSize window) {
  if (window.width <= 0 || window.height <= 0) return {};
  // Compare the shapes without rounding: wider than 5:4 gets side bars.
  const long long wide = static_cast<long long>(window.width) * kScreenHeight;
  const long long tall = static_cast<long long>(window.height) * kScreenWidth;
  PixelRect r;
  if (wide > tall) {
    r.height = window.height;
    r.width = static_cast<int>(std::lround(static_cast<double>(window.height) * kScreenWidth / kScreenHeight));
  } else {
    r.width = window.width;
    r.height = static_cast<int>(std::lround(static_cast<double>(window.width) * kScreenHeight / kScreenWidth));
  }
  r.x = (window.width - r.width) / 2;
  r.y = (window.height - r.height) / 2;
  return r;
}

Vec2 windowToBackBuffer(Vec2 windowPoint, PixelSize window) {
  PixelRect r = letterboxRect(window);
  if (r.width <= 0 || r.height <= 0) return Vec2(kScreenWidth / 2.0f, kScreenHeight / 2.0f);
  return Vec2((windowPoint.x - static_cast<float>(r.x)) * kScreenWidth / static_cast<float>(r.width),
              (windowPoint.y - static_cast<float>(r.y)) * kScreenHeight / static_cast<float>(r.height));
}

}  // namespace vw
