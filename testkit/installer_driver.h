// Drives Install.exe as its own process, like a user: finds its dialog, reads and presses its
// controls, answers error prompts; plus small file, folder and shell-link helpers. Shared by the
// end-to-end installer tests and the demo.
//
// Failures are reported as GoogleTest failures, unless the includer defines
// INSTALLER_DRIVER_FAIL(text) first to report them its own way (text is a std::string).
#pragma once

#ifndef INSTALLER_DRIVER_FAIL
#include <gtest/gtest.h>
#define INSTALLER_DRIVER_FAIL(text) ADD_FAILURE() << (text)
#endif

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace installer_driver {
// Build paths are Unix paths; Wine shows the Unix root as drive Z:.
inline std::string WindowsPath(std::string unix) {
  for (char& c : unix)
    if (c == '/') c = '\\';
  return "Z:" + unix;
}

inline bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

inline bool WaitFor(const std::string& path, int milliseconds = 15000) {
  for (int waited = 0; !Exists(path) && waited < milliseconds; waited += 100) Sleep(100);
  return Exists(path);
}

inline std::string SpecialFolder(int id) {
  char path[MAX_PATH] = "";
  SHGetSpecialFolderPathA(nullptr, path, id, FALSE);
  return path;
}

struct DialogSearch {
  DWORD process;
  const char* caption;
  HWND found;
};

// A named callback: a lambda does not convert to the 32-bit build's stdcall callback type.
inline BOOL CALLBACK MatchDialog(HWND window, LPARAM data) {
  auto* s = reinterpret_cast<DialogSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char text[256] = "", kind[64] = "";
  GetWindowTextA(window, text, sizeof text);
  GetClassNameA(window, kind, sizeof kind);
  if (owner == s->process && std::string(kind) == "#32770" && text == std::string(s->caption) &&
      IsWindowVisible(window)) {
    s->found = window;
    return FALSE;
  }
  return TRUE;
}

// A dialog window ("#32770") of the process with this caption.
inline HWND FindDialog(DWORD process, const char* caption) {
  DialogSearch search = {process, caption, nullptr};
  EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline std::string Text(HWND dialog, int id) {
  char text[1024] = "";
  GetWindowTextA(GetDlgItem(dialog, id), text, sizeof text);  // no message: the dialog may be busy
  return text;
}

// Text of a control through WM_GETTEXT (for edit boxes), while the dialog is idle.
inline std::string AskText(HWND dialog, int id) {
  char text[1024] = "";
  DWORD_PTR ignored;
  SendMessageTimeoutA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 5000, &ignored);
  return text;
}

inline bool Visible(HWND dialog, int id) {
  return IsWindowVisible(GetDlgItem(dialog, id)) != FALSE;
}

inline void Press(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Runs a program without waiting for any window (an unattended install or uninstall) and returns its
// exit code once it ends, or 0xFFFFFFFF when it cannot be started or does not end in time.
inline DWORD RunToEnd(const std::string& program, const std::string& arguments, const std::string& folder,
                      DWORD milliseconds = 60000) {
  std::string command = "\"" + program + "\" " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process)) {
    INSTALLER_DRIVER_FAIL("cannot start " + program + " (error " + std::to_string(GetLastError()) + ")");
    return 0xFFFFFFFF;
  }
  DWORD code = 0xFFFFFFFF;
  if (WaitForSingleObject(process.hProcess, milliseconds) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &code);
  } else {
    INSTALLER_DRIVER_FAIL(program + " " + arguments + " did not end");
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

// One Install.exe process.
class Installer {
 public:
  Installer(const std::string& program, const std::string& arguments, const std::string& folder) {
    std::string command = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    started_ = CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr,
                              folder.c_str(), &startup, &process_) != FALSE;
    if (!started_)
      INSTALLER_DRIVER_FAIL("cannot start " + program + " (error " + std::to_string(GetLastError()) + ")");
    for (int waited = 0; started_ && !dialog_ && waited < 20000; waited += 100) {
      Sleep(100);
      dialog_ = FindDialog(process_.dwProcessId, "Quenrow");
    }
    if (started_ && !dialog_) INSTALLER_DRIVER_FAIL(std::string("no installer dialog"));
  }
  ~Installer() {
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) {
      INSTALLER_DRIVER_FAIL(std::string("installer did not end"));
      TerminateProcess(process_.hProcess, 1);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }

  HWND Dialog() const { return dialog_; }

  // Presses the main button, answers each error prompt with the next answer, waits for "Finish"
  // and returns the heading; "" when the program ended first.
  std::string Run(std::vector<int> answers = {}) {
    Press(dialog_, 1001);
    for (int waited = 0; waited < 60000; waited += 50) {
      if (WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0) return "";
      if (Text(dialog_, 1001) == "Finish") {
        // The heading is set just after the button, in the same press: once the dialog takes
        // messages again, the press has ended.
        DWORD_PTR ignored;
        SendMessageTimeoutA(dialog_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
        return Text(dialog_, 1004);
      }
      if (HWND prompt = FindDialog(process_.dwProcessId, "Error")) {
        prompts.push_back(Text(prompt, 0xFFFF));
        if (whilePromptOpen) whilePromptOpen(prompt);
        const int answer = answers.empty() ? IDIGNORE : answers.front();
        if (!answers.empty()) answers.erase(answers.begin());
        Press(prompt, answer);
        while (FindDialog(process_.dwProcessId, "Error") == prompt) Sleep(20);
      }
      Sleep(50);
    }
    INSTALLER_DRIVER_FAIL(std::string("no Finish"));
    return "";
  }

  DWORD ExitCode() {
    WaitForSingleObject(process_.hProcess, 10000);
    DWORD code = 1;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

  std::vector<std::string> prompts;
  // Called with each error prompt Run meets, before answering it.
  std::function<void(HWND prompt)> whilePromptOpen;

 private:
  bool started_ = false;
  PROCESS_INFORMATION process_ = {};
  HWND dialog_ = nullptr;
};

struct Link {
  std::string target, arguments, icon, description;
  int iconIndex = -1;
};

inline bool ReadLink(const std::string& path, Link& link) {
  CoInitialize(nullptr);
  IShellLinkA* shell = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                              reinterpret_cast<void**>(&shell))))
    return false;
  IPersistFile* file = nullptr;
  bool loaded = false;
  if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    loaded = SUCCEEDED(file->Load(wide, STGM_READ));
    file->Release();
  }
  if (loaded) {
    char text[MAX_PATH] = "";
    shell->GetPath(text, sizeof text, nullptr, 0);
    link.target = text;
    shell->GetArguments(text, sizeof text);
    link.arguments = text;
    shell->GetDescription(text, sizeof text);
    link.description = text;
    shell->GetIconLocation(text, sizeof text, &link.iconIndex);
    link.icon = text;
  }
  shell->Release();
  return loaded;
}

// Removes a folder with everything in it.
inline void RemoveFolder(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName, full = path + "\\" + name;
      if (name == "." || name == "..") continue;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveFolder(full);
      else
        DeleteFileA(full.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
}

}  // namespace installer_driver
