// pngdump FILE: decodes FILE with the setup's own PNG reader, for checking it against another
// decoder. Prints
//   WIDTH HEIGHT BITS_PER_PIXEL PALETTE_ENTRIES
//   RRGGBB                  one line per palette entry
//   the row's bytes in hex  one line per bitmap row, top first, (width x bits + 7) div 8 bytes
// or, when the file does not decode, "error: " and the message, with exit code 1.
#include "image/PNG.h"
#include "platform/rtl/Exceptions.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// The file is read here, not through the system seam: in the host build that is a simulated
// machine without the developer's files.
void LoadFile(TPNGImage& image, const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Exception(std::string("cannot open ") + path);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), int32_t(bytes.size()));
  stream.SetPosition(0);
  image.LoadFromStream(stream);
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: pngdump FILE\n");
    return 2;
  }
  TPNGImage image;
  try {
    LoadFile(image, argv[1]);
  } catch (const std::exception& e) {
    std::printf("error: %s\n", e.what());
    return 1;
  }
  const int bits = BitsPerPixel(image.PixelFormat());
  const std::vector<TPaletteEntry> palette = image.PaletteEntries();
  std::printf("%d %d %d %zu\n", image.Width(), image.Height(), bits, palette.size());
  for (const TPaletteEntry& e : palette) std::printf("%02X%02X%02X\n", e.Red, e.Green, e.Blue);
  const size_t rowBytes = (size_t(image.Width()) * size_t(bits) + 7) / 8;
  std::string line;
  for (int y = 0; y < image.Height(); ++y) {
    const uint8_t* row = image.ScanLine(y);
    line.clear();
    for (size_t i = 0; i < rowBytes; ++i) {
      static const char digits[] = "0123456789ABCDEF";
      line += digits[row[i] >> 4];
      line += digits[row[i] & 15];
    }
    std::printf("%s\n", line.c_str());
  }
  return 0;
}
