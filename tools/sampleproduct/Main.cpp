// sampleproduct [--pnc PROGRAM] OUTPUT_DIR FILE_LIST
// Writes the sample product into OUTPUT_DIR and its list, in archive order, into FILE_LIST.
// Without --pnc the program is a stand-in of the same size.
#include "tools/sampleproduct/SampleContent.h"
#include "tools/sampleproduct/SampleLicense.h"
#include "tools/sampleproduct/SamplePlan.h"

#include <sys/time.h>

#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (!in) throw std::runtime_error("cannot read " + path);
  return bytes.str();
}

fs::path HostPath(const fs::path& dir, std::string name) {
  for (char& c : name)
    if (c == '\\') c = '/';
  return dir / name;
}

void WriteFile(const fs::path& path, const std::string& bytes, TDateTime date) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
  // The date is local time, as the packer reads it back.
  TSystemTime t;
  DateTimeToSystemTime(date, t);
  std::tm local{};
  local.tm_year = t.Year - 1900;
  local.tm_mon = t.Month - 1;
  local.tm_mday = t.Day;
  local.tm_hour = t.Hour;
  local.tm_min = t.Minute;
  local.tm_sec = t.Second;
  local.tm_isdst = -1;
  const timeval times[2] = {{mktime(&local), 0}, {mktime(&local), 0}};
  if (utimes(path.c_str(), times) != 0) throw std::runtime_error("cannot date " + path.string());
}

int Run(int argc, char** argv) {
  std::string program;
  const bool givenProgram = argc > 2 && std::string(argv[1]) == "--pnc";
  if (givenProgram) program = ReadFile(argv[2]);
  const int first = givenProgram ? 3 : 1;
  if (argc - first != 2) {
    std::cerr << "usage: sampleproduct [--pnc PROGRAM] OUTPUT_DIR FILE_LIST\n";
    return 2;
  }
  const fs::path dir = argv[first];
  const std::string list = argv[first + 1];

  std::vector<TSampleFile> plan = PlanSample(int32_t(std::strlen(SampleLicenseText)));
  std::string misses = CheckFigures(plan);
  if (!misses.empty()) throw std::runtime_error("the plan misses" + misses);

  int ordinals[16] = {};
  std::string names;
  for (const TSampleFile& f : plan) {
    int ordinal = ordinals[int(f.Name.Kind)]++;
    std::string bytes = f.Name.Kind == TSampleKind::Program && givenProgram
                            ? PaddedProgram(program, f.Size)
                            : SampleContent(f, ordinal);
    if (bytes.size() != size_t(f.Size))
      throw std::runtime_error(f.Name.Name + " came out at " + std::to_string(bytes.size()) +
                               " bytes, not " + std::to_string(f.Size));
    WriteFile(HostPath(dir, f.Name.Name), bytes, f.Date);
    names += f.Name.Name + "\n";
  }
  // The list comes last and whole: the build takes it as the sign of a finished product.
  const std::string temporary = list + ".part";
  std::ofstream(temporary, std::ios::binary | std::ios::trunc) << names;
  fs::rename(temporary, list);
  return 0;
}

} // namespace

int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::cerr << "sampleproduct: " << e.what() << "\n";
    return 1;
  }
}
