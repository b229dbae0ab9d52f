// The stand-in host finds the entry point the way the host does: by the property of its own
// architecture, stepping over every other; damaged resources are refused, never over-read.
#include "pipl_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

void PutLong(Bytes& bytes, uint32 value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// A property with data padded to 4; length as given, or the padded data length.
void PutProperty(Bytes& bytes, const char* vendor, const char* key, const std::string& data,
                 std::int64_t length = -1) {
  std::string padded = data;
  padded.resize((data.size() + 3) & ~std::size_t(3), '\0');
  PutLong(bytes, Code(vendor));
  PutLong(bytes, Code(key));
  PutLong(bytes, 0);
  PutLong(bytes, length < 0 ? static_cast<uint32>(padded.size()) : static_cast<uint32>(length));
  bytes.insert(bytes.end(), padded.begin(), padded.end());
}

Bytes Pipl(uint32 count, const Bytes& properties) {
  Bytes bytes = {1, 0};
  PutLong(bytes, 0);
  PutLong(bytes, count);
  bytes.insert(bytes.end(), properties.begin(), properties.end());
  return bytes;
}

std::string Find(const Bytes& bytes, const char* key, PiplEntry expected) {
  std::string name;
  EXPECT_EQ(FindEntryName(bytes.data(), bytes.size(), Code(key), name), expected) << key;
  return name;
}

const std::string kEntry = std::string("AutoPluginMain") + '\0';

TEST(PiplReader, TakesTheEntryOfEachArchitectureAndStepsOverTheRest) {
  Bytes properties;
  PutProperty(properties, "8BIM", "kind", "ZIL8");
  PutProperty(properties, "8BIM", "name", "\012Tavimor...");
  PutProperty(properties, "8BIM", "wx86", "Entry32" + std::string(1, '\0'));
  PutProperty(properties, "ADBE", "8664", kEntry);      // another vendor's key of the same name
  PutProperty(properties, "8BIM", "8664", kEntry, 15);  // length without the padding
  PutProperty(properties, "8BIM", "enbl", std::string("true") + '\0');
  const Bytes pipl = Pipl(6, properties);
  EXPECT_EQ(Find(pipl, "wx86", PiplEntry::kFound), "Entry32");
  EXPECT_EQ(Find(pipl, "8664", PiplEntry::kFound), "AutoPluginMain");
  Find(pipl, "wa64", PiplEntry::kMissing);
  // Properties beyond the count are not read.
  Find(Pipl(2, properties), "wx86", PiplEntry::kMissing);
#if defined(__aarch64__)
  EXPECT_EQ(kEntryPropertyKey, Code("wa64"));
#else
  EXPECT_EQ(kEntryPropertyKey, sizeof(void*) == 8 ? Code("8664") : Code("wx86"));
#endif
}

TEST(PiplReader, RefusesDamagedResourcesWithoutReadingPastThem) {
  Bytes properties;
  PutProperty(properties, "8BIM", "kind", "ZIL8");
  PutProperty(properties, "8BIM", "8664", kEntry);
  const Bytes whole = Pipl(2, properties);
  // Cut anywhere before the name's terminator: never found, never a read past the end (ASan).
  for (std::size_t size = 0; size < whole.size() - 2; ++size) {
    const Bytes cut(whole.begin(), whole.begin() + static_cast<long>(size));
    std::string name;
    EXPECT_NE(FindEntryName(cut.data(), cut.size(), Code("8664"), name), PiplEntry::kFound) << size;
  }
  Find(Pipl(3, properties), "wx86", PiplEntry::kMalformed);  // count beyond the data

  Bytes lying;
  PutProperty(lying, "8BIM", "kind", "ZIL8", 0xFFFFFFF0);
  Find(Pipl(1, lying), "8664", PiplEntry::kMalformed);
  for (const std::string& data : {std::string("AutoPluginMain"), std::string(4, '\0')}) {
    Bytes bad;
    PutProperty(bad, "8BIM", "8664", data, static_cast<std::int64_t>(data.size()));  // unterminated, or empty
    Find(Pipl(1, bad), "8664", PiplEntry::kMalformed);
  }
  std::string name;
  EXPECT_EQ(FindEntryName(nullptr, 0, Code("8664"), name), PiplEntry::kMalformed);
}

}  // namespace
