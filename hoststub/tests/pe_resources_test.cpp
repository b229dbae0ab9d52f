// A module's resources are found in its file's bytes, for either architecture's layout; damaged
// files are refused, never over-read.
#include "pe_resources.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

void Put(std::string& bytes, std::size_t at, std::uint32_t value, int size = 4) {
  if (bytes.size() < at + size) bytes.resize(at + size, '\0');
  for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// A resource section at virtual address 0x3000: types "OTHER" and "PIPL" (named, in that order)
// and the numeric type 7, each with ids 1 and 18500 and one language whose data is the type's
// name, the id and the language.
std::string ResourceSection() {
  std::string s;
  std::size_t next = 0;
  auto directory = [&](std::size_t named, std::size_t ids) {
    const std::size_t at = next;
    Put(s, at + 12, std::uint32_t(named), 2);
    Put(s, at + 14, std::uint32_t(ids), 2);
    next = at + 16 + 8 * (named + ids);
    s.resize(next, '\0');
    return at;
  };
  const std::size_t root = directory(2, 1);
  const char* types[] = {"OTHER", "PIPL", nullptr};
  for (int t = 0; t < 3; ++t) {
    const std::size_t names = directory(0, 2);
    Put(s, root + 16 + 8 * t + 4, 0x80000000u | std::uint32_t(names));
    if (types[t]) {
      Put(s, root + 16 + 8 * t, 0x80000000u | std::uint32_t(next));
      Put(s, next, std::uint32_t(std::string(types[t]).size()), 2);
      for (std::size_t i = 0; types[t][i]; ++i) Put(s, next + 2 + 2 * i, std::uint32_t(types[t][i]), 2);
      next = s.size();
    } else {
      Put(s, root + 16 + 8 * t, 7);
    }
    const std::uint16_t ids[] = {1, 18500};
    for (int n = 0; n < 2; ++n) {
      const std::size_t languages = directory(0, 1);
      Put(s, names + 16 + 8 * n, ids[n]);
      Put(s, names + 16 + 8 * n + 4, 0x80000000u | std::uint32_t(languages));
      Put(s, languages + 16, 0x409);
      Put(s, languages + 20, std::uint32_t(next));
      const std::string data =
          std::string(types[t] ? types[t] : "7") + "/" + std::to_string(ids[n]) + "/1033";
      Put(s, next, std::uint32_t(0x3000 + next + 16));
      Put(s, next + 4, std::uint32_t(data.size()));
      s.resize(next + 16);
      s += data;
      next = s.size();
    }
  }
  return s;
}

// A module file of the given layout (PE32 or PE32+) whose second section holds the resources.
std::string Module(bool wide) {
  const std::string section = ResourceSection();
  std::string file = "MZ";
  const std::size_t pe = 0x80, optional = pe + 24, optionalSize = wide ? 240 : 224;
  const std::size_t directories = wide ? 112 : 96, headers = optional + optionalSize;
  Put(file, 0x3C, pe);
  Put(file, pe, 0x00004550);
  Put(file, pe + 6, 2, 2);
  Put(file, pe + 20, std::uint32_t(optionalSize), 2);
  Put(file, optional, wide ? 0x20B : 0x10B, 2);
  Put(file, optional + directories - 4, 16);
  Put(file, optional + directories + 16, 0x3000);
  Put(file, optional + directories + 20, std::uint32_t(section.size()));
  const std::uint32_t rvas[] = {0x1000, 0x3000}, sizes[] = {0x200, std::uint32_t(section.size())};
  for (int i = 0; i < 2; ++i) {
    const std::size_t at = headers + 40 * i;
    Put(file, at + 8, sizes[i]);
    Put(file, at + 12, rvas[i]);
    Put(file, at + 16, sizes[i]);
    Put(file, at + 20, std::uint32_t(0x400 + 0x200 * i));
  }
  file.resize(0x600, '\0');
  return file + section;
}

bool Find(const std::string& file, const char* type, std::uint16_t id, std::string& data) {
  return FindPeResource(reinterpret_cast<const unsigned char*>(file.data()), file.size(), type, id, data);
}

TEST(PeResources, FindsANamedTypesResourceInBothLayoutsAndRefusesDamage) {
  for (bool wide : {false, true}) {
    const std::string file = Module(wide);
    std::string data;
    EXPECT_TRUE(Find(file, "PIPL", 18500, data));
    EXPECT_EQ(data, "PIPL/18500/1033");
    EXPECT_TRUE(Find(file, "pipl", 1, data));
    EXPECT_EQ(data, "PIPL/1/1033");
    EXPECT_TRUE(Find(file, "OTHER", 18500, data));
    EXPECT_EQ(data, "OTHER/18500/1033");
    EXPECT_FALSE(Find(file, "PIPLX", 18500, data));
    EXPECT_FALSE(Find(file, "PIP", 18500, data));
    EXPECT_FALSE(Find(file, "PIPL", 2, data));
    // Every shorter file is refused, whichever offset or length it cuts.
    for (std::size_t size = 0; size < file.size(); ++size) {
      EXPECT_FALSE(
          FindPeResource(reinterpret_cast<const unsigned char*>(file.data()), size, "PIPL", 18500, data))
          << size;
    }
    // Lengths and offsets that point beyond the file.
    for (std::size_t at : {std::size_t(0x3C), std::size_t(0x80 + 24 + (wide ? 128 : 112))}) {
      std::string damaged = file;
      Put(damaged, at, 0xFFFFFFF0u);
      EXPECT_FALSE(Find(damaged, "PIPL", 18500, data)) << at;
    }
  }
  std::string data;
  EXPECT_FALSE(FindPeResource(nullptr, 100, "PIPL", 18500, data));
}

}  // namespace
