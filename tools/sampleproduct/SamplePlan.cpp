#include "tools/sampleproduct/SamplePlan.h"

#include "tools/packfiles/Packer.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace {

using namespace SampleFigures;

int64_t Clusters(int64_t size) {
  return (size + ClusterSize - 1) / ClusterSize;
}

int64_t RecordBytes(const TSampleFile& f) {
  return RecordHeaderBytes + int64_t(f.Name.Name.size()) + f.Size;
}

// Sizes for files that share a byte total and a cluster total, in proportion to weights.
std::vector<int32_t> Split(int64_t total, int64_t clusters, const std::vector<int>& weights) {
  const size_t n = weights.size();
  const int sum = std::accumulate(weights.begin(), weights.end(), 0);
  std::vector<int64_t> counts(n);
  for (size_t i = 0; i < n; ++i) counts[i] = std::max<int64_t>(1, clusters * weights[i] / sum);
  for (size_t i = 0; std::accumulate(counts.begin(), counts.end(), int64_t(0)) < clusters; ++i)
    ++counts[i % n];
  // Every file is as large as its clusters allow, then gives back a share of the excess.
  int64_t excess = clusters * ClusterSize - total;
  if (excess < 0 || excess > int64_t(n) * (ClusterSize - 1) ||
      std::accumulate(counts.begin(), counts.end(), int64_t(0)) != clusters)
    throw std::runtime_error("no sizes give " + std::to_string(total) + " bytes in " +
                             std::to_string(clusters) + " clusters");
  std::vector<int32_t> sizes(n);
  for (size_t i = 0; i < n; ++i) {
    int64_t give = std::min<int64_t>(excess / int64_t(n - i), ClusterSize - 1);
    sizes[i] = int32_t(counts[i] * ClusterSize - give);
    excess -= give;
  }
  return sizes;
}

TDateTime At(int year, int month, int day, int hour, int minute, int second) {
  TDateTime date = 0;
  TryEncodeDateTime(year, month, day, hour, minute, second & ~1, 0, date);
  return date;
}

// Release dates of each kind of file, a little apart from file to file; all on even seconds
// and in the middle of the day, clear of daylight-saving changes.
TDateTime DateOf(TSampleKind kind, int i) {
  using K = TSampleKind;
  switch (kind) {
  case K::Program: return At(2024, 3, 19, 18, 46, 0);
  case K::License: return At(2024, 3, 1, 10, 0, 0);
  case K::Template: return At(2019, 5, 20, 13, i % 60, (i * 14) % 60);
  case K::Clip:
  case K::Picture: return At(2016, 8, 8, 11 + i / 120, (i / 2) % 60, (i * 22) % 60);
  case K::SoundScheme: return At(2021, 2, 2, 16, 20, 0);
  default: return At(2023, 11, 14, 9, 30 + i, 0);
  }
}

// A size that the kind of file has by nature; the program, the proofing files and the
// sound scheme are sized by the plan.
int32_t NaturalSize(TSampleKind kind, int i) {
  using K = TSampleKind;
  switch (kind) {
  case K::Template: return 2 * ClusterSize + 150 + (i * 137) % 400; // three clusters
  case K::Clip: return 140 + (i * 97) % 300;
  case K::Picture: return i % 6 == 0 && i / 6 < 23 ? 4726 : 630; // 96 or 32 pixels square
  default: return 0;
  }
}

} // namespace

std::vector<TSampleFile> PlanSample(int32_t licenseSize) {
  std::vector<TSampleFile> plan;
  for (const TSampleName& name : SampleNames()) plan.push_back({name, 0, 0});
  int kindIndex[16] = {};
  for (TSampleFile& f : plan) {
    int& i = kindIndex[int(f.Name.Kind)];
    f.Size = NaturalSize(f.Name.Kind, i);
    f.Date = DateOf(f.Name.Kind, i);
    ++i;
  }
  auto index = [&](const char* name) {
    for (size_t i = 0; i < plan.size(); ++i)
      if (plan[i].Name.Name == name) return i;
    throw std::runtime_error(std::string("the sample has no ") + name);
  };
  auto headers = [&](size_t from, size_t to) {
    int64_t bytes = 0;
    for (size_t i = from; i < to; ++i)
      bytes += RecordHeaderBytes + int64_t(plan[i].Name.Name.size());
    return bytes;
  };
  const size_t empty = index(EmptyFile), program = index("pnc.exe"), license = index("License.txt");
  plan[license].Size = licenseSize;

  // Records up to the empty file end at its offset: the program takes the middle of its last
  // cluster, and the proofing files before the empty one share the rest.
  const int64_t mainClusters = ComponentSizes[0] / ClusterSize;
  plan[program].Size = int32_t((mainClusters - Clusters(licenseSize) - 1) * ClusterSize + 2048);
  const int64_t early = EmptyFileOffset - headers(0, empty + 1) - plan[program].Size - licenseSize;
  const int64_t earlyClusters = Clusters(early) + 1;
  std::vector<int32_t> earlySizes = Split(early, earlyClusters, {4, 4, 3, 3});
  for (size_t i = 0; i < earlySizes.size(); ++i) plan[2 + i].Size = earlySizes[i];

  // After the empty file: the rest of the proofing files, then templates, clips and sounds.
  const int64_t lateClusters = ComponentSizes[1] / ClusterSize - earlyClusters;
  const int64_t after = InflatedSize - EmptyFileOffset - headers(empty + 1, plan.size());
  const size_t sound = plan.size() - 1;
  int64_t natural = 0;
  for (size_t i = empty + 1; i < plan.size(); ++i)
    if (plan[i].Name.Component >= 2 && i != sound) natural += plan[i].Size;
  // The sound scheme takes what leaves the late proofing files in the middle of their range.
  const int64_t lateMiddle = (lateClusters - 2) * ClusterSize;
  const int64_t soundClusters = ComponentSizes[4] / ClusterSize;
  int64_t soundSize =
      std::clamp<int64_t>(after - natural - lateMiddle, (soundClusters - 1) * ClusterSize + 2,
                          soundClusters * ClusterSize);
  plan[sound].Size = int32_t(soundSize & ~int64_t(1)); // RIFF chunks keep even sizes
  std::vector<int32_t> lateSizes =
      Split(after - natural - plan[sound].Size, lateClusters, {3, 8, 2, 2});
  for (size_t i = 0; i < lateSizes.size(); ++i) plan[empty + 1 + i].Size = lateSizes[i];
  return plan;
}

std::string CheckFigures(const std::vector<TSampleFile>& plan) {
  int64_t offset = 0, components[5] = {};
  std::string misses;
  for (const TSampleFile& f : plan) {
    offset += RecordBytes(f);
    components[f.Name.Component] += Clusters(f.Size) * ClusterSize;
    if (f.Name.Name == EmptyFile && (f.Size != 0 || offset != EmptyFileOffset))
      misses += " the empty file's offset or size;";
  }
  if (plan.size() != 273) misses += " the record count;";
  if (offset != InflatedSize) misses += " the inflated size;";
  for (int c = 0; c < 5; ++c)
    if (components[c] != ComponentSizes[c])
      misses += " component " + std::to_string(c) + " (" + std::to_string(components[c]) + ");";
  return misses;
}
