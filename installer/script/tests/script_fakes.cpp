#include "script_fakes.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include <unistd.h>

ScratchFolder::ScratchFolder() {
  char pattern[] = "/tmp/install_script_XXXXXX";
  const char* made = mkdtemp(pattern);
  EXPECT_NE(made, nullptr);
  path_ = made ? made : "/tmp";
}

ScratchFolder::~ScratchFolder() {
  const std::string command = "rm -rf '" + path_ + "'";
  EXPECT_EQ(std::system(command.c_str()), 0);
}

std::string ScratchFolder::Write(const std::string& name, const std::string& content) const {
  const std::string path = path_ + "/" + name;
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

std::string ScratchFolder::Read(const std::string& name) const {
  std::ifstream in(path_ + "/" + name, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}
