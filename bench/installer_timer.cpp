// The Windows side of bench/installer.sh, run under Wine: times installer runs and prints one line
// per run, "NAME MILLISECONDS EXITCODE".
//
//   installer_timer run NAME FOLDER PROGRAM [ARGUMENTS]
//       starts PROGRAM in FOLDER and times it from the start to its end (a silent run, or an
//       installer page that closes itself);
//   installer_timer dialog NAME FOLDER INSTALL_EXE
//       starts Install.exe in FOLDER, presses Install once its dialog is up and times from the press
//       until the main button reads "Finish"; then presses Finish. Any error prompt is a failure;
//   installer_timer copy FROM TO
//       copies the folder tree FROM into the new folder TO in the plainest way a program can copy
//       files it reads from the disk: each file opened, created under its name, written and closed;
//       no log, no status, no attributes or times, no safety for a copy that breaks off. Timed with
//       "run", it is the floor under any installer whose payload lies beside it in files.
//
// Paths may be Unix paths (Wine shows the root as drive Z:). The status is 1 when a run failed.
#include <cstdio>
#include <string>

static int g_failures = 0;
#define INSTALLER_DRIVER_FAIL(text) \
  (++g_failures, std::fprintf(stderr, "installer_timer: %s\n", (text).c_str()))
#include "installer_driver.h"

using namespace installer_driver;

namespace {

std::string PathOf(const std::string& path) {
  return !path.empty() && path[0] == '/' ? WindowsPath(path) : path;
}

double Now() {
  static LARGE_INTEGER frequency = {};
  if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Report(const std::string& name, double milliseconds, unsigned long code) {
  std::printf("%s %.0f %lu\n", name.c_str(), milliseconds, code);
}

int TimeProcess(const std::string& name, const std::string& folder, const std::string& program,
                const std::string& arguments) {
  std::string command = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  const double start = Now();
  if (!CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process)) {
    std::fprintf(stderr, "installer_timer: cannot start %s (error %lu)\n", program.c_str(), GetLastError());
    return 1;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  const double took = Now() - start;
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  Report(name, took, code);
  return code == 0 ? 0 : 1;
}

int TimeDialog(const std::string& name, const std::string& folder, const std::string& program) {
  Installer install(program, "", folder);
  HWND dialog = install.Dialog();
  if (!dialog) return 1;
  // Once the dialog takes messages it has finished initialising.
  DWORD_PTR ignored;
  SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
  DWORD process = 0;
  GetWindowThreadProcessId(dialog, &process);
  const double start = Now();
  Press(dialog, 1001);
  // No polling while the run goes on: looking at another process's windows every few milliseconds
  // keeps Wine's server busy and slows the run it measures. The dialog takes no message during its
  // run, so a message sent to it returns when the run has ended (or stopped at a prompt), or at
  // once while the press still waits in its queue.
  bool finished = false;
  for (;;) {
    SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 600000, &ignored);
    if (Text(dialog, 1001) == "Finish") {
      finished = true;
      break;
    }
    if (FindDialog(process, "Error") || Now() - start > 600000) break;
    Sleep(1);
  }
  const double took = Now() - start;
  if (!finished) {
    std::fprintf(stderr, "installer_timer: %s did not finish without a prompt\n", name.c_str());
    return 1;  // the driver ends the process
  }
  SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
  const std::string heading = Text(dialog, 1004);
  Press(dialog, 1001);  // Finish
  const unsigned long code = install.ExitCode();
  Report(name, took, code);
  if (heading.find("Setup has comlpeted successfuly") == std::string::npos) {
    std::fprintf(stderr, "installer_timer: %s ended with \"%s\"\n", name.c_str(), heading.c_str());
    return 1;
  }
  return code == 0 ? 0 : 1;
}

bool CopyTree(const std::string& from, const std::string& to) {
  if (!CreateDirectoryA(to.c_str(), nullptr)) return false;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  static char buffer[64 * 1024];
  bool copied = true;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    const std::string source = from + "\\" + name, target = to + "\\" + name;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      copied = CopyTree(source, target) && copied;
      continue;
    }
    HANDLE in =
        CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE out = CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    DWORD read = 0, written = 0;
    while (ReadFile(in, buffer, sizeof buffer, &read, nullptr) && read > 0)
      copied = WriteFile(out, buffer, read, &written, nullptr) && copied;
    copied = in != INVALID_HANDLE_VALUE && out != INVALID_HANDLE_VALUE && copied;
    CloseHandle(out);
    CloseHandle(in);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return copied;
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  const std::string mode = argc > 1 ? argv[1] : "";
  int status = 2;
  if (mode == "run" && (argc == 5 || argc == 6)) {
    status = TimeProcess(argv[2], PathOf(argv[3]), PathOf(argv[4]), argc == 6 ? argv[5] : "");
  } else if (mode == "copy" && argc == 4) {
    status = CopyTree(PathOf(argv[2]), PathOf(argv[3])) ? 0 : 1;
  } else if (mode == "dialog" && argc == 5) {
    status = TimeDialog(argv[2], PathOf(argv[3]), PathOf(argv[4]));
  } else {
    std::fprintf(
        stderr,
        "usage: installer_timer run NAME FOLDER PROGRAM [ARGUMENTS] | dialog NAME FOLDER INSTALL_EXE | "
        "copy FROM TO\n");
  }
  return status != 0 || g_failures > 0 ? (status ? status : 1) : 0;
}
