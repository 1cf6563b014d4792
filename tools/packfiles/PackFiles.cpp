#include "tools/packfiles/ArchiveNames.h"
#include "tools/packfiles/Packer.h"

#include "platform/rtl/DateTime.h"

#include <sys/stat.h>
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <vector>

namespace {

constexpr int64_t kMaxBytes = INT32_MAX;
constexpr const char* kCannotWrite = "the output cannot be written";

struct TEntry {
  std::string ListName; // as the list writes it
  std::string Name;     // code page 1252, as the archive stores it
  std::string Path;
  int32_t Size = 0;
  TDateTime Date = 0;
};

class TRefusal {
public:
  TRefusal(std::ostream& err) : Err(err) {}
  int operator()(const std::string& name, const std::string& reason) {
    Err << "packfiles: \"" << name << "\": " << reason << "\n";
    return 1;
  }

private:
  std::ostream& Err;
};

std::vector<std::string> ReadList(const std::string& listFile, bool& ok) {
  std::ifstream in(listFile, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  ok = bool(in);
  std::string all = text.str();
  if (all.compare(0, 3, "\xEF\xBB\xBF") == 0) all.erase(0, 3);
  std::vector<std::string> lines;
  std::istringstream split(all);
  for (std::string line; std::getline(split, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line); // blank lines separate nothing
  }
  return lines;
}

std::string HostPath(const std::string& productDir, const std::string& listName) {
  std::string path = productDir + "/" + listName;
  for (size_t i = productDir.size() + 1; i < path.size(); ++i)
    if (path[i] == '\\') path[i] = '/';
  return path;
}

// Every folder a name lies in, folded: A\B\c gives A and A\B.
std::vector<std::string> FoldersOf(const std::string& folded) {
  std::vector<std::string> folders;
  for (size_t at = folded.find('\\'); at != std::string::npos; at = folded.find('\\', at + 1))
    folders.push_back(folded.substr(0, at));
  return folders;
}

// The last-write time in local time, rounded down to an even second.
bool LocalDate(const struct stat& st, TDateTime& date, std::string& problem) {
  std::tm local{};
  time_t seconds = st.st_mtime;
  if (!localtime_r(&seconds, &local)) {
    problem = "its date cannot be read";
    return false;
  }
  int year = local.tm_year + 1900;
  // The setup applies a file's date only in these years; it would install any other as now.
  if (year < 1980 || year > 2099) {
    problem = "its date falls in " + std::to_string(year) + ", outside 1980 to 2099";
    return false;
  }
  int second = local.tm_sec > 59 ? 58 : local.tm_sec & ~1;
  return TryEncodeDateTime(year, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                           second, 0, date);
}

void PutLittleEndian(std::string& out, uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += char(value >> (8 * i) & 0xFF);
}

struct TFileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using TFilePtr = std::unique_ptr<FILE, TFileCloser>;

// Deflates everything put into it at level 9 into one file.
class TDeflater {
public:
  explicit TDeflater(FILE* out) : Out(out) {
    Ok = deflateInit2(&Z, 9, Z_DEFLATED, 15, 9, Z_DEFAULT_STRATEGY) == Z_OK;
  }
  ~TDeflater() { deflateEnd(&Z); }
  TDeflater(const TDeflater&) = delete;
  TDeflater& operator=(const TDeflater&) = delete;

  bool Put(const void* data, size_t size) { return Run(data, size, Z_NO_FLUSH); }
  bool Finish() { return Run(nullptr, 0, Z_FINISH); }

private:
  bool Run(const void* data, size_t size, int flush) {
    if (!Ok) return false;
    Z.next_in = static_cast<Bytef*>(const_cast<void*>(data));
    Z.avail_in = uInt(size);
    do {
      uint8_t buffer[65536];
      Z.next_out = buffer;
      Z.avail_out = sizeof buffer;
      int result = deflate(&Z, flush);
      if (result == Z_STREAM_ERROR) return Ok = false;
      size_t have = sizeof buffer - Z.avail_out;
      if (have && std::fwrite(buffer, 1, have, Out) != have) return Ok = false;
    } while (Z.avail_out == 0 || Z.avail_in != 0);
    return true;
  }

  FILE* Out;
  z_stream Z{};
  bool Ok = false;
};

// Copies exactly the size the entry was checked with; a file that changed meanwhile fails.
bool PutContent(TDeflater& deflater, const TEntry& entry, std::string& problem) {
  TFilePtr in(std::fopen(entry.Path.c_str(), "rb"));
  if (!in) {
    problem = "the file cannot be read";
    return false;
  }
  std::vector<uint8_t> buffer(1 << 16);
  int64_t left = entry.Size;
  while (left > 0) {
    size_t want = size_t(std::min<int64_t>(left, int64_t(buffer.size())));
    size_t got = std::fread(buffer.data(), 1, want, in.get());
    if (got == 0) break;
    if (!deflater.Put(buffer.data(), got)) {
      problem = kCannotWrite;
      return false;
    }
    left -= int64_t(got);
  }
  if (left != 0 || std::fgetc(in.get()) != EOF) {
    problem = "the file changed while it was packed";
    return false;
  }
  return true;
}

bool WriteArchive(const std::string& path, const std::vector<TEntry>& entries, std::string& failed,
                  std::string& problem) {
  TFilePtr out(std::fopen(path.c_str(), "wb"));
  problem = kCannotWrite;
  if (!out) return false;
  {
    TDeflater deflater(out.get());
    for (const TEntry& entry : entries) {
      std::string header(1, char(entry.Name.size()));
      header += entry.Name;
      uint64_t dateBits;
      std::memcpy(&dateBits, &entry.Date, sizeof dateBits);
      PutLittleEndian(header, dateBits, 8);
      PutLittleEndian(header, uint32_t(entry.Size), 4);
      if (!deflater.Put(header.data(), header.size())) return false;
      if (!PutContent(deflater, entry, problem)) {
        if (problem != kCannotWrite) failed = entry.ListName;
        return false;
      }
    }
    if (!deflater.Finish()) return false;
  }
  return std::fclose(out.release()) == 0;
}

} // namespace

int PackFiles(const std::string& productDir, const std::string& listFile, const std::string& output,
              std::ostream& err) {
  TRefusal refuse(err);
  bool listRead = false;
  std::vector<std::string> lines = ReadList(listFile, listRead);
  if (!listRead) return refuse(listFile, "the list cannot be read");

  std::vector<TEntry> entries;
  std::map<std::string, std::string> files, folders; // folded name -> the list's name
  int64_t total = 0;
  for (const std::string& line : lines) {
    std::optional<std::string> name = Utf8To1252(line);
    if (!name) return refuse(line, "the name has a character that code page 1252 does not have");
    std::string problem = NameProblem(*name);
    if (!problem.empty()) return refuse(line, problem);
    std::string folded = FoldCase1252(*name);
    if (auto it = files.find(folded); it != files.end())
      return refuse(line, "the name equals \"" + it->second + "\" ignoring case");
    if (auto it = folders.find(folded); it != folders.end())
      return refuse(line, "the name is also a folder of \"" + it->second + "\"");
    for (const std::string& folder : FoldersOf(folded)) {
      if (auto it = files.find(folder); it != files.end())
        return refuse(line, "the name needs the file \"" + it->second + "\" as a folder");
      folders.emplace(folder, line);
    }
    files.emplace(folded, line);

    TEntry entry{line, *name, HostPath(productDir, line)};
    struct stat st;
    if (stat(entry.Path.c_str(), &st) != 0) return refuse(line, "the file is missing");
    if (!S_ISREG(st.st_mode)) return refuse(line, "this is not a file");
    if (st.st_size > kMaxBytes) return refuse(line, "the file is over 2 GiB");
    entry.Size = int32_t(st.st_size);
    if (!LocalDate(st, entry.Date, problem)) return refuse(line, problem);
    total += RecordHeaderBytes + int64_t(name->size()) + entry.Size;
    if (total > kMaxBytes) return refuse(line, "the archive grows over 2 GiB with this file");
    entries.push_back(std::move(entry));
  }

  // Written under a temporary name, so that a refusal midway leaves no output behind.
  const std::string temporary = output + ".part";
  std::string failed = output, problem;
  bool packed = WriteArchive(temporary, entries, failed, problem);
  std::error_code ec;
  if (packed) std::filesystem::rename(temporary, output, ec);
  if (packed && ec) packed = false, failed = output, problem = kCannotWrite;
  if (!packed) {
    std::filesystem::remove(temporary, ec);
    return refuse(failed, problem);
  }
  return 0;
}
