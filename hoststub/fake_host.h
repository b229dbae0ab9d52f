// A stand-in for the host program: the basic suite and the four action suites over an in-memory
// document, whose File Info object holds string items and a 'Kywd' list of strings.
//
// It records every action-suite call with its arguments in order, counts the live descriptors,
// references, lists and memory blocks it handed out (so a test can prove nothing leaks), rejects
// handles it did not hand out, and injects faults: refuse a suite, fail the Nth routine call with
// a given code, fail every AllocateBlock or only the Nth. Routines the plug-in has no use for
// answer '!IMP'-style errors.
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
  std::string text;
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

  // ---- the document
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
  int failCall = 0;  // 1-based number of the action-suite call to fail
  OSErr failCode = -1;
  bool failAllocate = false;  // AllocateBlock reports -108
  int failAllocateAt = 0;     // 1-based number of the AllocateBlock call to fail the same way

  // ---- observation
  std::vector<std::string> calls;       // "Descriptor.PutString Cptn \"text\"", in call order
  int callCount = 0;                    // action-suite calls so far
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
  int LiveObjects() const { return LiveDescriptors() + LiveLists() + LiveReferences(); }

  // ---- descriptors made and read by the test (a recorded step, the descriptor handed back)
  PIActionDescriptor MakeDescriptor(const std::vector<std::pair<DescriptorKeyID, std::string>>& strings);
  std::vector<std::pair<DescriptorKeyID, std::string>> Strings(PIActionDescriptor descriptor) const;
  bool IsLive(PIActionDescriptor descriptor) const;
  void FreeDescriptor(PIActionDescriptor descriptor);

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
};

}  // namespace stub
