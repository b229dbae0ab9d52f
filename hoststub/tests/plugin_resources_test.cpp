// The registration resources read back out of the built plug-in module, field by field.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "host_interface.h"
#include "pe_resources.h"
#include "pipl_reader.h"
#include "plugin_loader.h"

namespace {

// The PiPL's entry-point properties: the 32-bit host's, the x64 host's, the ARM64 host's.
const char* const kEntryKeys[] = {"wx86", "8664", "wa64"};

// Reads a resource's bytes in order: little-endian integers, four-character codes stored with
// their bytes reversed, length-prefixed strings.
class Reader {
 public:
  Reader(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}
  bool Has(std::size_t n) const { return at_ + n <= size_; }
  std::size_t At() const { return at_; }
  std::size_t Left() const { return size_ - at_; }
  unsigned Byte() { return Has(1) ? data_[at_++] : 0xFFFF; }
  unsigned Word() {
    const unsigned low = Byte();
    return low | (Byte() << 8);
  }
  uint32 Long() {
    const uint32 low = Word();
    return low | (uint32(Word()) << 16);
  }
  std::string Code4() {
    const uint32 value = Long();
    std::string text(4, ' ');
    for (int i = 0; i < 4; ++i) text[i] = static_cast<char>(value >> (24 - 8 * i));
    return text;
  }
  std::string PString() {
    const unsigned n = Byte();
    std::string text;
    for (unsigned i = 0; i < n && Has(1); ++i) text += static_cast<char>(Byte());
    return text;
  }
  // A NUL-terminated UTF-16 string of ASCII characters.
  std::string WString() {
    std::string text;
    for (unsigned c = Word(); c != 0 && Has(2); c = Word()) text += static_cast<char>(c);
    return text;
  }
  std::string CString() {
    std::string text;
    while (Has(1) && data_[at_] != 0) text += static_cast<char>(Byte());
    Byte();
    return text;
  }
  void Skip(std::size_t n) { at_ += n; }

 private:
  const unsigned char* data_;
  std::size_t size_;
  std::size_t at_ = 0;
};

class PluginResources : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExA(PLUGIN_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module_, nullptr) << PLUGIN_PATH;
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  Reader Resource(const char* type, int id) {
    HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(id), type);
    EXPECT_NE(found, nullptr) << type << " " << id;
    if (!found) return Reader(nullptr, 0);
    const void* data = LockResource(LoadResource(module_, found));
    return Reader(static_cast<const unsigned char*>(data), SizeofResource(module_, found));
  }
  HMODULE module_ = nullptr;
};

// A property's header; returns its data length.
uint32 Property(Reader& r, const char* vendor, const char* key) {
  EXPECT_EQ(r.Code4(), vendor);
  EXPECT_EQ(r.Code4(), key);
  EXPECT_EQ(r.Long(), 0u) << key << ": property id";
  return r.Long();
}

TEST_F(PluginResources, PiplListsTenPropertiesInOrder) {
  Reader r = Resource("PIPL", 18500);
  EXPECT_EQ(r.Word(), 1u);
  EXPECT_EQ(r.Long(), 0u);  // PiPL version
  EXPECT_EQ(r.Long(), 11u);

  EXPECT_EQ(Property(r, "8BIM", "kind"), 4u);
  EXPECT_EQ(r.Code4(), "8LIZ");

  EXPECT_EQ(Property(r, "8BIM", "name"), 12u);
  EXPECT_EQ(r.PString(), "Tavimor...");
  EXPECT_EQ(r.Byte(), 0u);  // padding

  EXPECT_EQ(Property(r, "8BIM", "catg"), 12u);
  EXPECT_EQ(r.PString(), "AdobeSDK");
  EXPECT_EQ(r.Word() | r.Byte(), 0u);

  EXPECT_EQ(Property(r, "8BIM", "vers"), 4u);
  EXPECT_EQ(r.Long(), 0x00010000u);

  for (const char* entry : kEntryKeys) {
    EXPECT_EQ(Property(r, "8BIM", entry), 16u);
    EXPECT_EQ(r.CString(), "AutoPluginMain");
    EXPECT_EQ(r.Byte(), 0u);
  }

  EXPECT_EQ(Property(r, "8BIM", "hstm"), 32u);
  const std::size_t hstm = r.At();
  EXPECT_EQ(r.Long(), 0u);
  EXPECT_EQ(r.Code4(), "sdKG");
  EXPECT_EQ(r.Code4(), "lstN");
  EXPECT_EQ(r.Word(), 18500u);
  EXPECT_EQ(r.CString(), "AdobeSDK Tavimor");
  EXPECT_EQ(r.At() - hstm, 31u);
  EXPECT_EQ(r.Byte(), 0u);

  EXPECT_EQ(Property(r, "8BIM", "prst"), 4u);
  EXPECT_EQ(r.Long(), 1u);

  EXPECT_EQ(Property(r, "ADBE", "AcpM"), 4u);
  EXPECT_EQ(r.Long(), 1u);

  EXPECT_EQ(Property(r, "8BIM", "enbl"), 8u);
  EXPECT_EQ(r.CString(), "true");
  EXPECT_EQ(r.Word() | r.Byte(), 0u);  // three padding bytes, then nothing
  EXPECT_EQ(r.Left(), 0u);
}

TEST_F(PluginResources, TerminologyDeclaresOneSuiteWithOneEvent) {
  Reader r = Resource("AETE", 18500);
  EXPECT_EQ(r.Word(), 1u);  // reserved
  EXPECT_EQ(r.Byte(), 1u);  // version 1.0
  EXPECT_EQ(r.Byte(), 0u);
  EXPECT_EQ(r.Word(), 0u);  // language
  EXPECT_EQ(r.Word(), 0u);  // script
  EXPECT_EQ(r.Word(), 1u);  // suites

  EXPECT_EQ(r.PString(), "AdobeSDK");
  EXPECT_EQ(r.PString(), "Adobe example plug-ins");
  EXPECT_EQ(r.Code4(), "sdKG");
  EXPECT_EQ(r.Word(), 1u);  // level
  EXPECT_EQ(r.Word(), 1u);  // version
  EXPECT_EQ(r.Word(), 1u);  // events

  EXPECT_EQ(r.PString(), "Tavimor");
  EXPECT_EQ(r.PString(), "Tavimor persistent actions plug-in");
  EXPECT_EQ(r.Code4(), "sdKG");
  EXPECT_EQ(r.Code4(), "lstN");
  EXPECT_EQ(r.Code4(), "null");  // reply
  EXPECT_EQ(r.PString(), "");
  EXPECT_EQ(r.Word(), 0u);
  EXPECT_EQ(r.Code4(), "#ImR");  // direct parameter
  EXPECT_EQ(r.PString(), "");
  EXPECT_EQ(r.Word(), 0xB000u);

  EXPECT_EQ(r.Word(), 2u);  // parameters
  const struct {
    const char* name;
    const char* key;
  } kParameters[] = {{"action set", "actS"}, {"action", "actN"}};
  for (const auto& p : kParameters) {
    EXPECT_EQ(r.PString(), p.name);
    EXPECT_EQ(r.Code4(), p.key);
    EXPECT_EQ(r.Code4(), "TEXT");
    EXPECT_EQ(r.PString(), "");
    EXPECT_EQ(r.Word(), 0u);
  }
  EXPECT_EQ(r.Word(), 0u);  // classes
  EXPECT_EQ(r.Word(), 0u);  // comparison operators
  EXPECT_EQ(r.Word(), 0u);  // enumerations
  EXPECT_EQ(r.Left(), 0u);
}

// A resource of a module file's bytes (the module may be built for another architecture, which a
// process cannot open as a module): of a named type, or else of the numeric one; empty when there
// is none.
std::string ResourceIn(const std::string& file, const char* typeName, std::uint16_t type, std::uint16_t id) {
  const auto* data = reinterpret_cast<const unsigned char*>(file.data());
  std::string bytes;
  if (typeName)
    FindPeResource(data, file.size(), typeName, id, bytes);
  else
    FindPeResource(data, file.size(), type, id, bytes);
  return bytes;
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string PiplBytes(const char* path) {
  return ResourceIn(FileBytes(path), "PIPL", 0, 18500);
}

const char* const kTrees[] = {"win32", "win64", "arm64"};

// The file in tree under the build root, or "" when that tree is not built.
std::string BuiltFile(const char* tree, const char* file) {
  const std::string path = std::string(BUILD_ROOT_PATH "\\") + tree + "\\" + file;
  return GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES ? "" : path;
}

// The modules of every tree carry one PiPL, byte for byte, and each host finds its own entry in it
// (the field-by-field reading is above). Each module is read from its file's bytes, as no process
// may open another architecture's module.
TEST(PluginPipl, IsTheSameInEveryModuleAndNamesEveryEntry) {
  const std::string own = PiplBytes(PLUGIN_PATH);
  ASSERT_FALSE(own.empty());
  {  // the file's bytes say what the system's own lookup in this module says
    HMODULE module = LoadLibraryExA(PLUGIN_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(18500), "PIPL");
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(own, std::string(static_cast<const char*>(LockResource(LoadResource(module, found))),
                               SizeofResource(module, found)));
    FreeLibrary(module);
  }
  for (const char* key : kEntryKeys) {
    std::string name;
    EXPECT_EQ(FindEntryName(reinterpret_cast<const unsigned char*>(own.data()), own.size(), Code(key), name),
              PiplEntry::kFound);
    EXPECT_EQ(name, "AutoPluginMain") << key;
  }
  int compared = 0;
  for (const char* tree : kTrees) {
    const std::string other = BuiltFile(tree, "plugin\\Tavimor.8li");
    if (other.empty()) continue;
    EXPECT_EQ(PiplBytes(other.c_str()), own) << other;
    ++compared;
  }
  if (compared < 2) GTEST_SKIP() << "no other tree's module is built beside " << BUILD_ROOT_PATH;
}

// The module's and the installer's other resources are the same bytes in every tree too, whichever
// resource compiler made them (windres for the MinGW trees, llvm-rc for ARM64), so the dialogs
// behave alike everywhere.
TEST(ShippedResources, AreTheSameInEveryTree) {
  struct Resource {
    const char* file;
    const char* typeName;
    std::uint16_t type, id;  // 5 dialog, 16 version, 24 manifest
  };
  const Resource resources[] = {
      {"plugin\\Tavimor.8li", "AETE", 0, 18500},       {"plugin\\Tavimor.8li", nullptr, 5, 18501},
      {"plugin\\Tavimor.8li", nullptr, 5, 18502},      {"plugin\\Tavimor.8li", nullptr, 5, 120},
      {"plugin\\Tavimor.8li", nullptr, 5, 121},        {"plugin\\Tavimor.8li", nullptr, 16, 1},
      {"installer\\ui\\Install.exe", nullptr, 5, 102}, {"installer\\ui\\Install.exe", nullptr, 16, 1},
      {"installer\\ui\\Install.exe", nullptr, 24, 1},
  };
  std::string first[std::size(resources)];
  int compared = 0;
  for (const char* tree : kTrees) {
    std::string path, file;
    for (std::size_t i = 0; i < std::size(resources); ++i) {
      const std::string built = BuiltFile(tree, resources[i].file);
      if (built != path) file = built.empty() ? "" : FileBytes(built);  // each file read once
      path = built;
      if (path.empty()) continue;
      const std::string bytes = ResourceIn(file, resources[i].typeName, resources[i].type, resources[i].id);
      EXPECT_FALSE(bytes.empty()) << path << " resource " << resources[i].id;
      if (first[i].empty()) {
        first[i] = bytes;
        continue;
      }
      ++compared;
      EXPECT_TRUE(bytes == first[i]) << path << " resource " << resources[i].id
                                     << " differs from another tree's";
    }
  }
  if (compared == 0) GTEST_SKIP() << "no two trees are built beside " << BUILD_ROOT_PATH;
}

// A copy of the module whose PiPL entry property for key has another key.
std::string CopyWithoutEntry(const char* key, const std::string& copyName) {
  std::string bytes = FileBytes(PLUGIN_PATH);
  std::string property = "MIB8";  // '8BIM', then the key, each as the host reads them
  for (int i = 3; i >= 0; --i) property += key[i];
  const std::size_t at = bytes.find(property);
  EXPECT_NE(at, std::string::npos) << key;
  EXPECT_EQ(bytes.find(property, at + 1), std::string::npos) << key;
  if (at != std::string::npos) bytes.replace(at + 4, 4, "XXXX");
  char folder[MAX_PATH];
  GetTempPathA(sizeof folder, folder);
  const std::string path = std::string(folder) + copyName;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

// The stand-in host takes the entry point only from the property of its own architecture: a
// module without it is refused with a message saying so, and nothing of it runs. The other
// architectures' properties are stepped over.
TEST(PluginPipl, TheHostRefusesAModuleWithoutItsArchitecturesEntry) {
  const std::string own = stub::CodeText(kEntryPropertyKey);
  const std::string refused = CopyWithoutEntry(own.c_str(), "without-own-entry.8li");
  {
    LoadedPlugin plugin(refused.c_str());
    EXPECT_FALSE(plugin.Loaded());
    EXPECT_EQ(plugin.Module(), nullptr);
    EXPECT_EQ(plugin.Error(), refused +
                                  " is not a plug-in for this host: its PiPL names no entry point for "
                                  "this architecture ('" +
                                  own + "')");
    stub::FakeHost host;
    EXPECT_EQ(plugin.About(host), kSPBadParameterError);
  }
  DeleteFileA(refused.c_str());
  for (const char* other : kEntryKeys) {
    if (other == own) continue;
    const std::string accepted = CopyWithoutEntry(other, "without-other-entry.8li");
    {
      LoadedPlugin plugin(accepted.c_str());
      EXPECT_TRUE(plugin.Loaded()) << other << ": " << plugin.Error();
      EXPECT_EQ(plugin.Error(), "");
    }
    DeleteFileA(accepted.c_str());
  }
}

// Each dialog's caption, size in dialog units and font, as its template holds them.
TEST_F(PluginResources, DialogsCarryTheirCaptionsSizesAndFonts) {
  const struct {
    int id;
    const char* caption;
    unsigned width, height;
    const char* font;
  } kDialogs[] = {
      {18501, "Tavimor", 293, 290, "MS Sans Serif"},
      {18502, "About Tavimor", 208, 134, "MS Sans Serif"},
      {120, "Spell Checker", 167, 122, "MS Shell Dlg"},
      {121, "Save Dialog", 161, 66, "MS Shell Dlg"},
  };
  for (const auto& dialog : kDialogs) {
    Reader r = Resource(RT_DIALOG, dialog.id);
    const uint32 style = r.Long();
    EXPECT_TRUE(style & DS_SETFONT) << dialog.id;
    EXPECT_TRUE(style & DS_MODALFRAME) << dialog.id;
    r.Long();  // extended style
    r.Word();  // controls
    r.Word();  // x
    r.Word();  // y
    EXPECT_EQ(r.Word(), dialog.width) << dialog.id;
    EXPECT_EQ(r.Word(), dialog.height) << dialog.id;
    EXPECT_EQ(r.Word(), 0u) << dialog.id << ": menu";
    EXPECT_EQ(r.Word(), 0u) << dialog.id << ": class";
    EXPECT_EQ(r.WString(), dialog.caption);
    EXPECT_EQ(r.Word(), 8u) << dialog.id << ": point size";
    EXPECT_EQ(r.WString(), dialog.font) << dialog.id;
  }
}

// What Windows shows in the module's properties: the fixed version and the version text agree, the
// original file name is the module's, and the maker, product and description are filled in.
TEST(PluginVersion, CarriesOneVersionAndNamesTheProduct) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(PLUGIN_PATH, &ignored);
  ASSERT_GT(size, 0u) << "no version information";
  std::string data(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoA(PLUGIN_PATH, 0, size, &data[0]));
  auto text = [&data](const char* name) {
    char* value = nullptr;
    UINT length = 0;
    const std::string key = std::string("\\StringFileInfo\\040904E4\\") + name;
    return VerQueryValueA(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) && value
               ? std::string(value)
               : std::string();
  };

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
  const std::string version = std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
                              std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
                              std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
                              std::to_string(LOWORD(fixed->dwFileVersionLS));
  EXPECT_EQ(text("FileVersion"), version);
  EXPECT_EQ(text("ProductVersion"), version);
  EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
  EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);

  const std::string path = PLUGIN_PATH;
  EXPECT_EQ(text("OriginalFilename"), path.substr(path.find_last_of("\\/") + 1));
  EXPECT_EQ(text("ProductName"), "Tavimor");
  for (const char* name : {"CompanyName", "FileDescription"}) EXPECT_FALSE(text(name).empty()) << name;
}

TEST(PluginExports, EntryPointAndDialogProceduresByPlainName) {
  HMODULE module = LoadLibraryA(PLUGIN_PATH);
  ASSERT_NE(module, nullptr);
  for (const char* name : {"AutoPluginMain", "TavimorProc", "GenericProc", "GenericSaveProc"}) {
    EXPECT_NE(GetProcAddress(module, name), nullptr) << name;
  }
  FreeLibrary(module);
}

}  // namespace
