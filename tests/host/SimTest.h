#pragma once
// A fresh simulated machine per test, installed as the current system, with the run's
// process-wide state reset around it.

#include "platform/os/sim/SimSystem.h"

#include <gtest/gtest.h>

void ResetRunState();

class SimTest : public ::testing::Test {
protected:
  SimTest() { ResetRunState(); }
  ~SimTest() override { ResetRunState(); }
  SimSystem Sim;
  TSystemScope Scope{Sim};
};
