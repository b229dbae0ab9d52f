#include "file_actions.h"

#include "install_log.h"
#include "last_error.h"

#include <windows.h>

#include <cstddef>
#include <cstring>
#include <vector>

namespace {

bool IsOverwriteFlag(const std::string& flag) {
  return flag == "true" || flag == "True" || flag == "1" || flag == "TRUE";
}

bool Exists(const std::string& path) {
  LastErrorKeeper keep;
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The error of a copy that failed without saying why: whether the source fits the drive.
DWORD CopyFailureCode(const std::string& from, const std::string& folder) {
  WIN32_FILE_ATTRIBUTE_DATA source;
  ULARGE_INTEGER room;
  if (GetFileAttributesExA(from.c_str(), GetFileExInfoStandard, &source) &&
      GetDiskFreeSpaceExA((folder + "\\").c_str(), &room, nullptr, nullptr) &&
      ((static_cast<unsigned long long>(source.nFileSizeHigh) << 32) | source.nFileSizeLow) > room.QuadPart)
    return ERROR_DISK_FULL;
  return ERROR_WRITE_FAULT;
}

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
    std::wstring wide(path.size() + 1, L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, path.c_str(), static_cast<int>(path.size() + 1),
                                           &wide[0], static_cast<int>(wide.size()));
    Text native = {};
    if (length == 0 || !toNtPath_(wide.c_str(), &native, nullptr, nullptr)) {
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
    HANDLE file = CreateFileA(passing.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return INVALID_HANDLE_VALUE;
  }
  SetLastError(ERROR_CANNOT_MAKE);  // as when the system runs out of temporary names
  return INVALID_HANDLE_VALUE;
}

// Copies from to a new file beside to and, once it is whole, renames it to to (replacing a file
// there only when replace is set), then gives it the source's attributes and last-write time. On
// failure the system's error is set, no passing file is left and to is as it was; placing tells
// whether the copy was whole and only putting it in place failed.
bool CopyIntoPlace(const std::string& from, const std::string& to, bool replace, bool& placing) {
  placing = false;
  const HandleCalls& calls = HandleCalls::Get();
  if (!calls.Available()) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return false;
  }
  HANDLE in = CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
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
  if (!whole) DeleteFileA(part.c_str());
  SetLastError(error);
  return whole;
}

}  // namespace

int CopyFileAction(InstallScript& script, const std::string& args) {
  const std::string source = InstallScript::GetField(args, 0);
  const std::string folder = InstallScript::GetField(args, 1);
  const std::string name = InstallScript::GetField(args, 2);
  const bool overwrite = IsOverwriteFlag(InstallScript::GetField(args, 3));

  if (!CreateFolderPath(folder)) Log("Failed to create directory %s", folder.c_str());
  Log("Copy file: %s to %s\\%s", source.c_str(), folder.c_str(), name.c_str());
  script.ShowStatus("Copy File", source.c_str());

  const std::string to = folder + "\\" + name;
  const std::string from = script.StartFolder() + "\\" + source;
  if (to.size() > kCopyPathMax || from.size() > kCopyPathMax) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    Log("Failed to copy file: %s", source.c_str());
    return 0;
  }
  if (!overwrite && Exists(to)) {
    // Keeping an existing copy is what overwrite off asks for.
    SetLastError(ERROR_FILE_EXISTS);
    Log("Failed to copy file: %s", source.c_str());
    return 1;
  }

  // The copy is made beside the destination under a passing name of its own and then put in its
  // place: a copy that breaks off (a full drive) leaves no cut-off file under the real name, an
  // existing file is replaced only by a whole one, and no file of the user's is touched on the way.
  bool placing = false;
  if (CopyIntoPlace(from, to, overwrite, placing)) return 1;

  DWORD error = GetLastError();
  // Some systems fail a copy onto a full drive, or a move onto a file in use, without an error
  // code; the prompt would then call the failure a success.
  if (error == 0) error = placing ? ERROR_ACCESS_DENIED : CopyFailureCode(from, folder);
  Log("Failed to copy file: %s", source.c_str());
  SetLastError(error);
  return !overwrite && (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) ? 1 : 0;
}

int DeleteFileAction(InstallScript& script, const std::string& args) {
  const std::string path = InstallScript::GetField(args, 0);
  Log("Delete file: %s", path.c_str());
  script.ShowStatus("Deleted file", path.c_str());

  ReleaseLogFileFor(path);
  SetLastError(0);
  if (DeleteFileA(path.c_str())) return 1;
  Log("Failed to Delete file: %s", path.c_str());
  return Exists(path) ? 0 : 1;
}

int CreateDirectoryAction(InstallScript&, const std::string& args) {
  return CreateFolderPath(InstallScript::GetField(args, 0));
}

int CreateFolderPath(const std::string& path) {
  Log("CreateDirectory: %s", path.c_str());
  // A folder that is there already needs nothing created: every step below would meet it (a copy
  // asks for the same folder again and again).
  {
    LastErrorKeeper keep;
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return 1;
  }
  // The part up to the first backslash (the drive) is taken as existing.
  const std::size_t first = path.find('\\');
  if (first != std::string::npos) {
    for (std::size_t at = path.find('\\', first + 1); at != std::string::npos; at = path.find('\\', at + 1)) {
      if (!CreateDirectoryA(path.substr(0, at + 1).c_str(), nullptr) &&
          GetLastError() != ERROR_ALREADY_EXISTS)
        return 0;
    }
  }
  if (CreateDirectoryA(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) return 1;
  Log("Failed to create dir: %s", path.c_str());
  return 0;
}

int DeleteDirectoryAction(InstallScript& script, const std::string& args) {
  return DeleteFolderTree(script, InstallScript::GetField(args, 0));
}

namespace {

// Whether the system opens path as the link it is rather than as its target: only a link opened
// as itself reports the reparse point through its handle.
bool OpensAsLink(const std::string& path) {
  LastErrorKeeper keep;
  HANDLE link =
      CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (link == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info;
  const bool itself =
      GetFileInformationByHandle(link, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
  CloseHandle(link);
  return itself;
}

// attributes: what the caller already knows of path (INVALID_FILE_ATTRIBUTES when nothing).
int DeleteTree(InstallScript& script, const std::string& path, DWORD attributes) {
  if (path.empty()) {
    SetLastError(ERROR_INVALID_NAME);
    return 0;
  }
  Log("Deleted dir: %s", path.c_str());
  script.ShowStatus("Deleted dir", path.c_str());

  if (attributes == INVALID_FILE_ATTRIBUTES) attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
    // A junction or symbolic link: remove the link, never what it points to. Where the system
    // cannot open the link itself, removing it would act on the target (an empty target folder
    // would go): the link stays and the failure is reported.
    if (OpensAsLink(path)) {
      ReleaseLogFileFor(path);
      if (RemoveDirectoryA(path.c_str()) || DeleteFileA(path.c_str())) return 1;
    } else {
      SetLastError(ERROR_NOT_SUPPORTED);
    }
    Log("failed to deleted dir: %s", path.c_str());
    return 0;
  }

  if (RemoveDirectoryA(path.c_str())) return 1;

  WIN32_FIND_DATAA found;
  const std::string pattern = path + "\\*.*";
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == ".." || found.dwFileAttributes == INVALID_FILE_ATTRIBUTES) continue;
      const std::string full = path + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteTree(script, full, found.dwFileAttributes);
      } else {
        Log("Delete File: %s", full.c_str());
        ReleaseLogFileFor(full);
        DeleteFileA(full.c_str());  // a file link reported as one goes as a link
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }

  if (RemoveDirectoryA(path.c_str())) return 1;
  Log("failed to deleted dir: %s", path.c_str());
  return Exists(path) ? 0 : 1;
}

}  // namespace

int DeleteFolderTree(InstallScript& script, const std::string& path) {
  return DeleteTree(script, path, INVALID_FILE_ATTRIBUTES);
}
