// The stand-in host's Unicode document as the plug-in reaches it: whole through the ZString
// suite, in the ANSI code page's lossy form through the char* routines.
#include "fake_host.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

const DescriptorKeyID kTitle = Code("ObjN");

// Each of them beyond the ANSI code page; the last one outside 16 bits (a surrogate pair).
const struct {
  const char* utf8;
  std::u16string utf16;
} kTexts[] = {
    {u8"Łódź", u"Łódź"}, {u8"Zoë", u"Zoë"}, {u8"Москва", u"Москва"}, {u8"東京", u"東京"}, {u8"😀", u"😀"}};

class FakeHostText : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(Acquire(kPSActionDescriptorSuite, kPSActionDescriptorSuiteVersion, &descriptor), 0);
    ASSERT_EQ(Acquire(kPSActionListSuite, kPSActionListSuiteVersion, &list), 0);
    ASSERT_EQ(Acquire(kASZStringSuite, kASZStringSuiteVersion, &zstring), 0);
  }
  void TearDown() override {
    host.Basic()->ReleaseSuite(kPSActionDescriptorSuite, kPSActionDescriptorSuiteVersion);
    host.Basic()->ReleaseSuite(kPSActionListSuite, kPSActionListSuiteVersion);
    host.Basic()->ReleaseSuite(kASZStringSuite, kASZStringSuiteVersion);
    EXPECT_TRUE(host.errors.empty()) << host.errors.front();
    EXPECT_EQ(host.LiveObjects(), 0);
  }
  template <typename Suite>
  SPErr Acquire(const char* name, int32 version, const Suite** suite) {
    return host.Basic()->AcquireSuite(name, version, reinterpret_cast<const void**>(suite));
  }

  ASZString Make(const std::u16string& text) {
    ASZString made = nullptr;
    std::u16string copy = text;
    EXPECT_EQ(zstring->MakeFromUnicode(reinterpret_cast<ASUnicode*>(&copy[0]), copy.size(), &made), 0);
    return made;
  }
  // The string's text, read as the plug-in reads it: its length, then a buffer of that size.
  std::u16string Read(ASZString z) {
    const ASUInt32 length = zstring->LengthAsUnicodeCString(z);
    if (length == 0) {
      ADD_FAILURE() << "no length";
      return std::u16string();
    }
    std::vector<ASUnicode> buffer(length + 1, 0xAAAA);
    EXPECT_EQ(zstring->AsUnicodeCString(z, buffer.data(), length, true), 0);
    EXPECT_EQ(buffer[length - 1], 0) << "terminated";
    EXPECT_EQ(buffer[length], 0xAAAA) << "nothing past the length";
    return std::u16string(buffer.begin(), buffer.begin() + (length - 1));
  }
  std::string AnsiOf(PIActionDescriptor d, DescriptorKeyID key) {
    uint32 length = 0;
    EXPECT_EQ(descriptor->GetStringLength(d, key, &length), 0);
    std::string text(length + 1, 'x');
    EXPECT_EQ(descriptor->GetString(d, key, &text[0], length + 1), 0);
    EXPECT_EQ(text.back(), '\0');
    text.pop_back();
    return text;
  }

  stub::FakeHost host;
  const PSActionDescriptorProcs* descriptor = nullptr;
  const PSActionListProcs* list = nullptr;
  const ASZStringSuite* zstring = nullptr;
};

TEST_F(FakeHostText, ZStringsCarryTheDocumentsUnicodeWholeThroughDescriptorsAndLists) {
  PIActionList l = nullptr;
  ASSERT_EQ(list->Make(&l), 0);
  for (const auto& text : kTexts) {
    // The document's text read out, and a text made by the plug-in put in.
    PIActionDescriptor d = host.MakeDescriptor({{kTitle, text.utf8}});
    ASZString got = nullptr;
    ASSERT_EQ(descriptor->GetZString(d, kTitle, &got), 0) << text.utf8;
    EXPECT_EQ(zstring->LengthAsUnicodeCString(got), text.utf16.size() + 1) << text.utf8;
    EXPECT_EQ(Read(got), text.utf16) << text.utf8;
    EXPECT_EQ(zstring->Release(got), 0);

    ASZString made = Make(text.utf16);
    ASSERT_EQ(descriptor->PutZString(d, Code("Cptn"), made), 0);
    ASSERT_EQ(list->PutZString(l, made), 0);
    EXPECT_EQ(host.LiveZStrings(), 1) << "the caller still owns its reference";
    EXPECT_EQ(zstring->Release(made), 0);
    EXPECT_EQ(host.Strings(d), (std::vector<std::pair<DescriptorKeyID, std::string>>{
                                   {kTitle, text.utf8}, {Code("Cptn"), text.utf8}}));
    EXPECT_EQ(host.calls.back(), "ZString.Release");
    EXPECT_EQ(host.calls[host.calls.size() - 3],
              std::string("Descriptor.PutZString Cptn \"") + text.utf8 + "\"");
    host.FreeDescriptor(d);
  }
  for (uint32 i = 0; i < std::size(kTexts); ++i) {
    ASZString got = nullptr;
    ASSERT_EQ(list->GetZString(l, i, &got), 0);
    EXPECT_EQ(Read(got), kTexts[i].utf16);
    EXPECT_EQ(zstring->Release(got), 0);
  }
  EXPECT_EQ(host.calls[host.calls.size() - 4], "List.GetZString 4");
  EXPECT_EQ(list->Free(l), 0);
}

TEST_F(FakeHostText, LengthsCountTheTerminatorAndShortBuffersAreRefusedOrCut) {
  ASZString empty = zstring->GetEmpty();
  EXPECT_EQ(zstring->LengthAsUnicodeCString(empty), 1u);
  EXPECT_EQ(zstring->LengthAsCString(empty), 1u);
  EXPECT_EQ(zstring->Release(empty), 0) << "the empty string outlives its users";

  ASZString z = Make(u"a😀b");
  EXPECT_EQ(zstring->LengthAsUnicodeCString(z), 5u);
  const struct {
    ASUInt32 size;
    ASBoolean checkSize;
    ASErr result;
    std::u16string written;  // up to the terminator; "" with 'BUFF' means nothing was written
  } cases[] = {{5, 1, 0, u"a😀b"}, {4, 1, kASBufferTooSmallErr, u""},
               {4, 0, 0, u"a😀"},  {3, 0, 0, u"a"},  // never half of the pair
               {1, 0, 0, u""},    {0, 1, kASBufferTooSmallErr, u""}};
  for (const auto& c : cases) {
    std::vector<ASUnicode> buffer(6, 0xAAAA);
    EXPECT_EQ(zstring->AsUnicodeCString(z, buffer.data(), c.size, c.checkSize), c.result) << c.size;
    if (c.result == kASBufferTooSmallErr) {
      EXPECT_EQ(buffer[0], 0xAAAA) << c.size;
      continue;
    }
    EXPECT_EQ(std::u16string(buffer.begin(), buffer.begin() + c.written.size()), c.written) << c.size;
    EXPECT_EQ(buffer[c.written.size()], 0) << c.size;
  }

  // The ANSI form by the same rules, in bytes.
  char bytes[4] = "xxx";
  ASZString ansi = nullptr;
  ASSERT_EQ(zstring->MakeFromCString("abc", 3, &ansi), 0);
  EXPECT_EQ(zstring->LengthAsCString(ansi), 4u);
  EXPECT_EQ(zstring->AsCString(ansi, bytes, 3, 1), kASBufferTooSmallErr);
  EXPECT_STREQ(bytes, "xxx");
  EXPECT_EQ(zstring->AsCString(ansi, bytes, 3, 0), 0);
  EXPECT_STREQ(bytes, "ab");
  EXPECT_EQ(host.calls.back(), "ZString.AsCString 3");
  EXPECT_EQ(zstring->Release(ansi), 0);
  EXPECT_EQ(zstring->Release(z), 0);
}

TEST_F(FakeHostText, ZStringsAreCountedFreedAtTheirLastReleaseAndNeverTwice) {
  ASZString z = Make(u"Zoë");
  ASSERT_EQ(zstring->AddRef(z), 0);
  EXPECT_EQ(zstring->Release(z), 0);
  EXPECT_EQ(host.LiveZStrings(), 1);
  EXPECT_EQ(host.LiveObjects(), 1) << "a leaked string is a leaked object";
  EXPECT_EQ(zstring->Release(z), 0);
  EXPECT_EQ(host.LiveZStrings(), 0);

  // A freed string is unknown to every routine, even after new strings were made.
  ASZString later = Make(u"later");
  EXPECT_NE(later, z);
  EXPECT_EQ(zstring->Release(z), kSPBadParameterError);
  EXPECT_EQ(zstring->LengthAsUnicodeCString(z), 0u);
  PIActionDescriptor d = host.MakeDescriptor({});
  EXPECT_NE(descriptor->PutZString(d, kTitle, z), 0);
  EXPECT_NE(descriptor->PutZString(d, kTitle, reinterpret_cast<ASZString>(&host)), 0);
  EXPECT_EQ(host.errors.size(), 4u);
  EXPECT_EQ(host.calls.back(), "Descriptor.PutZString ObjN (unknown)");
  host.errors.clear();
  EXPECT_TRUE(host.Strings(d).empty());
  host.FreeDescriptor(d);
  EXPECT_EQ(zstring->Release(later), 0);
}

TEST_F(FakeHostText, AnOlderHostRefusesTheZStringSuite) {
  host.refusedSuite = kASZStringSuite;
  const ASZStringSuite* refused = nullptr;
  EXPECT_EQ(Acquire(kASZStringSuite, kASZStringSuiteVersion, &refused), kSPSuiteNotFoundError);
  EXPECT_EQ(refused, nullptr);
  const PSActionDescriptorProcs* stillServed = nullptr;
  EXPECT_EQ(Acquire(kPSActionDescriptorSuite, kPSActionDescriptorSuiteVersion, &stillServed), 0);
  host.Basic()->ReleaseSuite(kPSActionDescriptorSuite, kPSActionDescriptorSuiteVersion);
  // Only the first version's layout is served.
  host.refusedSuite.clear();
  EXPECT_EQ(Acquire(kASZStringSuite, 2, &refused), kSPSuiteNotFoundError);
}

// The char* routines carry the ANSI code page's form: what it cannot hold is lost. Windows and
// Wine convert with best fit ("Ł" becomes "L"); the native build's Windows-1252 has none, so
// there every character the code page lacks is "?".
TEST_F(FakeHostText, CharRoutinesSeeTheAnsiCodePagesLossyForm) {
#ifdef _WIN32
  if (GetACP() != 1252) GTEST_SKIP() << "the system's ANSI code page is " << GetACP() << ", not 1252";
  const std::string title = "L\363dz \227 ??";  // Windows-1252 bytes
#else
  const std::string title = "?\363d? \227 ??";
#endif
  PIActionDescriptor d = host.MakeDescriptor({{kTitle, u8"Łódź — 東京"}});
  EXPECT_EQ(AnsiOf(d, kTitle), title);
  ASZString z = nullptr;
  ASSERT_EQ(descriptor->GetZString(d, kTitle, &z), 0);
  char bytes[32];
  EXPECT_EQ(zstring->LengthAsCString(z), title.size() + 1);
  EXPECT_EQ(zstring->AsCString(z, bytes, sizeof bytes, 1), 0);
  EXPECT_EQ(bytes, title);
  EXPECT_EQ(zstring->Release(z), 0);

  // ANSI text put in arrives as Unicode, and comes back as it was; the log shows what was passed.
  char cafe[] = "caf\xE9 \x80";
  ASSERT_EQ(descriptor->PutString(d, Code("Cptn"), cafe), 0);
  EXPECT_EQ(host.calls.back(), std::string("Descriptor.PutString Cptn \"") + cafe + "\"");
  EXPECT_EQ(host.Strings(d)[1].second, u8"café €");
  EXPECT_EQ(AnsiOf(d, Code("Cptn")), cafe);
  host.FreeDescriptor(d);

  PIActionList l = nullptr;
  ASSERT_EQ(list->Make(&l), 0);
  z = Make(u"Łódź — 東京");
  ASSERT_EQ(list->PutZString(l, z), 0);
  EXPECT_EQ(zstring->Release(z), 0);
  uint32 length = 0;
  EXPECT_EQ(list->GetStringLength(l, 0, &length), 0);
  EXPECT_EQ(length, title.size());
  EXPECT_EQ(list->GetString(l, 0, bytes, sizeof bytes), 0);
  EXPECT_EQ(bytes, title);
  EXPECT_EQ(list->Free(l), 0);
}

// Every ZString routine is a call the host can be told to fail, as the action routines are.
TEST_F(FakeHostText, ZStringCallsFailOnRequest) {
  PIActionDescriptor d = host.MakeDescriptor({{kTitle, "t"}});
  host.failCode = -4242;
  host.failCall = host.callCount + 1;
  ASZString z = nullptr;
  ASUnicode units[] = {'x'};
  EXPECT_EQ(zstring->MakeFromUnicode(units, 1, &z), -4242);
  EXPECT_EQ(z, nullptr);
  EXPECT_EQ(host.calls.back(), "ZString.MakeFromUnicode \"x\" -> -4242");

  host.failCall = host.callCount + 1;
  EXPECT_EQ(descriptor->GetZString(d, kTitle, &z), -4242);
  EXPECT_EQ(host.LiveZStrings(), 0);

  ASSERT_EQ(descriptor->GetZString(d, kTitle, &z), 0);
  host.failCall = host.callCount + 2;
  ASUnicode buffer[2] = {0xAAAA, 0xAAAA};
  EXPECT_EQ(zstring->LengthAsUnicodeCString(z), 2u);
  EXPECT_EQ(zstring->AsUnicodeCString(z, buffer, 2, 1), -4242);
  EXPECT_EQ(buffer[0], 0xAAAA);
  EXPECT_EQ(host.calls.back(), "ZString.AsUnicodeCString 2 -> -4242");
  EXPECT_EQ(zstring->Release(z), 0);
  host.FreeDescriptor(d);
}

}  // namespace
