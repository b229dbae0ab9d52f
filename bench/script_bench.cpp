// Loads and runs install scripts of 100, 1000 and 5000 entries whose action does nothing, and
// prints the cost per entry. A run looks every entry up by number, so a lookup that read the
// script from the start would make the cost per entry grow with the list; the target is a cost
// at 5000 entries within 1.5 times the cost at 100.
#include "install_log.h"
#include "install_script.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include <unistd.h>

namespace {

class QuietServices : public ScriptServices {
 public:
  explicit QuietServices(std::string folder) : folder_(std::move(folder)) {}
  std::string CurrentDirectory() override { return folder_; }
  std::string SpecialFolder(int) override { return "C:\\WINDOWS\\system32"; }
  unsigned long LastError() override { return 0; }
  std::string ErrorText(unsigned long) override { return ""; }
  int AskAbortRetryIgnore(const std::string&) override { return kAnswerAbort; }
  bool ReadUninstallRecord(const std::string&, std::string&) override { return false; }

 private:
  std::string folder_;
};

class CountingSink : public ProgressSink {
 public:
  void ShowStatus(const char*, const char*) override {}
  void Step() override { ++steps; }
  void SetRange(int) override {}
  long steps = 0;
};

std::string MakeScript(int entries) {
  std::string text = "[SETTINGS]\nName=Bench\nInstallationFolder=C:\\Program Files\\Bench\n[INSTALL_ORDER]\n";
  for (int n = 1; n <= entries; ++n)
    text += std::to_string(n) + "=DeleteFile,^InstallationFolder^\\file" + std::to_string(n) + ".dat\n";
  return text;
}

// Nanoseconds per entry of Load and Run, best of several rounds.
double CostPerEntry(const std::string& folder, int entries) {
  const std::string path = folder + "/Install.ini";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) std::exit(1);
  const std::string text = MakeScript(entries);
  std::fwrite(text.data(), 1, text.size(), file);
  std::fclose(file);

  QuietServices services(folder);
  long performed = 0;
  const ActionTable actions = {
      {"DeleteFile", 1,
       [&performed](InstallScript&, const ActionFields& fields) {
         return fields[0].empty() ? 0 : ++performed > 0;
       }},
      {"CopyFile", 4, [](InstallScript&, const ActionFields&) { return 1; }},
  };

  const int rounds = 200000 / entries + 3;
  double best = 1e30;
  for (int round = 0; round < rounds; ++round) {
    CountingSink sink;
    const auto start = std::chrono::steady_clock::now();
    InstallScript script(services, actions);
    script.Load(path, &sink);
    script.Run(true);
    const auto took = std::chrono::steady_clock::now() - start;
    if (sink.steps != entries + 1) std::exit(2);
    best = std::min(best, std::chrono::duration<double, std::nano>(took).count() / entries);
  }
  return best;
}

}  // namespace

int main() {
  char folder[] = "/tmp/script_bench_XXXXXX";
  if (!mkdtemp(folder)) return 1;

  std::printf("%8s %16s\n", "entries", "ns per entry");
  double first = 0, last = 0;
  for (int entries : {100, 1000, 5000}) {
    const double cost = CostPerEntry(folder, entries);
    std::printf("%8d %16.0f\n", entries, cost);
    if (entries == 100) first = cost;
    last = cost;
  }
  const double ratio = last / first;
  std::printf("cost at 5000 / cost at 100: %.2f (target at most 1.50): %s\n", ratio,
              ratio <= 1.5 ? "met" : "MISSED");

  std::remove((std::string(folder) + "/Install.ini").c_str());
  std::remove((std::string(folder) + "/Install.log").c_str());
  rmdir(folder);
  return 0;
}
