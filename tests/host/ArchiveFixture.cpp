#include "ArchiveFixture.h"

#include "install/InstUtils.h"

#include <zlib.h>

#include <cstring>
#include <fstream>
#include <sstream>

std::string RecordBytes(const std::vector<TRecordSpec>& records) {
  std::string out;
  for (const TRecordSpec& r : records) {
    out += char(r.Name.size());
    out += r.Name;
    char date[8];
    std::memcpy(date, &r.Date, 8);
    out.append(date, 8);
    int32_t size = int32_t(r.Content.size());
    char length[4];
    std::memcpy(length, &size, 4);
    out.append(length, 4);
    out += r.Content;
  }
  return out;
}

std::string Deflate(const std::string& bytes, int level) {
  std::string out(compressBound(uLong(bytes.size())), '\0');
  uLongf size = uLongf(out.size());
  compress2(reinterpret_cast<Bytef*>(&out[0]), &size, reinterpret_cast<const Bytef*>(bytes.data()),
            uLong(bytes.size()), level);
  out.resize(size);
  return out;
}

const std::string& BuildPayload() {
  static const std::string stream = [] {
    std::ifstream in(PENNACLE_FILES_ZLIB, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }();
  return stream;
}

std::unique_ptr<TAttachedFiles> ArchiveTest::Load(const std::string& stream) {
  Sim.AddResource("FILES", "FILES", stream);
  return std::make_unique<TAttachedFiles>();
}

std::vector<std::string> ArchiveTest::Log() const {
  std::vector<std::string> lines;
  if (InstallLog)
    for (int i = 0; i < InstallLog->Count(); ++i) lines.push_back((*InstallLog)[i]);
  return lines;
}
