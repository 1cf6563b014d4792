// How long loading the payload takes against zlib's own uncompress of the same stream.
//
//   benchpayload FILES.zlib [ROUNDS]
//
// Loading is what the setup does before its first page: inflate the whole resource once and
// index its records (TAttachedFiles). Both are timed over the same rounds, best and median
// reported, and the ratio of the medians printed last; the budget is 1.1.
#include "install/AttachFiles.h"
#include "platform/os/sim/SimSystem.h"
#include "wizard/ResConst.h"

#include <sys/wait.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// Each round in a process of its own, as the setup loads its payload once, on a fresh heap:
// repeated in one process, a loader whose block the heap happens to keep warm would win by
// skipping the page faults every real start pays.
template <class F> std::vector<double> Time(int rounds, F f) {
  std::vector<double> ms;
  for (int i = 0; i < rounds; ++i) {
    int fds[2];
    if (pipe(fds) != 0) return ms;
    pid_t child = fork();
    if (child == 0) {
      close(fds[0]);
      auto start = Clock::now();
      f();
      double elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
      ssize_t written = write(fds[1], &elapsed, sizeof elapsed);
      _exit(written == sizeof elapsed ? 0 : 1);
    }
    close(fds[1]);
    double elapsed = 0;
    if (read(fds[0], &elapsed, sizeof elapsed) == sizeof elapsed) ms.push_back(elapsed);
    close(fds[0]);
    waitpid(child, nullptr, 0);
  }
  return ms;
}

} // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: benchpayload FILES.zlib [ROUNDS]\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  const std::string stream = bytes.str();
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 30;

  SimSystem machine;
  TSystemScope scope(machine);
  machine.AddResource(ResConst::ResFilesType, ResConst::ResFilesName, stream);
  int32_t inflated = 0;
  size_t records = 0;
  {
    TAttachedFiles files;
    inflated = files.PayloadSize;
    records = files.Files.size();
  }
  auto load = Time(rounds, [] { TAttachedFiles files; });
  // zlib's own one-shot call into a new block of the exact size, as a program that knew the
  // size in advance would make it: no loader can be faster.
  auto reference = Time(rounds, [&] {
    uLongf length = uLongf(inflated);
    std::unique_ptr<Bytef, void (*)(void*)> out(static_cast<Bytef*>(std::malloc(length)),
                                                std::free);
    if (!out || uncompress(out.get(), &length, reinterpret_cast<const Bytef*>(stream.data()),
                           uLong(stream.size())) != Z_OK)
      std::fprintf(stderr, "uncompress failed\n");
  });
  std::printf("stream %zu bytes, inflated %d bytes, %zu records, %d rounds\n", stream.size(),
              inflated, records, rounds);
  std::printf("load (inflate and index): best %.2f ms, median %.2f ms\n",
              *std::min_element(load.begin(), load.end()), Median(load));
  std::printf("zlib uncompress:          best %.2f ms, median %.2f ms\n",
              *std::min_element(reference.begin(), reference.end()), Median(reference));
  std::printf("ratio %.3f\n", Median(load) / Median(reference));
  return 0;
}
