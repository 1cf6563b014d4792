// makelogo OUTPUT         writes the wizard's logo
// makelogo --check FILE   exits 0 when FILE is exactly what this program writes
#include "LogoArt.h"
#include "PalettePng.h"
#include "Quantize.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

int main(int argc, char** argv) {
  const bool check = argc == 3 && std::string(argv[1]) == "--check";
  if (argc != 2 && !check) {
    std::fprintf(stderr, "usage: makelogo OUTPUT | makelogo --check FILE\n");
    return 2;
  }
  const std::string png = EncodePalettePng(Quantize(PaintLogo()));
  const char* path = argv[argc - 1];
  if (check) {
    std::ifstream in(path, std::ios::binary);
    const std::string committed{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
    if (committed == png) return 0;
    std::fprintf(stderr, "%s differs from the logo makelogo writes (%zu bytes against %zu)\n", path,
                 committed.size(), png.size());
    return 1;
  }
  std::ofstream out(path, std::ios::binary);
  out.write(png.data(), std::streamsize(png.size()));
  if (!out) {
    std::fprintf(stderr, "cannot write %s\n", path);
    return 1;
  }
  return 0;
}
