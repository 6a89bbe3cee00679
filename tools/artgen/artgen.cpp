// Draws the tool's artwork and writes it as Windows icon and bitmap files.
// Usage: artgen OUTPUT_FOLDER
// The output is committed beside the resources; run this again only to change the pictures.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Rgba {
  double r = 0, g = 0, b = 0, a = 0;  // 0..255, a 0..1
};

// A square picture drawn at full precision, then quantised by the writers.
struct Picture {
  int size;
  std::vector<Rgba> pixels;
  explicit Picture(int s) : size(s), pixels(static_cast<size_t>(s) * s) {}
  Rgba& at(int x, int y) { return pixels[static_cast<size_t>(y) * size + x]; }
  const Rgba& at(int x, int y) const { return pixels[static_cast<size_t>(y) * size + x]; }
};

void PutLe16(std::vector<uint8_t>& out, unsigned v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i)
    out.push_back((v >> (8 * i)) & 0xFF);
}

uint8_t Clamp8(double v) {
  return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L));
}

Rgba Hsv(double h, double s, double v) {
  h = std::fmod(h, 360.0);
  if (h < 0)
    h += 360.0;
  const double c = v * s, x = c * (1 - std::fabs(std::fmod(h / 60.0, 2) - 1)), m = v - c;
  double r = 0, g = 0, b = 0;
  if (h < 60) {
    r = c;
    g = x;
  } else if (h < 120) {
    r = x;
    g = c;
  } else if (h < 180) {
    g = c;
    b = x;
  } else if (h < 240) {
    g = x;
    b = c;
  } else if (h < 300) {
    r = x;
    b = c;
  } else {
    r = c;
    b = x;
  }
  return {255 * (r + m), 255 * (g + m), 255 * (b + m), 1};
}

// A compact disc seen face-on: silver data area with rainbow reflections, a clear hub and a
// transparent centre hole; transparent outside the rim.
Picture DrawDisc(int size) {
  Picture p(size);
  const double c = (size - 1) / 2.0;
  const double outer = size / 2.0 - 0.3, hub = size * 0.21, hole = size * 0.085;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double dx = x - c, dy = y - c, r = std::hypot(dx, dy);
      if (r > outer || r < hole)
        continue;  // transparent
      const double angle = std::atan2(dy, dx) * 180.0 / M_PI;
      Rgba px;
      if (r < hub) {
        // The clear plastic hub: pale grey with a thin ring.
        const double shade = (r > hub - 1.2 || r < hole + 1.0) ? 150 : 215;
        px = {shade, shade, shade + 8, 1};
      } else if (r > outer - 1.0) {
        px = {120, 120, 130, 1};  // the rim
      } else {
        // Silver base, with two rainbow reflections opposite each other.
        const double sweep = std::pow(std::fabs(std::cos((angle - 35) * M_PI / 180.0)), 3.0);
        const double radial = (r - hub) / (outer - hub);
        const Rgba rainbow = Hsv(radial * 300.0 + 40.0 * std::sin(angle * M_PI / 180.0), 0.85, 1.0);
        const double silver = 200 + 30 * std::sin(angle * M_PI / 90.0);
        const double mix = 0.15 + 0.8 * sweep;
        px = {silver * (1 - mix) + rainbow.r * mix, silver * (1 - mix) + rainbow.g * mix,
              silver * (1 - mix) + rainbow.b * mix, 1};
      }
      p.at(x, y) = px;
    }
  }
  return p;
}

// Paints `color` wherever `inside` holds, with 4 x 4 supersampling for smooth edges.
template <typename Inside>
void Fill(Picture& p, Rgba color, Inside&& inside) {
  for (int y = 0; y < p.size; ++y) {
    for (int x = 0; x < p.size; ++x) {
      int hits = 0;
      for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
          hits += inside(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0) ? 1 : 0;
        }
      }
      if (hits == 0)
        continue;
      const double cover = hits / 16.0 * color.a;
      Rgba& px = p.at(x, y);
      const double a = cover + px.a * (1 - cover);
      if (a <= 0)
        continue;
      px.r = (color.r * cover + px.r * px.a * (1 - cover)) / a;
      px.g = (color.g * cover + px.g * px.a * (1 - cover)) / a;
      px.b = (color.b * cover + px.b * px.a * (1 - cover)) / a;
      px.a = a;
    }
  }
}

bool InEllipse(double x, double y, double cx, double cy, double rx, double ry) {
  const double dx = (x - cx) / rx, dy = (y - cy) / ry;
  return dx * dx + dy * dy <= 1.0;
}

double SegmentDistance(double x, double y, double ax, double ay, double bx, double by) {
  const double vx = bx - ax, vy = by - ay;
  double t = ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy);
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(x - (ax + t * vx), y - (ay + t * vy));
}

bool InTriangle(double x, double y, double ax, double ay, double bx, double by, double cx,
                double cy) {
  const auto side = [](double px, double py, double qx, double qy, double rx, double ry) {
    return (px - rx) * (qy - ry) - (qx - rx) * (py - ry);
  };
  const double d1 = side(x, y, ax, ay, bx, by), d2 = side(x, y, bx, by, cx, cy),
               d3 = side(x, y, cx, cy, ax, ay);
  return !((d1 < 0 || d2 < 0 || d3 < 0) && (d1 > 0 || d2 > 0 || d3 > 0));
}

// A flat background in `left`, growing slightly lighter towards the right edge.
Picture Background(int size, Rgba left) {
  Picture p(size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double t = x / double(size - 1) * 0.10;
      p.at(x, y) = {left.r + (255 - left.r) * t, left.g + (255 - left.g) * t,
                    left.b + (255 - left.b) * t, 1};
    }
  }
  return p;
}

// A white oval speech bubble with a short tail at the bottom.
void SpeechBubble(Picture& p) {
  const Rgba shadow{0, 0, 40, 0.35}, white{255, 255, 255, 1};
  Fill(p, shadow, [](double x, double y) {
    return InEllipse(x, y, 16.8, 13.8, 13.2, 10.6) || InTriangle(x, y, 10.5, 20, 16.5, 21, 8.5, 29);
  });
  Fill(p, white, [](double x, double y) {
    return InEllipse(x, y, 16, 13, 13.2, 10.6) || InTriangle(x, y, 10, 19.5, 16, 20.5, 8, 28);
  });
}

Picture DrawInformation(int size) {
  Picture p = Background(size, {4, 4, 188, 1});
  SpeechBubble(p);
  const Rgba ink{16, 24, 140, 1};
  Fill(p, ink, [](double x, double y) { return InEllipse(x, y, 16, 7.2, 1.9, 1.9); });
  Fill(p, ink, [](double x, double y) {
    return (x >= 14.4 && x <= 17.6 && y >= 10.5 && y <= 19.5) ||
           (x >= 13 && x <= 17.6 && y >= 10.5 && y <= 12) ||
           (x >= 13 && x <= 19 && y >= 18.3 && y <= 19.5);
  });
  return p;
}

Picture DrawConfirmation(int size) {
  Picture p = Background(size, {55, 96, 157, 1});
  SpeechBubble(p);
  const Rgba ink{16, 24, 140, 1};
  // The hook of the question mark: a thick arc over the top, then the stem.
  Fill(p, ink, [](double x, double y) {
    const double r = std::hypot(x - 16, y - 10);
    const double angle = std::atan2(y - 10, x - 16) * 180 / M_PI;  // 0 right, 90 down
    const bool arc = r >= 2.4 && r <= 5.2 && (angle <= 60 || angle >= 160 || angle <= -10);
    const bool stem = SegmentDistance(x, y, 18.2, 14.2, 16, 16.5) <= 1.5 ||
                      (x >= 14.5 && x <= 17.5 && y >= 15.5 && y <= 18.2);
    return arc || stem;
  });
  Fill(p, ink, [](double x, double y) { return InEllipse(x, y, 16, 20.6, 1.8, 1.8); });
  return p;
}

// A yellow triangle with blunted corners holding an exclamation mark.
void WarningTriangle(Picture& p, double scale, double dx, double dy, Rgba ink) {
  const auto in = [&](double x, double y, double grow) {
    const double ux = (x - dx) / scale, uy = (y - dy) / scale;
    const double ax = 16, ay = 5.5, bx = 28, by = 27, cx = 4, cy = 27;
    if (InTriangle(ux, uy, ax, ay, bx, by, cx, cy))
      return true;
    return std::min({SegmentDistance(ux, uy, ax, ay, bx, by),
                     SegmentDistance(ux, uy, bx, by, cx, cy),
                     SegmentDistance(ux, uy, cx, cy, ax, ay)}) <= grow;
  };
  Fill(p, {40, 30, 0, 1}, [&](double x, double y) { return in(x, y, 2.6); });
  Fill(p, {255, 214, 0, 1}, [&](double x, double y) { return in(x, y, 1.4); });
  Fill(p, ink, [&](double x, double y) {
    const double ux = (x - dx) / scale, uy = (y - dy) / scale;
    return SegmentDistance(ux, uy, 16, 12, 16, 19.5) <= 1.7 ||
           InEllipse(ux, uy, 16, 23.3, 1.8, 1.8);
  });
}

Picture DrawWarning(int size) {
  Picture p = Background(size, {58, 56, 37, 1});
  WarningTriangle(p, 1.0, 0, 0, {30, 24, 10, 1});
  return p;
}

Picture DrawError(int size) {
  Picture p = Background(size, {255, 7, 7, 1});
  Fill(p, {110, 0, 0, 1}, [](double x, double y) { return InEllipse(x, y, 16, 16.5, 13.5, 13.5); });
  // The disc: dark red at the rim, bright towards the top left.
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double cx = x + 0.5, cy = y + 0.5;
      if (!InEllipse(cx, cy, 16, 16, 12.3, 12.3))
        continue;
      const double d = std::hypot(cx - 12, cy - 11) / 19.0;
      p.at(x, y) = {255 - 90 * d, 40 - 30 * d, 30 - 25 * d, 1};
    }
  }
  Fill(p, {255, 255, 255, 0.45},
       [](double x, double y) { return InEllipse(x, y, 14, 9.5, 7.5, 4); });
  Fill(p, {255, 255, 255, 1}, [](double x, double y) {
    return SegmentDistance(x, y, 10.5, 10.5, 21.5, 21.5) <= 2.2 ||
           SegmentDistance(x, y, 21.5, 10.5, 10.5, 21.5) <= 2.2;
  });
  return p;
}

// The dialog's placeholder icon: a yellow warning triangle with a black exclamation mark on a
// transparent background.
Picture DrawPlaceholder(int size) {
  Picture p(size);
  WarningTriangle(p, size / 32.0, 0, 0, {0, 0, 0, 1});
  return p;
}

Rgba Quantise(const Rgba& c, const std::vector<Rgba>& palette, int* index) {
  int best = 0;
  double bestDistance = 1e18;
  for (size_t i = 0; i < palette.size(); ++i) {
    const double d = std::pow(c.r - palette[i].r, 2) + std::pow(c.g - palette[i].g, 2) +
                     std::pow(c.b - palette[i].b, 2);
    if (d < bestDistance) {
      bestDistance = d;
      best = static_cast<int>(i);
    }
  }
  *index = best;
  return palette[best];
}

std::vector<Rgba> Palette(int bits) {
  std::vector<Rgba> palette;
  if (bits == 1) {
    palette = {{0, 0, 0, 1}, {255, 255, 255, 1}};
  } else if (bits == 4) {
    const int vga[16][3] = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                            {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                            {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                            {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
    for (const auto& c : vga)
      palette.push_back({double(c[0]), double(c[1]), double(c[2]), 1});
  } else {
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b)
          palette.push_back({r * 51.0, g * 51.0, b * 51.0, 1});
    for (int i = 0; i < 40; ++i) {
      const double v = 8 + i * 6;
      palette.push_back({v, v, v, 1});
    }
  }
  return palette;
}

void PutHeader(std::vector<uint8_t>& out, int n, int bits, int colors) {
  PutLe32(out, 40);
  PutLe32(out, n);
  PutLe32(out, n * 2);
  PutLe16(out, 1);
  PutLe16(out, bits);
  PutLe32(out, 0);
  PutLe32(out, 0);
  PutLe32(out, 0);
  PutLe32(out, 0);
  PutLe32(out, colors);
  PutLe32(out, 0);
}

void PutMask(std::vector<uint8_t>& out, const Picture& p) {
  const int n = p.size, maskBytes = (n + 31) / 32 * 4;
  for (int y = n - 1; y >= 0; --y) {
    std::vector<uint8_t> row(maskBytes, 0);
    for (int x = 0; x < n; ++x) {
      if (p.at(x, y).a < 0.5)
        row[x / 8] |= 0x80 >> (x % 8);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
}

// A paletted icon image (1, 4 or 8 bits per pixel) with its transparency mask.
std::vector<uint8_t> IconPaletted(const Picture& p, int bits) {
  std::vector<uint8_t> out;
  const std::vector<Rgba> palette = Palette(bits);
  const int n = p.size;
  PutHeader(out, n, bits, 0);
  for (size_t i = 0; i < (size_t(1) << bits); ++i) {
    const Rgba c = i < palette.size() ? palette[i] : Rgba{};
    out.push_back(Clamp8(c.b));
    out.push_back(Clamp8(c.g));
    out.push_back(Clamp8(c.r));
    out.push_back(0);
  }
  const int rowBytes = (n * bits + 31) / 32 * 4;
  for (int y = n - 1; y >= 0; --y) {
    std::vector<uint8_t> row(rowBytes, 0);
    for (int x = 0; x < n; ++x) {
      const Rgba& px = p.at(x, y);
      int index = 0;
      if (px.a >= 0.5) {
        // In two colours the triangle is white and its mark black.
        const Rgba c =
            bits == 1 ? (px.r + px.g > 200 ? Rgba{255, 255, 255, 1} : Rgba{0, 0, 0, 1}) : px;
        Quantise(c, palette, &index);
      }
      const int bit = x * bits;
      row[bit / 8] |= static_cast<uint8_t>(index << (8 - bits - bit % 8));
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  PutMask(out, p);
  return out;
}

// A 32-bit icon image with its alpha channel (and the mask older systems read).
std::vector<uint8_t> Icon32(const Picture& p) {
  std::vector<uint8_t> out;
  const int n = p.size;
  PutHeader(out, n, 32, 0);
  for (int y = n - 1; y >= 0; --y) {
    for (int x = 0; x < n; ++x) {
      const Rgba& px = p.at(x, y);
      out.push_back(Clamp8(px.b));
      out.push_back(Clamp8(px.g));
      out.push_back(Clamp8(px.r));
      out.push_back(Clamp8(px.a * 255));
    }
  }
  PutMask(out, p);
  return out;
}

// A Windows bitmap file: 24 bits per pixel, uncompressed, bottom-up.
bool WriteBmp24(const std::string& path, const Picture& p) {
  const int n = p.size, rowBytes = (n * 3 + 3) / 4 * 4;
  const uint32_t pixelBytes = rowBytes * n;
  std::vector<uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  PutLe32(out, 14 + 40 + pixelBytes);
  PutLe32(out, 0);
  PutLe32(out, 14 + 40);
  PutLe32(out, 40);
  PutLe32(out, n);
  PutLe32(out, n);
  PutLe16(out, 1);
  PutLe16(out, 24);
  PutLe32(out, 0);  // BI_RGB
  PutLe32(out, pixelBytes);
  PutLe32(out, 2835);
  PutLe32(out, 2835);
  PutLe32(out, 0);
  PutLe32(out, 0);
  for (int y = n - 1; y >= 0; --y) {
    int written = 0;
    for (int x = 0; x < n; ++x, written += 3) {
      const Rgba& px = p.at(x, y);
      out.push_back(Clamp8(px.b));
      out.push_back(Clamp8(px.g));
      out.push_back(Clamp8(px.r));
    }
    for (; written < rowBytes; ++written)
      out.push_back(0);
  }
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr)
    return false;
  const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  return std::fclose(f) == 0 && ok;
}

// One image of an .ico file: a 24-bit colour bitmap (bottom-up) and a 1-bit transparency mask.
std::vector<uint8_t> Icon24(const Picture& p) {
  std::vector<uint8_t> out;
  const int n = p.size;
  PutLe32(out, 40);
  PutLe32(out, n);
  PutLe32(out, n * 2);  // colour and mask stacked
  PutLe16(out, 1);
  PutLe16(out, 24);
  PutLe32(out, 0);
  PutLe32(out, 0);
  PutLe32(out, 0);
  PutLe32(out, 0);
  PutLe32(out, 0);
  PutLe32(out, 0);
  const int rowBytes = (n * 3 + 3) / 4 * 4;
  for (int y = n - 1; y >= 0; --y) {
    int written = 0;
    for (int x = 0; x < n; ++x, written += 3) {
      const Rgba& px = p.at(x, y);
      const bool opaque = px.a >= 0.5;
      out.push_back(opaque ? Clamp8(px.b) : 0);
      out.push_back(opaque ? Clamp8(px.g) : 0);
      out.push_back(opaque ? Clamp8(px.r) : 0);
    }
    for (; written < rowBytes; ++written)
      out.push_back(0);
  }
  const int maskBytes = (n + 31) / 32 * 4;
  for (int y = n - 1; y >= 0; --y) {
    std::vector<uint8_t> row(maskBytes, 0);
    for (int x = 0; x < n; ++x) {
      if (p.at(x, y).a < 0.5)
        row[x / 8] |= 0x80 >> (x % 8);  // 1: transparent
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

struct IconEntry {
  int size;
  int bitCount;
  int paletteColors;
  std::vector<uint8_t> data;
};

bool WriteIco(const std::string& path, const std::vector<IconEntry>& entries) {
  std::vector<uint8_t> out;
  PutLe16(out, 0);
  PutLe16(out, 1);
  PutLe16(out, static_cast<unsigned>(entries.size()));
  uint32_t offset = 6 + 16 * static_cast<uint32_t>(entries.size());
  for (const IconEntry& e : entries) {
    out.push_back(e.size >= 256 ? 0 : e.size);
    out.push_back(e.size >= 256 ? 0 : e.size);
    out.push_back(e.paletteColors >= 256 ? 0 : e.paletteColors);
    out.push_back(0);
    PutLe16(out, 1);
    PutLe16(out, e.bitCount);
    PutLe32(out, static_cast<uint32_t>(e.data.size()));
    PutLe32(out, offset);
    offset += static_cast<uint32_t>(e.data.size());
  }
  for (const IconEntry& e : entries)
    out.insert(out.end(), e.data.begin(), e.data.end());
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr)
    return false;
  const bool ok = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: artgen OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  bool ok = WriteIco(folder + "/mainicon.ico", {{32, 24, 0, Icon24(DrawDisc(32))}});
  ok = ok && WriteBmp24(folder + "/information.bmp", DrawInformation(32));
  ok = ok && WriteBmp24(folder + "/confirmation.bmp", DrawConfirmation(32));
  ok = ok && WriteBmp24(folder + "/warning.bmp", DrawWarning(32));
  ok = ok && WriteBmp24(folder + "/error.bmp", DrawError(32));
  ok = ok &&
       WriteIco(folder + "/placeholder.ico", {{32, 4, 16, IconPaletted(DrawPlaceholder(32), 4)},
                                              {16, 4, 16, IconPaletted(DrawPlaceholder(16), 4)},
                                              {32, 1, 2, IconPaletted(DrawPlaceholder(32), 1)},
                                              {48, 8, 256, IconPaletted(DrawPlaceholder(48), 8)},
                                              {32, 8, 256, IconPaletted(DrawPlaceholder(32), 8)},
                                              {16, 8, 256, IconPaletted(DrawPlaceholder(16), 8)},
                                              {48, 32, 0, Icon32(DrawPlaceholder(48))},
                                              {32, 32, 0, Icon32(DrawPlaceholder(32))},
                                              {16, 32, 0, Icon32(DrawPlaceholder(16))}});
  if (!ok) {
    std::fprintf(stderr, "artgen: cannot write into %s\n", folder.c_str());
    return 1;
  }
  return 0;
}
