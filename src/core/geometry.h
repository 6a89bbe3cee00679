// Layout arithmetic of the windows: pure, no Win32.
#pragma once

#include <cstdint>
#include <vector>

namespace tv {

// A colour as Windows holds it: $00BBGGRR.
using Color = std::uint32_t;

constexpr Color MakeColor(int r, int g, int b) {
  return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}
constexpr int RedOf(Color c) {
  return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(Color c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(Color c) {
  return static_cast<int>((c >> 16) & 0xFF);
}

// Origin that centres a window of `windowSize` on an area of `areaSize`, halving without
// remainder; a negative result is raised to 0.
int CenteredOrigin(int areaSize, int windowSize);

// A length in pixels at 96 dpi scaled to `dpi`, rounded to the nearest pixel.
int ScaleToDpi(int pixelsAt96, int dpi);

// Left edges of the visible buttons of the dialog's row, in order, for `visibleCount` buttons:
// gap = trunc((342 - 73 n) / (n + 1)) and the k-th at gap * k + 73 * (k - 1). The row is 342
// wide and 73 is the pitch of a 72-pixel button. Empty for a count below 1.
std::vector<int> ButtonRowLefts(int visibleCount);

// A stepped gradient of `bands` bands across `extent` pixels: band 0 (top or left) in `first`,
// the last band in `last`, each channel stepping evenly. Band i covers [BandEdge(i),
// BandEdge(i + 1)).
int BandEdge(int extent, int bands, int index);
Color BandColor(Color first, Color last, int bands, int index);

}  // namespace tv
