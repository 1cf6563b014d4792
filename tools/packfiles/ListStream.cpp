#include "tools/packfiles/ArchiveNames.h"
#include "tools/packfiles/Packer.h"

#include "platform/rtl/DateTime.h"

#include <zlib.h>

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

bool Inflate(const std::string& in, std::vector<uint8_t>& out) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return false;
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
  z.avail_in = uInt(in.size());
  int result = Z_OK;
  while (result == Z_OK) {
    uint8_t buffer[65536];
    z.next_out = buffer;
    z.avail_out = sizeof buffer;
    result = inflate(&z, Z_NO_FLUSH);
    out.insert(out.end(), buffer, buffer + (sizeof buffer - z.avail_out));
    if (result == Z_BUF_ERROR && z.avail_in == 0) break; // cut short
  }
  bool whole = result == Z_STREAM_END && z.avail_in == 0;
  inflateEnd(&z);
  return whole;
}

uint32_t LittleEndian32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

std::string Number(double value) {
  char text[32];
  auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

std::string LocalTimeText(TDateTime value) {
  TSystemTime t;
  DateTimeToSystemTime(value, t);
  char text[64];
  std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.Year, t.Month, t.Day, t.Hour,
                t.Minute, t.Second);
  return text;
}

} // namespace

int ListStream(const std::string& stream, std::ostream& out, std::ostream& err) {
  std::ifstream in(stream, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  std::vector<uint8_t> data;
  if (!in || !Inflate(bytes.str(), data)) {
    err << "packfiles: \"" << stream << "\": not a whole zlib stream\n";
    return 1;
  }
  size_t offset = 0;
  int index = 0;
  while (offset < data.size()) {
    size_t length = data[offset];
    if (data.size() - offset < 13 + length) {
      err << "packfiles: \"" << stream << "\": record " << index << " runs past the end\n";
      return 1;
    }
    std::string name(reinterpret_cast<const char*>(&data[offset + 1]), length);
    double date;
    std::memcpy(&date, &data[offset + 1 + length], sizeof date);
    int32_t size = int32_t(LittleEndian32(&data[offset + 9 + length]));
    offset += 13 + length;
    if (size < 0 || size_t(size) > data.size() - offset) {
      err << "packfiles: \"" << stream << "\": record " << index << " runs past the end\n";
      return 1;
    }
    out << index << "  " << offset << "  " << size << "  " << Number(date) << "  "
        << LocalTimeText(date) << "  " << Cp1252ToUtf8(name) << "\n";
    offset += size_t(size);
    ++index;
  }
  out << index << " records, " << data.size() << " bytes\n";
  return 0;
}
