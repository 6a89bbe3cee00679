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
  if (!ok) {
    std::fprintf(stderr, "artgen: cannot write into %s\n", folder.c_str());
    return 1;
  }
  return 0;
}
