#pragma once
// A fixture with a fresh folder under /tmp for each test, removed with all in it after.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/brisvane-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  std::filesystem::path dir;
};
