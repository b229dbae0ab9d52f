#include "file_actions_win32.h"

#include "install_log.h"
#include "system_text.h"

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <vector>

namespace {

// The system's own calls for what this Windows generation's Win32 layer lacks: renaming a file
// through the handle it is written by, and setting its attributes and times the same way.
class HandleCalls {
 public:
  static const HandleCalls& Get() {
    static const HandleCalls calls;
    return calls;
  }

  bool Available() const { return set_ && query_ && toError_ && toNtPath_ && freeString_; }

  // Gives the open file (DELETE access) the name path; an existing file there is replaced only
  // when replace is set. path is a Win32 path, made absolute as the system would.
  bool Rename(HANDLE file, const std::string& path, bool replace) const {
    const std::wstring wide = WideText(path);
    Text native = {};
    if (wide.empty() || !toNtPath_(wide.c_str(), &native, nullptr, nullptr)) {
      SetLastError(ERROR_INVALID_NAME);
      return false;
    }
    // FILE_RENAME_INFORMATION: a Boolean, the root handle (none), the name's byte length, the name.
    const std::size_t header = offsetof(RenameHeader, name);
    std::vector<char> info(header + native.length);
    auto* rename = reinterpret_cast<RenameHeader*>(info.data());
    rename->replace = replace ? 1 : 0;
    rename->length = native.length;
    std::memcpy(info.data() + header, native.buffer, native.length);
    freeString_(&native);
    return Set(file, info.data(), static_cast<ULONG>(info.size()), kRenameClass);
  }

  // A file's times and attributes.
  struct Basics {
    LARGE_INTEGER created, accessed, written, changed;
    DWORD attributes;
  };

  // Asks for them through the handle alone (the Win32 call would also ask the volume's serial).
  bool GetBasics(HANDLE file, Basics& basics) const {
    IoStatus io = {};
    return Done(query_(file, &io, &basics, sizeof basics, kBasicClass));
  }

  // The attributes and the last-write time, as the system's copy carries them over.
  bool SetBasics(HANDLE file, const Basics& source) const {
    Basics basics = {};  // zero times stay as they are
    basics.written = source.written;
    basics.attributes = source.attributes;
    return Set(file, &basics, sizeof basics, kBasicClass);
  }

 private:
  struct IoStatus {
    union {
      LONG status;
      void* pointer;
    };
    ULONG_PTR information;
  };
  struct Text {
    USHORT length, capacity;
    wchar_t* buffer;
  };
  struct RenameHeader {
    unsigned char replace;
    HANDLE root;
    ULONG length;
    wchar_t name[1];
  };
  // The system's own layouts (FILE_BASIC_INFORMATION, FILE_RENAME_INFORMATION).
  static_assert(sizeof(Basics) == 40, "times and attributes");
  static_assert(offsetof(RenameHeader, name) == 2 * sizeof(void*) + sizeof(ULONG), "rename header");
  static constexpr int kBasicClass = 4, kRenameClass = 10;
  typedef LONG(WINAPI* SetInformation)(HANDLE, IoStatus*, void*, ULONG, int);  // or query
  typedef ULONG(WINAPI* StatusToError)(LONG);
  typedef BOOLEAN(WINAPI* ToNtPath)(const wchar_t*, Text*, wchar_t**, void*);
  typedef void(WINAPI* FreeString)(Text*);

  HandleCalls() {
    HMODULE system = GetModuleHandleA("ntdll.dll");
    if (!system) return;
    auto find = [system](const char* name) { return reinterpret_cast<void*>(GetProcAddress(system, name)); };
    set_ = reinterpret_cast<SetInformation>(find("NtSetInformationFile"));
    query_ = reinterpret_cast<SetInformation>(find("NtQueryInformationFile"));
    toError_ = reinterpret_cast<StatusToError>(find("RtlNtStatusToDosError"));
    toNtPath_ = reinterpret_cast<ToNtPath>(find("RtlDosPathNameToNtPathName_U"));
    freeString_ = reinterpret_cast<FreeString>(find("RtlFreeUnicodeString"));
  }

  bool Set(HANDLE file, void* data, ULONG size, int kind) const {
    IoStatus io = {};
    return Done(set_(file, &io, data, size, kind));
  }

  // Whether a call succeeded; when not, its status becomes the thread's last error.
  bool Done(LONG status) const {
    if (status >= 0) return true;
    SetLastError(toError_(status));
    return false;
  }

  SetInformation set_ = nullptr, query_ = nullptr;
  StatusToError toError_ = nullptr;
  ToNtPath toNtPath_ = nullptr;
  FreeString freeString_ = nullptr;
};

// Makes a new file beside path under a name the folder does not hold, no longer than the last part
// of path (so the passing file fits wherever path fits), open for writing and renaming. Returns
// INVALID_HANDLE_VALUE with the system's error when there is none. The file is made by the call
// that opens it, so a name taken meanwhile only moves it on to the next name.
HANDLE CreatePassingFile(const std::string& path, std::string& passing) {
  const std::size_t slash = path.rfind('\\');
  const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  const std::size_t longest = path.size() - folder.size();
  static const char kDigits[] = "0123456789abcdef";
  for (unsigned next = 0; next < 0x10000; ++next) {
    std::string name = "~";
    for (unsigned rest = next;; rest /= 16) {
      name += kDigits[rest % 16];
      if (rest < 16) break;
    }
    if (name.size() > longest) name.erase(0, 1);
    if (name.size() > longest) break;  // every name that short is taken
    passing = folder + name;
    HANDLE file = CreateFileW(WideText(passing).c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return INVALID_HANDLE_VALUE;
  }
  SetLastError(ERROR_CANNOT_MAKE);  // as when the system runs out of temporary names
  return INVALID_HANDLE_VALUE;
}

}  // namespace

bool CopyIntoPlace(const std::string& from, const std::string& to, bool replace, bool& placing) {
  placing = false;
  const HandleCalls& calls = HandleCalls::Get();
  if (!calls.Available()) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return false;
  }
  HANDLE in = CreateFileW(WideText(from).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (in == INVALID_HANDLE_VALUE) return false;
  HandleCalls::Basics source;
  std::string part;
  HANDLE out = INVALID_HANDLE_VALUE;
  if (calls.GetBasics(in, source)) out = CreatePassingFile(to, part);
  if (out == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    CloseHandle(in);
    SetLastError(error);
    return false;
  }

  bool whole = true;
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    DWORD read = 0, written = 0;
    SetLastError(0);
    if (!ReadFile(in, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) {
      whole = false;
      break;
    }
    if (read == 0) break;
    if (!WriteFile(out, buffer.data(), read, &written, nullptr) || written != read) {
      whole = false;
      break;
    }
  }
  if (whole) {
    placing = true;
    ReleaseLogFileFor(to);
    whole = calls.Rename(out, to, replace);
  }
  const DWORD error = whole ? 0 : GetLastError();
  if (whole) calls.SetBasics(out, source);
  CloseHandle(out);
  CloseHandle(in);
  if (!whole) DeleteFileW(WideText(part).c_str());
  SetLastError(error);
  return whole;
}
