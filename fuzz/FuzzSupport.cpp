#include "FuzzSupport.h"

#include <cstdio>
#include <cstdlib>

#include <zlib.h>

void Finding(const char* what) {
  std::fprintf(stderr, "finding: %s\n", what);
  std::abort();
}

TReference ReferenceInflate(const uint8_t* data, size_t size) {
  TReference ref;
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) Finding("inflateInit failed");
  zs.next_in = const_cast<Bytef*>(data);
  zs.avail_in = uInt(size);
  unsigned char buffer[65536];
  int result = Z_OK;
  while (result == Z_OK) {
    zs.next_out = buffer;
    zs.avail_out = sizeof buffer;
    result = inflate(&zs, Z_NO_FLUSH);
    ref.Bytes.append(reinterpret_cast<char*>(buffer), sizeof buffer - zs.avail_out);
  }
  ref.Complete = result == Z_STREAM_END;
  inflateEnd(&zs);
  return ref;
}
