#include "install_log.h"

#include "script_fakes.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cctype>
#include <string>

#include <sys/stat.h>

namespace {

// "[HH:MM:SS] " with a 24-hour clock.
bool HasTimePrefix(const std::string& line) {
  if (line.size() < 11 || line[0] != '[' || line[3] != ':' || line[6] != ':' || line.substr(9, 2) != "] ")
    return false;
  for (int at : {1, 2, 4, 5, 7, 8})
    if (!std::isdigit(static_cast<unsigned char>(line[at]))) return false;
  return line.substr(1, 2) < "24" && line[4] < '6' && line[7] < '6';
}

TEST(Log, AppendsTimedLinesToInstallLog) {
  ScratchFolder folder;
  folder.Write("Install.log", "[00:00:00] earlier run\n");
  SetLogFolder(folder.Path());
  Log("Start Installation");
  Log("Copy file: %s to %s\\%s", "app.exe", "C:\\App", "app.exe");
  const std::string log = folder.Read("Install.log");
  const std::size_t second = log.find('\n') + 1, third = log.find('\n', second) + 1;
  ASSERT_EQ(log.substr(0, second), "[00:00:00] earlier run\n");
  const std::string start = log.substr(second, third - second), copy = log.substr(third);
  EXPECT_TRUE(HasTimePrefix(start)) << start;
  EXPECT_EQ(start.substr(11), "Start Installation\n");
  EXPECT_TRUE(HasTimePrefix(copy)) << copy;
  EXPECT_EQ(copy.substr(11), "Copy file: app.exe to C:\\App\\app.exe\n");
}

TEST(Log, LongMessageIsCutSoTheLineFits255) {
  ScratchFolder folder;
  SetLogFolder(folder.Path());
  const std::string path(400, 'p');
  Log("Delete file: %s", path.c_str());
  const std::string log = folder.Read("Install.log");
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.size(), 255u);
  EXPECT_EQ(log.back(), '\n');
  EXPECT_EQ(log.substr(11, 13), "Delete file: ");
}

TEST(Log, PercentSignsInArgumentsAreText) {
  ScratchFolder folder;
  SetLogFolder(folder.Path());
  Log("Error: %s", "%s%n%x 100%");
  EXPECT_NE(folder.Read("Install.log").find("] Error: %s%n%x 100%\n"), std::string::npos);
}

TEST(Log, TooLongLogPathLosesTheLineInsteadOfCuttingThePath) {
  ScratchFolder folder;
  // A log path of 200 characters: cut to 199 it would name "Install.lo" in the same folder.
  const std::string deep = folder.Path() + "/" + std::string(200 - folder.Path().size() - 13, 'd');
  ASSERT_EQ(mkdir(deep.c_str(), 0700), 0);
  SetLogFolder(deep);
  ASSERT_EQ(LogFilePath().size(), kLogPathMax + 1);
  Log("lost");
  EXPECT_EQ(std::system(("test -z \"$(ls -A '" + deep + "')\"").c_str()), 0);
}

// The log stays open between lines; before the log, or a folder that holds it, is deleted it is let
// go, so the next line starts a new file instead of going to the deleted one.
TEST(Log, DeletedLogIsStartedAgain) {
  ScratchFolder folder;
  SetLogFolder(folder.Path());
  std::string upper = folder.Path() + "/INSTALL.LOG";
  for (const std::string& doomed :
       {folder.Path(), folder.Path() + "/", LogFilePath(), upper, std::string("x")}) {
    Log("before");
    ReleaseLogFileFor(doomed);
    ASSERT_EQ(std::remove(LogFilePath().c_str()), 0) << doomed;
    Log("after");
    const std::string log = folder.Read("Install.log");
    EXPECT_EQ(log.size() > 11 ? log.substr(11) : log, "after\n") << doomed;
  }
}

TEST(Log, KeepsTheLastSystemError) {
  ScratchFolder folder;
  SetLogFolder(folder.Path() + "/missing-subfolder");  // opening fails and sets errno
  errno = 42;
  Log("kept");
  EXPECT_EQ(errno, 42);
}

}  // namespace
