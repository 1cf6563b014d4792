#pragma once
// The contents of the sample product's files: for each kind a small, plausible form of its
// own, made to exactly the planned size and the same on every build.

#include "tools/sampleproduct/SamplePlan.h"

#include <string>

// ordinal counts the files of the same kind before this one.
std::string SampleContent(const TSampleFile& file, int ordinal);

// The program padded at its end to size; raises std::runtime_error when it is larger.
std::string PaddedProgram(const std::string& program, int32_t size);
// The host build's stand-in for the program: the same size, never run.
std::string StandInProgram(int32_t size);
