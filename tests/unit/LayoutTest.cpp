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

TEST(ScalingLineHeight, TheMeasuredHeightOrNoScalingWithoutOne) {
  EXPECT_EQ(ScalingLineHeight(12), 12) << "a shorter font shrinks the window, at 96 DPI too";
  EXPECT_EQ(ScalingLineHeight(13), 13);
  EXPECT_EQ(ScalingLineHeight(19), 19);
  EXPECT_EQ(ScalingLineHeight(0), 13) << "no measurement: no scaling";
}

TEST(CentredStart, HalfTheSpareRoomAndNeverNegative) {
  EXPECT_EQ(CentredStart(1024, 591), 216);
  EXPECT_EQ(CentredStart(3840, 591), 1624);  // two monitors side by side
  EXPECT_EQ(CentredStart(600, 640), 0);
  EXPECT_EQ(CentredStart(640, 640), 0);
}
