// The dictionary extension's pieces: the deflate decoder against zlib's encoder, the zip
// directory, and the declarations in dictionaries.xcu.
#include <zlib.h>

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "dictionary_package.h"
#include "zip_archive.h"

namespace {

std::string Deflated(const std::string& text, int level, int strategy) {
  z_stream z{};
  EXPECT_EQ(deflateInit2(&z, level, Z_DEFLATED, -15, 8, strategy), Z_OK);
  std::string out(deflateBound(&z, text.size()), '\0');
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
  z.avail_in = static_cast<uInt>(text.size());
  z.next_out = reinterpret_cast<Bytef*>(&out[0]);
  z.avail_out = static_cast<uInt>(out.size());
  EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
  out.resize(z.total_out);
  deflateEnd(&z);
  return out;
}

std::string Inflated(const std::string& data, std::size_t maxSize = kMaxZipMemberSize) {
  std::string out = "untouched";
  if (!Inflate(reinterpret_cast<const unsigned char*>(data.data()), data.size(), out, maxSize))
    return "failed";
  return out;
}

void Put(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>(value >> (8 * i));
}

// A zip archive of (name, data) members, each deflated when deflate is set.
std::string Zip(const std::vector<std::pair<std::string, std::string>>& members, bool deflate) {
  std::string archive, directory;
  for (const auto& [name, data] : members) {
    std::string packed = deflate ? Deflated(data, 9, Z_DEFAULT_STRATEGY) : data;
    std::string common;
    Put(common, 20, 2), Put(common, 0, 2), Put(common, deflate ? 8 : 0, 2), Put(common, 0, 4);
    Put(common, Crc32(data), 4), Put(common, packed.size(), 4), Put(common, data.size(), 4);
    Put(common, name.size(), 2), Put(common, 0, 2);
    std::uint32_t offset = archive.size();
    Put(archive, 0x04034b50, 4), archive += common + name + packed;
    Put(directory, 0x02014b50, 4), Put(directory, 20, 2), directory += common;
    Put(directory, 0, 2), Put(directory, 0, 2), Put(directory, 0, 2), Put(directory, 0, 4),
        Put(directory, offset, 4);
    directory += name;
  }
  std::uint32_t start = archive.size();
  archive += directory;
  Put(archive, 0x06054b50, 4), Put(archive, 0, 4), Put(archive, members.size(), 2),
      Put(archive, members.size(), 2);
  Put(archive, directory.size(), 4), Put(archive, start, 4), Put(archive, 0, 2);
  return archive;
}

TEST(ZipArchive, InflatesWhatZlibDeflatesInEveryBlockKind) {
  std::mt19937 random(7);
  std::string noise(70000, '\0');
  for (char& c : noise) c = static_cast<char>(random());
  std::string words;
  for (int i = 0; i < 20000; ++i) words += "Wort" + std::to_string(random() % 900) + "/NSX\n";
  for (const std::string& text : {std::string(), std::string("a"), words, noise, std::string(100000, 'z')}) {
    for (int level : {0, 1, 6, 9}) {
      for (int strategy : {Z_DEFAULT_STRATEGY, Z_FIXED, Z_HUFFMAN_ONLY, Z_RLE}) {
        std::string packed = Deflated(text, level, strategy);
        EXPECT_EQ(Inflated(packed), text) << text.size() << " " << level << " " << strategy;
        if (!text.empty()) {
          EXPECT_EQ(Inflated(packed, text.size() - 1), "failed");
        }
        EXPECT_EQ(Inflated(packed.substr(0, packed.size() / 2)), "failed");
      }
    }
  }
}

TEST(ZipArchive, ExtractsMembersWholeAndRefusesDamagedOnes) {
  const std::string aff = "SET UTF-8\nTRY esianrtolcdugmphbyfvkwzESIANRTOLCDUGMPHBYFVKWZ'\n";
  const std::string dic = "2\nŁódź\nStraße\n";
  for (bool deflate : {false, true}) {
    std::string archive =
        Zip({{"dictionaries.xcu", "<x/>"}, {"dict/pl_PL.aff", aff}, {"dict/pl_PL.dic", dic}}, deflate);
    ZipArchive zip(archive);
    EXPECT_EQ(zip.Names(),
              (std::vector<std::string>{"dictionaries.xcu", "dict/pl_PL.aff", "dict/pl_PL.dic"}));
    std::string out;
    EXPECT_TRUE(zip.Extract("dict/pl_PL.dic", out));
    EXPECT_EQ(out, dic);
    EXPECT_FALSE(zip.Extract("pl_PL.dic", out));

    // A changed byte in a member's data, or an archive cut short, extracts nothing.
    std::string damaged = archive;
    damaged[archive.find(deflate ? std::string("dict/pl_PL.dic") : dic) + (deflate ? 16 : 3)] ^= 0x55;
    out = "kept";
    EXPECT_FALSE(ZipArchive(damaged).Extract("dict/pl_PL.dic", out));
    EXPECT_EQ(out, "kept");
    EXPECT_TRUE(ZipArchive(archive.substr(0, archive.size() - 1)).Names().empty());
  }
}

TEST(DictionaryPackage, ReadsSpellingAndThesaurusDeclarations) {
  const std::string xcu = R"(<?xml version="1.0" encoding="UTF-8"?>
<oor:component-data xmlns:oor="http://openoffice.org/2001/registry" oor:name="Linguistic" oor:package="org.openoffice.Office">
 <node oor:name="ServiceManager">
  <node oor:name="Dictionaries">
   <node oor:name="HunSpellDic_de_DE" oor:op="fuse">
    <prop oor:name="Locations" oor:type="oor:string-list">
     <value>%origin%/de_DE_frami.aff %origin%/de_DE_frami.dic</value>
    </prop>
    <prop oor:name="Format" oor:type="xs:string"><value>DICT_SpellChecker</value></prop>
    <prop oor:name="Locales" oor:type="oor:string-list"><value>de-DE de-BE de-LU</value></prop>
   </node>
   <node oor:name='ThesDic_de_DE' oor:op='fuse'>
    <prop oor:name='Locations' oor:type='oor:string-list'><value oor:separator=';'>%origin%/../th/th_de_DE_v2.dat;%origin%/../th/th_de_DE_v2.idx</value></prop>
    <prop oor:name='Format' oor:type='xs:string'><value>DICT_Thes</value></prop>
    <prop oor:name='Locales' oor:type='oor:string-list'><value>de-DE</value></prop>
   </node>
   <node oor:name="HyphDic_de_DE" oor:op="fuse">
    <prop oor:name="Locations"><value>%origin%/hyph_de_DE.dic</value></prop>
    <prop oor:name="Format"><value>DICT_Hyph</value></prop>
   </node>
   <node oor:name="Escaping" oor:op="fuse">
    <prop oor:name="Locations"><value>%origin%/../../etc/x.aff %origin%/x.dic</value></prop>
    <prop oor:name="Format"><value>DICT_SpellChecker</value></prop>
   </node>
  </node>
 </node>
</oor:component-data>
)";
  std::vector<PackagedDictionary> found = ReadDictionaryDeclarations(xcu, "de/");
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].kind, PackagedDictionary::kSpelling);
  EXPECT_EQ(found[0].locations, (std::vector<std::string>{"de/de_DE_frami.aff", "de/de_DE_frami.dic"}));
  EXPECT_EQ(found[0].locales, (std::vector<std::string>{"de-DE", "de-BE", "de-LU"}));
  EXPECT_EQ(found[1].kind, PackagedDictionary::kThesaurus);
  EXPECT_EQ(found[1].locations, (std::vector<std::string>{"th/th_de_DE_v2.dat", "th/th_de_DE_v2.idx"}));

  // Cut anywhere, the text still gives a defined answer.
  for (std::size_t cut = 0; cut < xcu.size(); cut += 7)
    EXPECT_LE(ReadDictionaryDeclarations(xcu.substr(0, cut), "").size(), 2u);
}

}  // namespace
