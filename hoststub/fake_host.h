// A stand-in for the host program: the basic suite, the four action suites and the ZString suite
// over an in-memory document, whose File Info object holds string items and a 'Kywd' list of
// strings.
//
// The document holds Unicode, as today's host does: every text in it, and every text the test
// side puts in or reads out (SetField, Keywords, MakeDescriptor, Strings, played), is UTF-8. The
// plug-in reaches it two ways: the char* routines (PutString, GetString, GetStringLength) carry
// its ANSI code page form (ansi_code_page.h), lossy as that conversion is; the ZString routines
// carry it whole.
//
// It records every action-suite and ZString-suite call with its arguments in order, counts the
// live descriptors, references, lists, ZStrings and memory blocks it handed out (so a test can
// prove nothing leaks), rejects handles it did not hand out and ZStrings already freed, and
// injects faults: refuse a suite (kASZStringSuite models an older host), fail the Nth routine call
// with a given code, fail every AllocateBlock or only the Nth. Routines the plug-in has no use for
// answer '!IMP'-style errors (0 or false where a routine returns no error code).
//
// Platform-neutral; one FakeHost exists at a time (the suite routines are plain functions).
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "host_interface.h"

namespace stub {

struct Descriptor;
struct List;
struct Reference;

// One value in a descriptor or list.
struct Item {
  DescriptorTypeID type = 0;  // 'TEXT', 'VlLs', 'Objc' or 'obj '
  std::string text;           // UTF-8
  DescriptorClassID objectClass = 0;
  std::shared_ptr<Descriptor> object;
  std::shared_ptr<List> list;
  std::shared_ptr<Reference> reference;
};

struct Descriptor {
  std::vector<std::pair<DescriptorKeyID, Item>> items;  // in the order they were put
  const Item* Find(DescriptorKeyID key) const;
  void Put(DescriptorKeyID key, Item item);  // replaces an existing key in place
};

struct List {
  std::vector<Item> items;
};

struct Reference {
  struct Part {
    DescriptorFormID form;
    DescriptorClassID desiredClass;
    uint32 a, b;  // property key, or enumeration type and value
  };
  std::vector<Part> parts;
};

// A string of the ZString suite: counted references, freed by the Release that ends the last.
struct ZString {
  std::u16string units;  // UTF-16, no terminator
  int references = 1;
};

// Readable form of a four-character code ("FlIn", "T   ").
std::string CodeText(uint32 code);

class FakeHost {
 public:
  FakeHost();
  ~FakeHost();  // frees whatever the plug-in left alive
  FakeHost(const FakeHost&) = delete;
  FakeHost& operator=(const FakeHost&) = delete;

  SPBasicSuite* Basic();
  SPPluginRef Self();

  // ---- the document (text in UTF-8; text that is not UTF-8 is recorded in errors)
  bool hasDocument = true;  // false: Get and Play fail as with no open document
  Descriptor fileInfo;      // the active document's File Info object
  void SetField(DescriptorKeyID key, const std::string& text);
  void SetKeywords(const std::vector<std::string>& keywords);
  bool HasField(DescriptorKeyID key) const;
  std::string Field(DescriptorKeyID key) const;  // "" when absent
  std::vector<std::string> Keywords() const;     // empty when there is no 'Kywd' list

  // ---- faults
  std::string refusedSuite;  // AcquireSuite of this name fails with refuseCode
  SPErr refuseCode = kSPSuiteNotFoundError;
  // 1-based number of the action-suite or ZString-suite call to fail; a ZString routine that
  // returns no error code then answers 0 (GetEmpty: no string)
  int failCall = 0;
  OSErr failCode = -1;
  bool failAllocate = false;  // AllocateBlock reports -108
  int failAllocateAt = 0;     // 1-based number of the AllocateBlock call to fail the same way

  // ---- observation
  // "Descriptor.PutString Cptn \"text\"", in call order; a text argument as it was passed: a char*
  // one as its bytes, a ZString's in UTF-8 ("ZString.MakeFromUnicode \"text\"")
  std::vector<std::string> calls;
  int callCount = 0;                    // action-suite and ZString-suite calls so far
  int allocations = 0;                  // AllocateBlock calls so far, failed ones included
  std::vector<std::string> suiteCalls;  // "AcquireSuite <name> <version>", "ReleaseSuite ...", in order
  std::vector<std::string> compared;    // "<a>|<b>" for every IsEqual call, in order
  int liveSuites = 0;                   // acquired and not yet released
  std::vector<Descriptor> played;       // the File Info object of every played 'setd'
  std::vector<std::string> errors;      // misuse seen: unknown handles, bad references
  int LiveDescriptors() const { return static_cast<int>(descriptors_.size()); }
  int LiveLists() const { return static_cast<int>(lists_.size()); }
  int LiveReferences() const { return static_cast<int>(references_.size()); }
  int LiveBlocks() const { return static_cast<int>(blocks_.size()); }
  int LiveZStrings() const { return static_cast<int>(zstrings_.size()); }  // GetEmpty's not counted
  int LiveObjects() const { return LiveDescriptors() + LiveLists() + LiveReferences() + LiveZStrings(); }

  // ---- descriptors made and read by the test (a recorded step, the descriptor handed back)
  PIActionDescriptor MakeDescriptor(const std::vector<std::pair<DescriptorKeyID, std::string>>& strings);
  std::vector<std::pair<DescriptorKeyID, std::string>> Strings(PIActionDescriptor descriptor) const;
  bool IsLive(PIActionDescriptor descriptor) const;
  void FreeDescriptor(PIActionDescriptor descriptor);
  // After a failed Free or Release the host keeps what it would have freed; a test that made
  // one fail forgets it here, as the host's own loss.
  void ForgetLiveObjects() {
    descriptors_.clear();
    lists_.clear();
    references_.clear();
    zstrings_.clear();
  }

  // ---- used by the suite routines
  static FakeHost& Current();
  bool Enter(const std::string& call, OSErr* error);  // logs; false when this call must fail
  PIActionDescriptor Adopt(std::shared_ptr<Descriptor> d);
  PIActionList Adopt(std::shared_ptr<List> l);
  PIActionReference Adopt(std::shared_ptr<Reference> r);
  std::shared_ptr<Descriptor> Lookup(PIActionDescriptor d);
  std::shared_ptr<List> Lookup(PIActionList l);
  std::shared_ptr<Reference> Lookup(PIActionReference r);
  template <typename Map>
  bool Release(Map& map, void* handle);  // false for a handle not in map
  std::map<void*, std::shared_ptr<Descriptor>> descriptors_;
  std::map<void*, std::shared_ptr<List>> lists_;
  std::map<void*, std::shared_ptr<Reference>> references_;
  std::set<void*> blocks_;

  // ZStrings: a new one has one reference. GetEmpty's string lives as long as the host; its
  // AddRef and Release change nothing.
  ASZString AdoptZString(std::u16string units);
  std::shared_ptr<ZString> Lookup(ASZString z);  // the live string, or nullptr (misuse recorded)
  const ZString* Peek(ASZString z) const;        // the same without recording anything
  ASZString EmptyZString() const { return reinterpret_cast<ASZString>(empty_.get()); }
  bool ReleaseZString(ASZString z);  // false for an unknown or freed string (misuse recorded)
  std::map<void*, std::shared_ptr<ZString>> zstrings_;
  // Freed strings stay allocated until the host ends, so that no later string gets the address
  // of a freed one and a second Release of it is always caught.
  std::vector<std::shared_ptr<ZString>> freedZStrings_;
  std::shared_ptr<ZString> empty_ = std::make_shared<ZString>();

 private:
  void CheckUtf8(const std::string& text);
};

}  // namespace stub
