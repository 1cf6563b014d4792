// zlib's CRC-32, which its inflater checks on gzip streams only. The library's own version
// brings 8 KB of tables into the shipped program for a speed no stream of the setup needs;
// this is the same function with one table of 16 entries, and it takes the library's place
// wherever it is linked as an object (an archive member would come too late).
#include <zlib.h>

#include <array>
#include <cstdint>

namespace {

// The remainders of the 16 nibbles under the reflected polynomial of CRC-32.
constexpr std::array<uint32_t, 16> NibbleRemainders() {
  std::array<uint32_t, 16> table{};
  for (uint32_t n = 0; n < 16; ++n) {
    uint32_t c = n;
    for (int bit = 0; bit < 4; ++bit) c = c & 1 ? (c >> 1) ^ 0xEDB88320u : c >> 1;
    table[n] = c;
  }
  return table;
}

constexpr std::array<uint32_t, 16> Remainders = NibbleRemainders();

} // namespace

extern "C" uLong ZEXPORT crc32(uLong crc, const Bytef* buf, uInt len) {
  if (!buf) return 0; // the library's answer: the initial value
  uint32_t c = ~uint32_t(crc);
  for (uInt i = 0; i < len; ++i) {
    c ^= buf[i];
    c = (c >> 4) ^ Remainders[c & 15];
    c = (c >> 4) ^ Remainders[c & 15];
  }
  return ~c;
}
