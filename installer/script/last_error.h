// The thread's last system error, kept across work that may overwrite it (opening the log).
// Windows: GetLastError/SetLastError. Elsewhere: errno.
#pragma once

unsigned long SaveLastError();
void RestoreLastError(unsigned long code);

class LastErrorKeeper {
 public:
  LastErrorKeeper() : code_(SaveLastError()) {}
  ~LastErrorKeeper() { RestoreLastError(code_); }
  LastErrorKeeper(const LastErrorKeeper&) = delete;
  LastErrorKeeper& operator=(const LastErrorKeeper&) = delete;

 private:
  unsigned long code_;
};
