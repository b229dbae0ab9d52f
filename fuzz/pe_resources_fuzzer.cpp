// The module file reader: any bytes are looked through without a read outside them, and a
// resource found is bytes of the file, whole.
#include <string_view>

#include "fuzz_support.h"
#include "pe_resources.h"

namespace {

// Whether data occurs in the file's bytes.
bool InFile(const std::uint8_t* file, std::size_t size, const std::string& data) {
  return std::string_view(reinterpret_cast<const char*>(file), size).find(data) != std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The lookups of the stand-in host (the PiPL, the version, the manifest, a dialog) and of the
  // tests' small modules.
  struct Named {
    const char* type;
    std::uint16_t id;
  };
  static const Named kNamed[] = {{"PIPL", 16000}, {"PIPL", 18500}, {"pipl", 1}, {"OTHER", 1}, {"", 0}};
  static const std::uint16_t kNumbered[][2] = {{16, 1}, {24, 1}, {24, 2}, {5, 1}, {7, 1}, {7, 18500}};
  for (const Named& query : kNamed) {
    std::string found = "untouched";
    if (FindPeResource(data, size, query.type, query.id, found)) {
      FUZZ_CHECK(InFile(data, size, found));
    } else {
      FUZZ_CHECK(found == "untouched");
    }
  }
  for (const auto& query : kNumbered) {
    std::string found = "untouched";
    if (FindPeResource(data, size, query[0], query[1], found)) {
      FUZZ_CHECK(InFile(data, size, found));
    } else {
      FUZZ_CHECK(found == "untouched");
    }
  }
  return 0;
}
