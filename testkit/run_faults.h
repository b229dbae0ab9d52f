// What a run of the plug-in must come to when one host call fails, worked out from the failing
// call's name and its place in the run's fault-free call sequence. Shared by the bridge's native
// tests and the module's tests under Wine.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

namespace faults {

// The parts of a run, in the order in which they call the host.
enum class Stage { kReadKeywords, kReadFields, kReadRecorded, kRecord, kWrite };

inline bool StartsWith(const std::string& text, const std::string& prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

// Frees (and the ZStrings' Release) are the only calls whose failure changes nothing the plug-in
// does: the object is the host's own loss.
inline bool IsFree(const std::string& call) {
  return call.find(".Free") != std::string::npos || call.find("ZString.Release") != std::string::npos;
}

// The stage of every call of a fault-free run, calls as FakeHost logs them. An interactive run
// reads the document's keywords (ending with the list's Free) and fields (ending with the Free
// after the URL), a replay reads the recorded step (up to the Make of the step it records); both
// then record the step and write from the next reference on.
inline std::vector<Stage> StagesOf(const std::vector<std::string>& calls, bool interactive) {
  std::vector<Stage> stages;
  Stage stage = interactive ? Stage::kReadKeywords : Stage::kReadRecorded;
  bool urlRead = false;
  for (const std::string& call : calls) {
    if (stage == Stage::kRecord && StartsWith(call, "Reference.Make")) stage = Stage::kWrite;
    if (stage == Stage::kReadRecorded && StartsWith(call, "Descriptor.Make")) stage = Stage::kRecord;
    stages.push_back(stage);
    if (stage == Stage::kReadKeywords && call == "List.Free") {
      stage = Stage::kReadFields;
    } else if (stage == Stage::kReadFields) {
      if (StartsWith(call, "Descriptor.GetString URL ")) urlRead = true;
      if (urlRead && call == "Descriptor.Free") stage = Stage::kRecord;
    }
  }
  return stages;
}

// The keyword text read when call fails while the document's keywords are read: the items before
// a failing item read, nothing when the list or the File Info object cannot be had, everything
// when only a Free fails.
inline std::string KeywordsRead(const std::string& call, const std::vector<std::string>& keywords) {
  std::size_t count = 0;
  if (IsFree(call)) {
    count = keywords.size();
  } else {
    for (const char* prefix : {"List.GetStringLength ", "List.GetString "}) {
      if (StartsWith(call, prefix))
        count = std::strtoul(call.c_str() + std::string(prefix).size(), nullptr, 10);
    }
  }
  std::string text;
  for (std::size_t i = 0; i < count && i < keywords.size(); ++i) text += keywords[i] + "; ";
  return text;
}

// Whether the string item under key (as text: "ObjN", "KeWo") is lost when call fails while a
// descriptor's strings are read: only its own read, or the File Info object as a whole. A step
// without a keyword item list ('KeLs') replays its keyword text whether or not the list is found.
inline bool FieldLost(const std::string& call, const std::string& key) {
  if (IsFree(call) || call.find(" KeLs") != std::string::npos) return false;
  const std::string getString = "Descriptor.GetString ";
  if (StartsWith(call, getString)) return call.compare(getString.size(), key.size(), key) == 0;
  return true;
}

// Whether the run hands the host a new step: not when making or filling it failed.
inline bool StepReplaced(Stage stage, const std::string& call) {
  return stage != Stage::kRecord || IsFree(call);
}

// Whether the document receives the values: not when a call up to and including Play failed.
inline bool Written(Stage stage, const std::string& call) {
  return stage != Stage::kWrite || IsFree(call);
}

}  // namespace faults
