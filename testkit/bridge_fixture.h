// A stand-in host wired to the bridge's globals for one test.
#pragma once

#include <gtest/gtest.h>

#include "fake_host.h"
#include "host_suites.h"
#include "recorded_parameters.h"

class BridgeTest : public ::testing::Test {
 protected:
  void SetUp() override { SetHostMessage(host.Basic(), host.Self()); }
  void TearDown() override {
    ClearRunHistory();
    ReleaseHostSuites();
    EXPECT_EQ(host.liveSuites, 0);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front();
    SetHostMessage(nullptr, nullptr);
  }
  stub::FakeHost host;
};
