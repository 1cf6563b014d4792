#include "ZlibFixture.h"

#include <stdexcept>

#include <zlib.h>

const std::string PresetDictionaryStream = std::string("\x78\xBB\0\0\0\1\3\0", 8);

std::string Deflate(const std::string& raw, int level) {
  uLongf size = compressBound(uLong(raw.size()));
  std::string out(size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(&out[0]), &size,
                reinterpret_cast<const Bytef*>(raw.data()), uLong(raw.size()), level) != Z_OK)
    throw std::runtime_error("compress2 failed");
  out.resize(size);
  return out;
}

std::string Inflate(const std::string& zlibData) {
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) throw std::runtime_error("inflateInit failed");
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zlibData.data()));
  zs.avail_in = uInt(zlibData.size());
  std::string out;
  char buffer[4096];
  int result = Z_OK;
  while (result == Z_OK) {
    zs.next_out = reinterpret_cast<Bytef*>(buffer);
    zs.avail_out = sizeof buffer;
    result = inflate(&zs, Z_NO_FLUSH);
    out.append(buffer, sizeof buffer - zs.avail_out);
  }
  inflateEnd(&zs);
  if (result != Z_STREAM_END) throw std::runtime_error("not a complete zlib stream");
  return out;
}
