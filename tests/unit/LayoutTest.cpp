#include <gtest/gtest.h>

#include "ui/Layout.h"

TEST(ScaleToFont, DesignLineHeightKeepsEveryValue) {
  for (int v : {0, 1, 8, 13, 585, 601}) EXPECT_EQ(ScaleToFont(v, 13), v);
}

TEST(ScaleToFont, OtherLineHeightsScaleAndRoundToNearest) {
  const struct {
    int value, lineHeight, scaled;
  } cases[] = {
      {585, 19, 855},   // 855.0
      {601, 19, 878},   // 878.38
      {601, 16, 740},   // 739.69
      {8, 19, 12},      // 11.69
      {25, 16, 31},     // 30.77
      {473, 26, 946},   // exactly double
      {13, 7, 7},
      {-8, 19, -12},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ScaleToFont(c.value, c.lineHeight), c.scaled) << c.value << " at " << c.lineHeight;
}

TEST(ScaleToFont, BoxScalesEveryField) {
  EXPECT_EQ(ScaleToFont(layout::kMemo, 26), (Box{16, 384, 1138, 802}));
}

TEST(ScalingLineHeight, TheMeasuredHeightButNoLessThanTheFontsSizeAsksOrNoScalingWithoutOne) {
  const struct {
    int measured, pixels, scaling;
  } cases[] = {
      {13, 11, 13}, {16, 13, 16}, {19, 16, 19}, {23, 19, 23},  // Tahoma at 96, 120, 144 and 168 dpi
      {11, 9, 11}, {12, 10, 12},                              // smaller ones, whose line is as high as their size asks
      {14, 12, 15},  // a line short for its size: as high as 12 pixels ask (14.2)
      {12, 11, 13},  // at 96 dpi too: the text is as wide as 11 pixels make it
      {0, 16, 13},   // no measurement: no scaling
  };
  for (const auto& c : cases)
    EXPECT_EQ(ScalingLineHeight(c.measured, c.pixels), c.scaling) << c.measured << " at " << c.pixels << " px";
}

TEST(CentredStart, HalfTheSpareRoomAndNeverNegative) {
  EXPECT_EQ(CentredStart(1024, 591), 216);
  EXPECT_EQ(CentredStart(3840, 591), 1624);  // two monitors side by side
  EXPECT_EQ(CentredStart(600, 640), 0);
  EXPECT_EQ(CentredStart(640, 640), 0);
}

// The window's place at start on the screens users have. Its size follows a
// model of the real one: Tahoma's line height at each pixel size (as Wine's
// Tahoma measures), the client area scaled by it, and a fixed frame and
// title bar of the screen's density.
TEST(PlaceWindow, OnEveryMonitorLayoutTheWholeWindowLiesInAWorkArea) {
  const auto windowAt = [](int frameHeight) {
    return [frameHeight](int pixels) {
      static const int kLineHeight[] = {7, 8, 10, 11, 12, 13, 14, 16, 17, 18, 19, 21, 22, 23, 24};  // 6 to 20 px
      const int h = ScalingLineHeight(kLineHeight[pixels - 6], pixels);
      return Size{ScaleToFont(layout::kClientWidth, h) + 6, ScaleToFont(layout::kClientHeight, h) + frameHeight};
    };
  };
  const auto screen = [](int w, int h, int taskbar = 40) { return Monitor{{0, 0, w, h}, {0, 0, w, h - taskbar}, true}; };
  const struct {
    const char* layout;
    std::vector<Monitor> monitors;
    int fontPixels, frameHeight;
    Placement placed;
  } cases[] = {
      // Where the window lay within the work areas, it opens where it always did.
      {"one monitor", {screen(1024, 768)}, 11, 25, {11, {216, 71, 807, 697}}},
      {"two side by side, centred across both",
       {screen(1920, 1080), {{1920, 0, 3840, 1080}, {1920, 0, 3840, 1040}}}, 11, 25, {11, {1624, 227, 2215, 853}}},
      {"at 144 dpi", {screen(1280, 1024)}, 16, 33, {16, {209, 56, 1070, 967}}},
      // Elsewhere it is centred in the primary monitor's work area.
      {"the second left of the primary",
       {screen(1920, 1080), {{-1920, 0, 0, 1080}, {-1920, 0, 0, 1040}}}, 11, 25, {11, {664, 207, 1255, 833}}},
      {"the second above the primary",
       {screen(1920, 1080), {{0, -1080, 1920, 0}, {0, -1080, 1920, -40}}}, 11, 25, {11, {664, 207, 1255, 833}}},
      {"a taskbar at the bottom", {screen(1280, 720, 48)}, 11, 25, {11, {344, 23, 935, 649}}},
      // and where it does not fit there, its font is made smaller until it does.
      // (12 pixels ask for the window of a 15-pixel line, as high as 13's.)
      {"a taskbar at the side, 125 %", {{{0, 0, 1366, 768}, {0, 0, 1306, 768}, true}}, 13, 30, {12, {312, 22, 993, 745}}},
      {"125 % on 1366 x 768", {screen(1366, 768, 60)}, 13, 30, {11, {387, 38, 978, 669}}},
      {"175 % on 1920 x 1080", {screen(1920, 1080, 84)}, 19, 39, {16, {529, 39, 1390, 956}}},
      {"1024 x 600 at 96 dpi", {screen(1024, 600)}, 11, 25, {9, {261, 13, 762, 547}}},
      {"not even the floor fits", {screen(640, 400)}, 11, 25, {8, {92, 0, 548, 487}}},
  };
  for (const auto& c : cases) {
    const Placement placed = PlaceWindow(c.monitors, c.fontPixels, windowAt(c.frameHeight));
    EXPECT_EQ(placed.fontPixels, c.placed.fontPixels) << c.layout;
    const Rect& w = placed.window;
    EXPECT_EQ(w, c.placed.window) << c.layout << ": " << w.left << "," << w.top << "," << w.right << "," << w.bottom;
  }
}
