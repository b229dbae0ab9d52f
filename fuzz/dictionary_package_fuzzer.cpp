// A dictionary extension's bytes: as a zip archive, as a raw deflate stream and as the text of
// dictionaries.xcu. Nothing is read outside the input, what is extracted is whole (its CRC-32
// matched), and no declared file reaches outside the package.
#include "dictionary_package.h"
#include "fuzz_support.h"
#include "zip_archive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes = InputText(data, size);
  ZipArchive zip(bytes);
  for (const std::string& name : zip.Names()) {
    std::string out;
    if (zip.Extract(name, out)) FUZZ_CHECK(out.size() <= kMaxZipMemberSize);
  }

  std::string inflated;
  if (Inflate(data, size, inflated, 1 << 20)) FUZZ_CHECK(inflated.size() <= (1u << 20));

  for (const PackagedDictionary& d : ReadDictionaryDeclarations(bytes, "x/")) {
    FUZZ_CHECK(!d.locations.empty());
    for (const std::string& path : d.locations) {
      FUZZ_CHECK(!path.empty() && path.front() != '/' && path.back() != '/');
      FUZZ_CHECK(path != ".." && path.compare(0, 3, "../") != 0 && path.find("/../") == std::string::npos);
      FUZZ_CHECK(path.size() < 3 || path.compare(path.size() - 3, 3, "/..") != 0);
    }
  }
  return 0;
}
