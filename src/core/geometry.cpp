#include "core/geometry.h"

namespace tv {

int CenteredOrigin(int areaSize, int windowSize) {
  const int origin = (areaSize - windowSize) / 2;
  return origin < 0 ? 0 : origin;
}

int ScaleToDpi(int pixelsAt96, int dpi) {
  const long long scaled = static_cast<long long>(pixelsAt96) * dpi;
  // Round half away from zero, as MulDiv does.
  return static_cast<int>(scaled >= 0 ? (scaled + 48) / 96 : (scaled - 48) / 96);
}

std::vector<int> ButtonRowLefts(int visibleCount) {
  std::vector<int> lefts;
  if (visibleCount < 1) {
    return lefts;
  }
  // Floating point and truncation toward zero, as the row was first laid out.
  const int gap = static_cast<int>((342.0 - 73.0 * visibleCount) / (visibleCount + 1));
  for (int k = 1; k <= visibleCount; ++k) {
    lefts.push_back(gap * k + 73 * (k - 1));
  }
  return lefts;
}

int BandEdge(int extent, int bands, int index) {
  if (bands < 1) {
    return index <= 0 ? 0 : extent;
  }
  return static_cast<int>(static_cast<long long>(extent) * index / bands);
}

Color BandColor(Color first, Color last, int bands, int index) {
  if (bands <= 1) {
    return first;
  }
  const auto step = [&](int a, int b) { return a + (b - a) * index / (bands - 1); };
  return MakeColor(step(RedOf(first), RedOf(last)), step(GreenOf(first), GreenOf(last)),
                   step(BlueOf(first), BlueOf(last)));
}

}  // namespace tv
