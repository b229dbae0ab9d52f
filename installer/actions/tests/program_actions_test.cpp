#include "program_actions.h"
#include "scratch_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include <windows.h>

namespace {

bool Logged(const ScratchTree& tree, const std::string& message) {
  const auto log = tree.LogMessages();
  return std::find(log.begin(), log.end(), message) != log.end();
}

TEST(LibraryRegistration, FailsWhenNothingCouldBeCalled) {
  ScratchTree tree;
  EXPECT_EQ(tree.Script().Dispatch("DllRegisterServer", tree.Path("missing.dll")), 0);
  EXPECT_TRUE(Logged(tree, "Dll Register Server: " + tree.Path("missing.dll")));
  // A library without the export.
  EXPECT_EQ(tree.Script().Dispatch("DllRegisterServer", "kernel32.dll"), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  // Unregistering stays lenient.
  EXPECT_EQ(tree.Script().Dispatch("DllUnRegisterServer", tree.Path("missing.dll")), 1);
  EXPECT_TRUE(Logged(tree, "Dll Unregister Server: " + tree.Path("missing.dll")));
  EXPECT_EQ(tree.sink.statuses.back(), "Unregister object|" + tree.Path("missing.dll"));
}

TEST(RunExeFile, MissingFileFailsWithTheShellsCode) {
  ScratchTree tree;
  EXPECT_EQ(tree.Script().Dispatch("RunExeFile", tree.Path("missing.exe") + ",/s"), 0);
  EXPECT_TRUE(Logged(tree, "RunExeFile Failed: " + tree.Path("missing.exe") + " /s error:2"));
  EXPECT_EQ(tree.sink.statuses.back(), "Run Exe File|" + tree.Path("missing.exe"));
}

TEST(Services, CreateOnceStartMissingAndRemove) {
  ScratchTree tree;
  const std::string entry = tree.Path("svc.exe") + ",QuenrowTestSvc,Quenrow Test Service,Auto";
  ServiceControl::Delete("QuenrowTestSvc");
  EXPECT_EQ(tree.Script().Dispatch("RegisterServer", entry), 1);
  EXPECT_EQ(tree.Script().Dispatch("RegisterServer", entry), 0);  // exists already
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SERVICE_EXISTS));
  EXPECT_TRUE(Logged(tree, "RegisterServer: " + tree.Path("svc.exe") + " (Quenrow Test Service)"));
  EXPECT_EQ(tree.sink.statuses.back(), "Register Service|Quenrow Test Service");

  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  SC_HANDLE service = OpenServiceA(manager, "QuenrowTestSvc", SERVICE_QUERY_CONFIG);
  ASSERT_NE(service, nullptr);
  BYTE buffer[8192];
  DWORD needed = 0;
  ASSERT_TRUE(
      QueryServiceConfigA(service, reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer), sizeof buffer, &needed));
  EXPECT_EQ(reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer)->dwStartType,
            static_cast<DWORD>(SERVICE_AUTO_START));
  CloseServiceHandle(service);
  CloseServiceHandle(manager);
  EXPECT_TRUE(ServiceControl::Delete("QuenrowTestSvc"));  // not auto-started on the next prefix start

  EXPECT_EQ(tree.Script().Dispatch("StartServer", "QuenrowNoSuchService"), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SERVICE_DOES_NOT_EXIST));
}

}  // namespace
