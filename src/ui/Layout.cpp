#include "ui/Layout.h"

int ScalingLineHeight(int measuredLineHeight) {
  return measuredLineHeight > 0 ? measuredLineHeight : layout::kDesignLineHeight;
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
