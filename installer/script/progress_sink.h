// Where the runner reports what it is doing: implemented by the installer dialog.
#pragma once

class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  // detail may be empty; the receiver decides how much of the text it can show.
  virtual void ShowStatus(const char* text, const char* detail) = 0;
  // One call per processed entry (and once more when the list ends).
  virtual void Step() = 0;
  virtual void SetRange(int count) = 0;
  // Everything reported so far is to be seen now: the run is about to wait for the user, or ended.
  virtual void ShowPending() {}
};
