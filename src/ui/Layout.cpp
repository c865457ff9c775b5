#include "ui/Layout.h"

#include <algorithm>

int ScalingLineHeight(int measuredLineHeight, int fontPixels) {
  if (measuredLineHeight <= 0) return layout::kDesignLineHeight;
  const int proportional = (fontPixels * layout::kDesignLineHeight + layout::kDesignFontPixels - 1) / layout::kDesignFontPixels;
  return std::max(measuredLineHeight, proportional);
}

int ScaleToFont(int value, int lineHeight) {
  const long long product = static_cast<long long>(value) * lineHeight;
  const long long half = layout::kDesignLineHeight / 2;
  const long long rounded = product >= 0 ? (product + half) / layout::kDesignLineHeight
                                         : (product - half) / layout::kDesignLineHeight;
  return static_cast<int>(rounded);
}

Box ScaleToFont(const Box& box, int lineHeight) {
  return {ScaleToFont(box.left, lineHeight), ScaleToFont(box.top, lineHeight),
          ScaleToFont(box.width, lineHeight), ScaleToFont(box.height, lineHeight)};
}

int CentredStart(int desktopExtent, int windowExtent) {
  const int start = (desktopExtent - windowExtent) / 2;
  return start < 0 ? 0 : start;
}

namespace {

// Whether every point of `window` lies in some monitor's work area. The
// rectangle is cut along every work area's edges, and each piece looked at.
bool WithinWorkAreas(const Rect& window, const std::vector<Monitor>& monitors) {
  std::vector<int> xs{window.left, window.right}, ys{window.top, window.bottom};
  for (const Monitor& m : monitors) {
    for (int x : {m.work.left, m.work.right})
      if (x > window.left && x < window.right) xs.push_back(x);
    for (int y : {m.work.top, m.work.bottom})
      if (y > window.top && y < window.bottom) ys.push_back(y);
  }
  std::sort(xs.begin(), xs.end());
  std::sort(ys.begin(), ys.end());
  for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
    if (xs[i] == xs[i + 1]) continue;
    for (std::size_t j = 0; j + 1 < ys.size(); ++j) {
      if (ys[j] == ys[j + 1]) continue;
      // The piece's middle, doubled to stay in whole numbers.
      const long long x2 = static_cast<long long>(xs[i]) + xs[i + 1], y2 = static_cast<long long>(ys[j]) + ys[j + 1];
      const bool covered = std::any_of(monitors.begin(), monitors.end(), [&](const Monitor& m) {
        return x2 > 2LL * m.work.left && x2 < 2LL * m.work.right && y2 > 2LL * m.work.top && y2 < 2LL * m.work.bottom;
      });
      if (!covered) return false;
    }
  }
  return true;
}

Rect At(int left, int top, Size size) { return {left, top, left + size.width, top + size.height}; }

// Centred in `work`, its top left corner kept inside.
Rect CentredIn(const Rect& work, Size size) {
  return At(work.left + std::max(0, (work.Width() - size.width) / 2),
            work.top + std::max(0, (work.Height() - size.height) / 2), size);
}

}  // namespace

Placement PlaceWindow(const std::vector<Monitor>& monitors, int fontPixels,
                      const std::function<Size(int fontPixels)>& windowAt) {
  Rect desktop = monitors.front().area;
  for (const Monitor& m : monitors)
    desktop = {std::min(desktop.left, m.area.left), std::min(desktop.top, m.area.top),
               std::max(desktop.right, m.area.right), std::max(desktop.bottom, m.area.bottom)};
  const Size size = windowAt(fontPixels);
  const Rect centred = At(CentredStart(desktop.Width(), size.width), CentredStart(desktop.Height(), size.height), size);
  if (WithinWorkAreas(centred, monitors)) return {fontPixels, centred};

  const auto primary = std::find_if(monitors.begin(), monitors.end(), [](const Monitor& m) { return m.primary; });
  const Rect& work = (primary != monitors.end() ? *primary : monitors.front()).work;
  int pixels = fontPixels;
  Size fitting = size;
  while (pixels > layout::kFloorFontPixels && (fitting.width > work.Width() || fitting.height > work.Height()))
    fitting = windowAt(--pixels);
  return {pixels, CentredIn(work, fitting)};
}
