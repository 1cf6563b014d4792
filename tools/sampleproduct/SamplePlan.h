#pragma once
// The sizes and dates of the sample product's files. The sizes are chosen so that the packed
// archive has the shipped figures: its total inflated size, the place of the empty user
// dictionary and every component's size on 4 KiB clusters.

#include "tools/sampleproduct/SampleNames.h"

#include "platform/rtl/DateTime.h"

#include <cstdint>
#include <string>
#include <vector>

namespace SampleFigures {
constexpr int32_t ClusterSize = 4096;
constexpr int32_t InflatedSize = 4818647;
constexpr const char* EmptyFile = "userdicen.tlx";
constexpr int32_t EmptyFileOffset = 3839268;
constexpr int32_t ComponentSizes[5] = {3723264, 663552, 233472, 1085440, 65536};
} // namespace SampleFigures

struct TSampleFile {
  TSampleName Name;
  int32_t Size = 0;
  TDateTime Date = 0;
};

// The plan for a license text of this many bytes. Raises std::runtime_error when no plan can
// meet the figures.
std::vector<TSampleFile> PlanSample(int32_t licenseSize);

// Empty when the plan meets every figure, else what it misses.
std::string CheckFigures(const std::vector<TSampleFile>& plan);
