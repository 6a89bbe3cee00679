#include "core/geometry.h"

#include <gtest/gtest.h>

namespace tv {
namespace {

TEST(ButtonRowLefts, MatchesTheDialogsRowTable) {
  EXPECT_EQ(ButtonRowLefts(1), std::vector<int>({134}));
  EXPECT_EQ(ButtonRowLefts(2), std::vector<int>({65, 203}));
  EXPECT_EQ(ButtonRowLefts(3), std::vector<int>({30, 133, 236}));
  EXPECT_EQ(ButtonRowLefts(4), std::vector<int>({10, 93, 176, 259}));
  EXPECT_TRUE(ButtonRowLefts(0).empty());
}

TEST(CenteredOrigin, HalvesWithoutRemainderAndClampsAtZero) {
  EXPECT_EQ(CenteredOrigin(1024, 383), 320);
  EXPECT_EQ(CenteredOrigin(1025, 384), 320);
  EXPECT_EQ(CenteredOrigin(300, 383), 0);
  EXPECT_EQ(CenteredOrigin(383, 383), 0);
}

TEST(ScaleToDpi, RoundsToTheNearestPixel) {
  EXPECT_EQ(ScaleToDpi(377, 96), 377);
  EXPECT_EQ(ScaleToDpi(377, 120), 471);  // 471.25
  EXPECT_EQ(ScaleToDpi(182, 144), 273);
  EXPECT_EQ(ScaleToDpi(75, 120), 94);  // 93.75
  EXPECT_EQ(ScaleToDpi(-8, 144), -12);
}

TEST(Gradient, BandsRunEvenlyFromFirstToLast) {
  const Color white = MakeColor(255, 255, 255);
  const Color window = MakeColor(238, 238, 223);
  EXPECT_EQ(BandColor(white, window, 64, 0), white);
  EXPECT_EQ(BandColor(white, window, 64, 63), window);
  const Color middle = BandColor(white, window, 64, 32);
  EXPECT_EQ(RedOf(middle), 255 - (17 * 32) / 63);
  EXPECT_EQ(BlueOf(middle), 255 - (32 * 32) / 63);
  // Channels move monotonically.
  for (int i = 1; i < 64; ++i) {
    EXPECT_LE(BlueOf(BandColor(white, window, 64, i)), BlueOf(BandColor(white, window, 64, i - 1)));
  }
  EXPECT_EQ(BandColor(white, window, 1, 0), white);
}

TEST(Gradient, BandEdgesCoverTheExtentWithoutGaps) {
  EXPECT_EQ(BandEdge(39, 64, 0), 0);
  EXPECT_EQ(BandEdge(39, 64, 64), 39);
  for (int i = 0; i < 64; ++i) {
    EXPECT_LE(BandEdge(39, 64, i), BandEdge(39, 64, i + 1));
  }
  EXPECT_EQ(BandEdge(339, 64, 32), 169);
}

TEST(MakeColor, IsWindowsByteOrder) {
  EXPECT_EQ(MakeColor(255, 0, 0), 0x000000FFu);
  EXPECT_EQ(MakeColor(238, 238, 223), 0x00DFEEEEu);
  EXPECT_EQ(MakeColor(56, 54, 35), 0x00233638u);
}

}  // namespace
}  // namespace tv
