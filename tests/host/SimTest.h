#pragma once
// A fresh simulated machine per test, installed as the current system, with the run's
// process-wide state reset around it.

#include "platform/os/sim/SimSystem.h"

#include <gtest/gtest.h>

void ResetRunState();

// A fault of one kind of call, for the paths that contain the text (all when empty).
inline TSimFault FaultOf(SimCall call, const std::string& pathContains = std::string()) {
  TSimFault fault;
  fault.Call = call;
  fault.PathContains = pathContains;
  return fault;
}

class SimTest : public ::testing::Test {
protected:
  SimTest() { ResetRunState(); }
  ~SimTest() override { ResetRunState(); }
  SimSystem Sim;
  TSystemScope Scope{Sim};
};
