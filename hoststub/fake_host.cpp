#include "fake_host.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <type_traits>

#include "ansi_code_page.h"
#include "utf8_text.h"

namespace stub {

namespace {

FakeHost* gCurrent = nullptr;
constexpr OSErr kBadHandle = -50;       // paramErr
constexpr OSErr kNoSuchKey = -1715;     // errMissingParameter
constexpr OSErr kNoSuchObject = -1728;  // no document to work on
constexpr OSErr kUnimplemented = -30900;

FakeHost& Host() {
  return FakeHost::Current();
}

Item CopyItem(const Item& item);

std::shared_ptr<Descriptor> CopyDescriptor(const Descriptor& from) {
  auto to = std::make_shared<Descriptor>();
  for (const auto& entry : from.items) to->items.emplace_back(entry.first, CopyItem(entry.second));
  return to;
}

std::shared_ptr<List> CopyList(const List& from) {
  auto to = std::make_shared<List>();
  for (const Item& item : from.items) to->items.push_back(CopyItem(item));
  return to;
}

Item CopyItem(const Item& item) {
  Item copy = item;
  if (item.object) copy.object = CopyDescriptor(*item.object);
  if (item.list) copy.list = CopyList(*item.list);
  if (item.reference) copy.reference = std::make_shared<Reference>(*item.reference);
  return copy;
}

std::string Quoted(const char* text) {
  return text ? "\"" + std::string(text) + "\"" : "(null)";
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

// A ZString argument as the log shows it: its text in UTF-8.
std::string Quoted(ASZString z) {
  const ZString* zstring = Host().Peek(z);
  return zstring ? Quoted(Utf16ToUtf8(zstring->units)) : z ? "(unknown)" : "(null)";
}

Item TextItem(const std::string& utf8) {
  Item item;
  item.type = kTypeText;
  item.text = utf8;
  return item;
}

// Logs the call and returns from the routine when it has to fail.
#define ENTER(text)   \
  OSErr injected = 0; \
  if (!Host().Enter((text), &injected)) return injected

// ---- descriptor suite

OSErr HOSTAPI DMake(PIActionDescriptor* out) {
  ENTER("Descriptor.Make");
  if (!out) return kBadHandle;
  *out = Host().Adopt(std::make_shared<Descriptor>());
  return 0;
}

OSErr HOSTAPI DFree(PIActionDescriptor d) {
  ENTER("Descriptor.Free");
  return Host().Release(Host().descriptors_, d) ? 0 : kBadHandle;
}

OSErr HOSTAPI DHasKey(PIActionDescriptor d, DescriptorKeyID key, Boolean* has) {
  ENTER("Descriptor.HasKey " + CodeText(key));
  auto desc = Host().Lookup(d);
  if (!desc || !has) return kBadHandle;
  *has = desc->Find(key) ? 1 : 0;
  return 0;
}

OSErr HOSTAPI DGetType(PIActionDescriptor d, DescriptorKeyID key, DescriptorTypeID* type) {
  ENTER("Descriptor.GetType " + CodeText(key));
  auto desc = Host().Lookup(d);
  if (!desc || !type) return kBadHandle;
  const Item* item = desc->Find(key);
  if (!item) return kNoSuchKey;
  *type = item->type;
  return 0;
}

OSErr HOSTAPI DGetCount(PIActionDescriptor d, uint32* count) {
  ENTER("Descriptor.GetCount");
  auto desc = Host().Lookup(d);
  if (!desc || !count) return kBadHandle;
  *count = static_cast<uint32>(desc->items.size());
  return 0;
}

OSErr HOSTAPI DGetKey(PIActionDescriptor d, uint32 index, DescriptorKeyID* key) {
  ENTER("Descriptor.GetKey " + std::to_string(index));
  auto desc = Host().Lookup(d);
  if (!desc || !key || index >= desc->items.size()) return kBadHandle;
  *key = desc->items[index].first;
  return 0;
}

OSErr HOSTAPI DPutString(PIActionDescriptor d, DescriptorKeyID key, char* text) {
  ENTER("Descriptor.PutString " + CodeText(key) + " " + Quoted(text));
  auto desc = Host().Lookup(d);
  if (!desc || !text) return kBadHandle;
  desc->Put(key, TextItem(Utf8FromAnsi(text)));
  return 0;
}

OSErr HOSTAPI DPutList(PIActionDescriptor d, DescriptorKeyID key, PIActionList l) {
  ENTER("Descriptor.PutList " + CodeText(key));
  auto desc = Host().Lookup(d);
  auto list = Host().Lookup(l);
  if (!desc || !list) return kBadHandle;
  Item item;
  item.type = kTypeValueList;
  item.list = CopyList(*list);
  desc->Put(key, item);
  return 0;
}

OSErr HOSTAPI DPutObject(PIActionDescriptor d, DescriptorKeyID key, DescriptorClassID cls,
                         PIActionDescriptor o) {
  ENTER("Descriptor.PutObject " + CodeText(key) + " " + CodeText(cls));
  auto desc = Host().Lookup(d);
  auto object = Host().Lookup(o);
  if (!desc || !object) return kBadHandle;
  Item item;
  item.type = kTypeObject;
  item.objectClass = cls;
  item.object = CopyDescriptor(*object);
  desc->Put(key, item);
  return 0;
}

OSErr HOSTAPI DPutReference(PIActionDescriptor d, DescriptorKeyID key, PIActionReference r) {
  ENTER("Descriptor.PutReference " + CodeText(key));
  auto desc = Host().Lookup(d);
  auto ref = Host().Lookup(r);
  if (!desc || !ref) return kBadHandle;
  Item item;
  item.type = kTypeObjectReference;
  item.reference = std::make_shared<Reference>(*ref);
  desc->Put(key, item);
  return 0;
}

OSErr HOSTAPI DGetStringLength(PIActionDescriptor d, DescriptorKeyID key, uint32* length) {
  ENTER("Descriptor.GetStringLength " + CodeText(key));
  auto desc = Host().Lookup(d);
  if (!desc || !length) return kBadHandle;
  const Item* item = desc->Find(key);
  if (!item || item->type != kTypeText) return kNoSuchKey;
  *length = static_cast<uint32>(AnsiFromUtf8(item->text).size());
  return 0;
}

// maxLength is the buffer size, NUL included; a longer string is cut.
void CopyOut(const std::string& text, char* buffer, uint32 maxLength) {
  if (maxLength == 0) return;
  const std::size_t n = std::min<std::size_t>(text.size(), maxLength - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
}

OSErr HOSTAPI DGetString(PIActionDescriptor d, DescriptorKeyID key, char* buffer, uint32 maxLength) {
  ENTER("Descriptor.GetString " + CodeText(key) + " " + std::to_string(maxLength));
  auto desc = Host().Lookup(d);
  if (!desc || !buffer) return kBadHandle;
  const Item* item = desc->Find(key);
  if (!item || item->type != kTypeText) return kNoSuchKey;
  CopyOut(AnsiFromUtf8(item->text), buffer, maxLength);
  return 0;
}

OSErr HOSTAPI DPutZString(PIActionDescriptor d, DescriptorKeyID key, ASZString z) {
  ENTER("Descriptor.PutZString " + CodeText(key) + " " + Quoted(z));
  auto desc = Host().Lookup(d);
  auto zstring = Host().Lookup(z);
  if (!desc || !zstring) return kBadHandle;
  desc->Put(key, TextItem(Utf16ToUtf8(zstring->units)));
  return 0;
}

OSErr HOSTAPI DGetZString(PIActionDescriptor d, DescriptorKeyID key, ASZString* out) {
  ENTER("Descriptor.GetZString " + CodeText(key));
  auto desc = Host().Lookup(d);
  if (!desc || !out) return kBadHandle;
  const Item* item = desc->Find(key);
  if (!item || item->type != kTypeText) return kNoSuchKey;
  *out = Host().AdoptZString(Utf8ToUtf16(item->text));
  return 0;
}

OSErr HOSTAPI DGetList(PIActionDescriptor d, DescriptorKeyID key, PIActionList* out) {
  ENTER("Descriptor.GetList " + CodeText(key));
  auto desc = Host().Lookup(d);
  if (!desc || !out) return kBadHandle;
  const Item* item = desc->Find(key);
  if (!item || !item->list) return kNoSuchKey;
  *out = Host().Adopt(CopyList(*item->list));
  return 0;
}

OSErr HOSTAPI DGetObject(PIActionDescriptor d, DescriptorKeyID key, DescriptorClassID* cls,
                         PIActionDescriptor* out) {
  ENTER("Descriptor.GetObject " + CodeText(key));
  auto desc = Host().Lookup(d);
  if (!desc || !out) return kBadHandle;
  const Item* item = desc->Find(key);
  if (!item || !item->object) return kNoSuchKey;
  if (cls) *cls = item->objectClass;
  *out = Host().Adopt(CopyDescriptor(*item->object));
  return 0;
}

// ---- list suite

OSErr HOSTAPI LMake(PIActionList* out) {
  ENTER("List.Make");
  if (!out) return kBadHandle;
  *out = Host().Adopt(std::make_shared<List>());
  return 0;
}

OSErr HOSTAPI LFree(PIActionList l) {
  ENTER("List.Free");
  return Host().Release(Host().lists_, l) ? 0 : kBadHandle;
}

OSErr HOSTAPI LGetCount(PIActionList l, uint32* count) {
  ENTER("List.GetCount");
  auto list = Host().Lookup(l);
  if (!list || !count) return kBadHandle;
  *count = static_cast<uint32>(list->items.size());
  return 0;
}

OSErr HOSTAPI LPutString(PIActionList l, char* text) {
  ENTER("List.PutString " + Quoted(text));
  auto list = Host().Lookup(l);
  if (!list || !text) return kBadHandle;
  list->items.push_back(TextItem(Utf8FromAnsi(text)));
  return 0;
}

OSErr HOSTAPI LGetStringLength(PIActionList l, uint32 index, uint32* length) {
  ENTER("List.GetStringLength " + std::to_string(index));
  auto list = Host().Lookup(l);
  if (!list || !length || index >= list->items.size()) return kBadHandle;
  if (list->items[index].type != kTypeText) return kNoSuchKey;
  *length = static_cast<uint32>(AnsiFromUtf8(list->items[index].text).size());
  return 0;
}

OSErr HOSTAPI LGetString(PIActionList l, uint32 index, char* buffer, uint32 maxLength) {
  ENTER("List.GetString " + std::to_string(index) + " " + std::to_string(maxLength));
  auto list = Host().Lookup(l);
  if (!list || !buffer || index >= list->items.size()) return kBadHandle;
  if (list->items[index].type != kTypeText) return kNoSuchKey;
  CopyOut(AnsiFromUtf8(list->items[index].text), buffer, maxLength);
  return 0;
}

OSErr HOSTAPI LPutZString(PIActionList l, ASZString z) {
  ENTER("List.PutZString " + Quoted(z));
  auto list = Host().Lookup(l);
  auto zstring = Host().Lookup(z);
  if (!list || !zstring) return kBadHandle;
  list->items.push_back(TextItem(Utf16ToUtf8(zstring->units)));
  return 0;
}

OSErr HOSTAPI LGetZString(PIActionList l, uint32 index, ASZString* out) {
  ENTER("List.GetZString " + std::to_string(index));
  auto list = Host().Lookup(l);
  if (!list || !out || index >= list->items.size()) return kBadHandle;
  if (list->items[index].type != kTypeText) return kNoSuchKey;
  *out = Host().AdoptZString(Utf8ToUtf16(list->items[index].text));
  return 0;
}

// ---- reference suite

OSErr HOSTAPI RMake(PIActionReference* out) {
  ENTER("Reference.Make");
  if (!out) return kBadHandle;
  *out = Host().Adopt(std::make_shared<Reference>());
  return 0;
}

OSErr HOSTAPI RFree(PIActionReference r) {
  ENTER("Reference.Free");
  return Host().Release(Host().references_, r) ? 0 : kBadHandle;
}

OSErr HOSTAPI RPutProperty(PIActionReference r, DescriptorClassID cls, DescriptorKeyID key) {
  ENTER("Reference.PutProperty " + CodeText(cls) + " " + CodeText(key));
  auto ref = Host().Lookup(r);
  if (!ref) return kBadHandle;
  ref->parts.push_back({kFormProperty, cls, key, 0});
  return 0;
}

OSErr HOSTAPI RPutEnumerated(PIActionReference r, DescriptorClassID cls, DescriptorEnumTypeID type,
                             DescriptorEnumID value) {
  ENTER("Reference.PutEnumerated " + CodeText(cls) + " " + CodeText(type) + " " + CodeText(value));
  auto ref = Host().Lookup(r);
  if (!ref) return kBadHandle;
  ref->parts.push_back({kFormEnumerated, cls, type, value});
  return 0;
}

// The one reference the document answers to: its File Info property, target document.
bool IsTargetFileInfo(const Reference& ref) {
  return ref.parts.size() == 2 && ref.parts[0].form == kFormProperty &&
         ref.parts[0].desiredClass == kClassProperty && ref.parts[0].a == kKeyFileInfo &&
         ref.parts[1].form == kFormEnumerated && ref.parts[1].desiredClass == kClassDocument &&
         ref.parts[1].a == kTypeOrdinal && ref.parts[1].b == kEnumTarget;
}

// ---- control suite

OSErr HOSTAPI CPlay(PIActionDescriptor* result, DescriptorEventID event, PIActionDescriptor d,
                    PIDialogPlayOptions options) {
  ENTER("Control.Play " + CodeText(event) + " " + std::to_string(options));
  FakeHost& host = Host();
  auto desc = host.Lookup(d);
  if (!result || !desc || event != kEventSet) return kBadHandle;
  const Item* target = desc->Find(kKeyTarget);
  const Item* to = desc->Find(kKeyTo);
  if (!target || !target->reference || !IsTargetFileInfo(*target->reference) || !to || !to->object ||
      to->objectClass != kKeyFileInfo) {
    host.errors.push_back("Play: not a File Info set event");
    return kBadHandle;
  }
  if (!host.hasDocument) return kNoSuchObject;
  host.played.push_back(*CopyDescriptor(*to->object));
  for (const auto& entry : to->object->items) host.fileInfo.Put(entry.first, CopyItem(entry.second));
  *result = host.Adopt(std::make_shared<Descriptor>());
  return 0;
}

OSErr HOSTAPI CGet(PIActionDescriptor* result, PIActionReference r) {
  ENTER("Control.Get");
  FakeHost& host = Host();
  auto ref = host.Lookup(r);
  if (!result || !ref) return kBadHandle;
  if (!IsTargetFileInfo(*ref)) {
    host.errors.push_back("Get: not the target document's File Info");
    return kBadHandle;
  }
  if (!host.hasDocument) return kNoSuchObject;
  auto answer = std::make_shared<Descriptor>();
  Item item;
  item.type = kTypeObject;
  item.objectClass = kKeyFileInfo;
  item.object = CopyDescriptor(host.fileInfo);
  answer->Put(kKeyFileInfo, item);
  *result = host.Adopt(answer);
  return 0;
}

// ---- routines the plug-in does not use

template <typename F>
struct Unimplemented;
template <typename R, typename... A>
struct Unimplemented<R(HOSTAPI*)(A...)> {
  static R HOSTAPI Call(A...) {
    Host().errors.push_back("unimplemented routine called");
    return static_cast<R>(kUnimplemented);
  }
};
#define UNIMPLEMENTED(suite, routine) suite.routine = Unimplemented<decltype(suite.routine)>::Call

// ---- ZString suite

constexpr ASErr kZBadParameter = kSPBadParameterError;

// Logs the call and returns failed from the routine when it has to fail: the injected code for a
// routine that returns one, failed (0, no string) for the others.
#define ZENTER(text, failed) \
  OSErr injected = 0;        \
  if (!Host().Enter((text), &injected)) return failed
#define ZENTER_ERR(text) ZENTER(text, static_cast<ASErr>(injected))

ASErr HOSTAPI ZMakeFromUnicode(ASUnicode* src, std::size_t count, ASZString* out) {
  std::u16string units;
  if (src) units.assign(reinterpret_cast<const char16_t*>(src), count);
  ZENTER_ERR("ZString.MakeFromUnicode " + (src || count == 0 ? Quoted(Utf16ToUtf8(units)) : "(null)"));
  if ((!src && count != 0) || !out) return kZBadParameter;
  *out = Host().AdoptZString(units);
  return 0;
}

ASErr HOSTAPI ZMakeFromCString(const char* src, std::size_t count, ASZString* out) {
  std::string bytes;
  if (src) bytes.assign(src, count);
  ZENTER_ERR("ZString.MakeFromCString " + (src || count == 0 ? Quoted(bytes) : "(null)"));
  if ((!src && count != 0) || !out) return kZBadParameter;
  *out = Host().AdoptZString(Utf8ToUtf16(Utf8FromAnsi(bytes)));
  return 0;
}

ASZString HOSTAPI ZGetEmpty() {
  ZENTER("ZString.GetEmpty", nullptr);
  return Host().EmptyZString();
}

ASErr HOSTAPI ZAddRef(ASZString z) {
  ZENTER_ERR("ZString.AddRef");
  auto zstring = Host().Lookup(z);
  if (!zstring) return kZBadParameter;
  if (z != Host().EmptyZString()) ++zstring->references;
  return 0;
}

ASErr HOSTAPI ZRelease(ASZString z) {
  ZENTER_ERR("ZString.Release");
  return Host().ReleaseZString(z) ? 0 : kZBadParameter;
}

// Copies text and a terminator into a buffer of size units (bytes for the ANSI form): with
// checkSize, all or nothing ('BUFF'); without, what fits, never half of a surrogate pair.
template <typename Unit, typename Text>
ASErr CopyTerminated(const Text& text, Unit* buffer, ASUInt32 size, ASBoolean checkSize) {
  if (checkSize && size < text.size() + 1) return kASBufferTooSmallErr;
  if (size == 0) return 0;
  if (!buffer) return kZBadParameter;
  std::size_t n = std::min<std::size_t>(text.size(), size - 1);
  if constexpr (sizeof(Unit) == 2) {
    if (n > 0 && n < text.size() && text[n - 1] >= 0xD800 && text[n - 1] <= 0xDBFF) --n;
  }
  std::copy(text.begin(), text.begin() + n, buffer);
  buffer[n] = 0;
  return 0;
}

ASUInt32 HOSTAPI ZLengthAsUnicodeCString(ASZString z) {
  ZENTER("ZString.LengthAsUnicodeCString", 0);
  auto zstring = Host().Lookup(z);
  return zstring ? static_cast<ASUInt32>(zstring->units.size() + 1) : 0;
}

ASErr HOSTAPI ZAsUnicodeCString(ASZString z, ASUnicode* buffer, ASUInt32 size, ASBoolean checkSize) {
  ZENTER_ERR("ZString.AsUnicodeCString " + std::to_string(size));
  auto zstring = Host().Lookup(z);
  if (!zstring) return kZBadParameter;
  return CopyTerminated(zstring->units, buffer, size, checkSize);
}

ASUInt32 HOSTAPI ZLengthAsCString(ASZString z) {
  ZENTER("ZString.LengthAsCString", 0);
  auto zstring = Host().Lookup(z);
  return zstring ? static_cast<ASUInt32>(AnsiFromUtf8(Utf16ToUtf8(zstring->units)).size() + 1) : 0;
}

ASErr HOSTAPI ZAsCString(ASZString z, char* buffer, ASUInt32 size, ASBoolean checkSize) {
  ZENTER_ERR("ZString.AsCString " + std::to_string(size));
  auto zstring = Host().Lookup(z);
  if (!zstring) return kZBadParameter;
  return CopyTerminated(AnsiFromUtf8(Utf16ToUtf8(zstring->units)), buffer, size, checkSize);
}

// The ZString routines the plug-in has no use for: '!IMP', or 0 (false, no string, no length)
// from those that return no error code.
template <typename F>
struct ZUnimplemented;
template <typename R, typename... A>
struct ZUnimplemented<R(HOSTAPI*)(A...)> {
  static R HOSTAPI Call(A...) {
    Host().errors.push_back("unimplemented ZString routine called");
    if constexpr (std::is_same_v<R, ASErr>) {
      return kSPUnimplementedError;
    } else {
      return R{};
    }
  }
};

PSActionDescriptorProcs MakeDescriptorSuite() {
  PSActionDescriptorProcs s;
  UNIMPLEMENTED(s, IsEqual);
  UNIMPLEMENTED(s, Erase);
  UNIMPLEMENTED(s, Clear);
  UNIMPLEMENTED(s, PutInteger);
  UNIMPLEMENTED(s, PutFloat);
  UNIMPLEMENTED(s, PutUnitFloat);
  UNIMPLEMENTED(s, PutBoolean);
  UNIMPLEMENTED(s, PutGlobalObject);
  UNIMPLEMENTED(s, PutEnumerated);
  UNIMPLEMENTED(s, PutClass);
  UNIMPLEMENTED(s, PutGlobalClass);
  UNIMPLEMENTED(s, PutAlias);
  UNIMPLEMENTED(s, GetInteger);
  UNIMPLEMENTED(s, GetFloat);
  UNIMPLEMENTED(s, GetUnitFloat);
  UNIMPLEMENTED(s, GetBoolean);
  UNIMPLEMENTED(s, GetGlobalObject);
  UNIMPLEMENTED(s, GetEnumerated);
  UNIMPLEMENTED(s, GetReference);
  UNIMPLEMENTED(s, GetClass);
  UNIMPLEMENTED(s, GetGlobalClass);
  UNIMPLEMENTED(s, GetAlias);
  UNIMPLEMENTED(s, HasKeys);
  UNIMPLEMENTED(s, PutIntegers);
  UNIMPLEMENTED(s, GetIntegers);
  UNIMPLEMENTED(s, AsHandle);
  UNIMPLEMENTED(s, HandleToDescriptor);
  UNIMPLEMENTED(s, PutData);
  UNIMPLEMENTED(s, GetDataLength);
  UNIMPLEMENTED(s, GetData);
  s.Make = DMake;
  s.Free = DFree;
  s.GetType = DGetType;
  s.GetKey = DGetKey;
  s.HasKey = DHasKey;
  s.GetCount = DGetCount;
  s.PutString = DPutString;
  s.PutList = DPutList;
  s.PutObject = DPutObject;
  s.PutReference = DPutReference;
  s.GetStringLength = DGetStringLength;
  s.GetString = DGetString;
  s.GetList = DGetList;
  s.GetObject = DGetObject;
  s.PutZString = DPutZString;
  s.GetZString = DGetZString;
  return s;
}

PSActionListProcs MakeListSuite() {
  PSActionListProcs s;
  UNIMPLEMENTED(s, GetType);
  UNIMPLEMENTED(s, PutInteger);
  UNIMPLEMENTED(s, PutFloat);
  UNIMPLEMENTED(s, PutUnitFloat);
  UNIMPLEMENTED(s, PutBoolean);
  UNIMPLEMENTED(s, PutList);
  UNIMPLEMENTED(s, PutObject);
  UNIMPLEMENTED(s, PutGlobalObject);
  UNIMPLEMENTED(s, PutEnumerated);
  UNIMPLEMENTED(s, PutReference);
  UNIMPLEMENTED(s, PutClass);
  UNIMPLEMENTED(s, PutGlobalClass);
  UNIMPLEMENTED(s, PutAlias);
  UNIMPLEMENTED(s, GetInteger);
  UNIMPLEMENTED(s, GetFloat);
  UNIMPLEMENTED(s, GetUnitFloat);
  UNIMPLEMENTED(s, GetBoolean);
  UNIMPLEMENTED(s, GetList);
  UNIMPLEMENTED(s, GetObject);
  UNIMPLEMENTED(s, GetGlobalObject);
  UNIMPLEMENTED(s, GetEnumerated);
  UNIMPLEMENTED(s, GetReference);
  UNIMPLEMENTED(s, GetClass);
  UNIMPLEMENTED(s, GetGlobalClass);
  UNIMPLEMENTED(s, GetAlias);
  UNIMPLEMENTED(s, PutIntegers);
  UNIMPLEMENTED(s, GetIntegers);
  UNIMPLEMENTED(s, PutData);
  UNIMPLEMENTED(s, GetDataLength);
  UNIMPLEMENTED(s, GetData);
  s.Make = LMake;
  s.Free = LFree;
  s.GetCount = LGetCount;
  s.PutString = LPutString;
  s.GetStringLength = LGetStringLength;
  s.GetString = LGetString;
  s.PutZString = LPutZString;
  s.GetZString = LGetZString;
  return s;
}

PSActionReferenceProcs MakeReferenceSuite() {
  PSActionReferenceProcs s;
  UNIMPLEMENTED(s, GetForm);
  UNIMPLEMENTED(s, GetDesiredClass);
  UNIMPLEMENTED(s, PutName);
  UNIMPLEMENTED(s, PutIndex);
  UNIMPLEMENTED(s, PutIdentifier);
  UNIMPLEMENTED(s, PutOffset);
  UNIMPLEMENTED(s, PutClass);
  UNIMPLEMENTED(s, GetNameLength);
  UNIMPLEMENTED(s, GetName);
  UNIMPLEMENTED(s, GetIndex);
  UNIMPLEMENTED(s, GetIdentifier);
  UNIMPLEMENTED(s, GetOffset);
  UNIMPLEMENTED(s, GetEnumerated);
  UNIMPLEMENTED(s, GetProperty);
  UNIMPLEMENTED(s, GetContainer);
  s.Make = RMake;
  s.Free = RFree;
  s.PutEnumerated = RPutEnumerated;
  s.PutProperty = RPutProperty;
  return s;
}

PSActionControlProcs MakeControlSuite() {
  PSActionControlProcs s;
  UNIMPLEMENTED(s, StringIDToTypeID);
  UNIMPLEMENTED(s, TypeIDToStringID);
  UNIMPLEMENTED(s, AddNotify);
  UNIMPLEMENTED(s, RemoveNotify);
  UNIMPLEMENTED(s, SuspendHistory);
  UNIMPLEMENTED(s, MakeStringAlias);
  s.Play = CPlay;
  s.Get = CGet;
  return s;
}

#define Z_UNIMPLEMENTED(suite, routine) suite.routine = ZUnimplemented<decltype(suite.routine)>::Call

ASZStringSuite MakeZStringSuite() {
  ASZStringSuite s;
  Z_UNIMPLEMENTED(s, MakeFromPascalString);
  Z_UNIMPLEMENTED(s, MakeRomanizationOfInteger);
  Z_UNIMPLEMENTED(s, MakeRomanizationOfFixed);
  Z_UNIMPLEMENTED(s, MakeRomanizationOfDouble);
  Z_UNIMPLEMENTED(s, Copy);
  Z_UNIMPLEMENTED(s, Replace);
  Z_UNIMPLEMENTED(s, TrimEllipsis);
  Z_UNIMPLEMENTED(s, TrimSpaces);
  Z_UNIMPLEMENTED(s, RemoveAccelerators);
  Z_UNIMPLEMENTED(s, IsAllWhiteSpace);
  Z_UNIMPLEMENTED(s, IsEmpty);
  Z_UNIMPLEMENTED(s, WillReplace);
  Z_UNIMPLEMENTED(s, LengthAsPascalString);
  Z_UNIMPLEMENTED(s, AsPascalString);
  s.MakeFromUnicode = ZMakeFromUnicode;
  s.MakeFromCString = ZMakeFromCString;
  s.GetEmpty = ZGetEmpty;
  s.AddRef = ZAddRef;
  s.Release = ZRelease;
  s.LengthAsUnicodeCString = ZLengthAsUnicodeCString;
  s.AsUnicodeCString = ZAsUnicodeCString;
  s.LengthAsCString = ZLengthAsCString;
  s.AsCString = ZAsCString;
  return s;
}

// Tables with static storage: the plug-in keeps pointers to them until it is unloaded.
const PSActionDescriptorProcs gDescriptorSuite = MakeDescriptorSuite();
const PSActionListProcs gListSuite = MakeListSuite();
const PSActionReferenceProcs gReferenceSuite = MakeReferenceSuite();
const PSActionControlProcs gControlSuite = MakeControlSuite();
const ASZStringSuite gZStringSuite = MakeZStringSuite();

// ---- basic suite

SPErr HOSTAPI AcquireSuite(const char* name, int32 version, const void** suite) {
  FakeHost& host = Host();
  if (!name || !suite) return kSPBadParameterError;
  host.suiteCalls.push_back("AcquireSuite " + std::string(name) + " " + std::to_string(version));
  if (host.refusedSuite == name) return host.refuseCode;
  const std::string n = name;
  if (n == kPSActionDescriptorSuite && version == kPSActionDescriptorSuiteVersion) {
    *suite = &gDescriptorSuite;
  } else if (n == kPSActionListSuite && version == kPSActionListSuiteVersion) {
    *suite = &gListSuite;
  } else if (n == kPSActionReferenceSuite && version == kPSActionReferenceSuiteVersion) {
    *suite = &gReferenceSuite;
  } else if (n == kPSActionControlSuite && (version == 2 || version == 3)) {
    *suite = &gControlSuite;
  } else if (n == kASZStringSuite && version == kASZStringSuiteVersion) {
    *suite = &gZStringSuite;
  } else {
    return kSPSuiteNotFoundError;
  }
  ++host.liveSuites;
  return 0;
}

SPErr HOSTAPI ReleaseSuite(const char* name, int32 version) {
  Host().suiteCalls.push_back("ReleaseSuite " + std::string(name ? name : "") + " " +
                              std::to_string(version));
  --Host().liveSuites;
  return 0;
}

SPBoolean HOSTAPI IsEqual(const char* a, const char* b) {
  Host().compared.push_back(std::string(a ? a : "(null)") + "|" + (b ? b : "(null)"));
  return a && b && std::strcmp(a, b) == 0;
}

SPErr HOSTAPI AllocateBlock(std::size_t size, void** block) {
  FakeHost& host = Host();
  if (!block) return kSPBadParameterError;
  ++host.allocations;
  if (host.failAllocate || host.allocations == host.failAllocateAt) return static_cast<SPErr>(kMemFullErr);
  *block = std::malloc(size ? size : 1);
  if (!*block) return static_cast<SPErr>(kMemFullErr);
  host.blocks_.insert(*block);
  return 0;
}

SPErr HOSTAPI FreeBlock(void* block) {
  FakeHost& host = Host();
  if (!block) return 0;
  if (!host.blocks_.erase(block)) {
    host.errors.push_back("FreeBlock of an unknown block");
    return kSPBadParameterError;
  }
  std::free(block);
  return 0;
}

SPErr HOSTAPI ReallocateBlock(void*, std::size_t, void**) {
  return kSPUnimplementedError;
}
SPErr HOSTAPI Undefined() {
  return kSPUnimplementedError;
}

SPBasicSuite gBasicSuite = {AcquireSuite, ReleaseSuite,    IsEqual,  AllocateBlock,
                            FreeBlock,    ReallocateBlock, Undefined};

}  // namespace

std::string CodeText(uint32 code) {
  std::string text(4, ' ');
  for (int i = 0; i < 4; ++i) text[i] = static_cast<char>((code >> (24 - 8 * i)) & 0xFF);
  return text;
}

const Item* Descriptor::Find(DescriptorKeyID key) const {
  for (const auto& entry : items) {
    if (entry.first == key) return &entry.second;
  }
  return nullptr;
}

void Descriptor::Put(DescriptorKeyID key, Item item) {
  for (auto& entry : items) {
    if (entry.first == key) {
      entry.second = std::move(item);
      return;
    }
  }
  items.emplace_back(key, std::move(item));
}

void FakeHost::CheckUtf8(const std::string& text) {
  if (!IsUtf8(text)) errors.push_back("document text that is not UTF-8: " + text);
}

FakeHost::FakeHost() {
  gCurrent = this;
}

FakeHost::~FakeHost() {
  for (void* block : blocks_) std::free(block);
  if (gCurrent == this) gCurrent = nullptr;
}

FakeHost& FakeHost::Current() {
  if (!gCurrent) std::abort();  // a suite routine called with no host: the plug-in kept a stale suite
  return *gCurrent;
}

SPBasicSuite* FakeHost::Basic() {
  return &gBasicSuite;
}
SPPluginRef FakeHost::Self() {
  return reinterpret_cast<SPPluginRef>(this);
}

void FakeHost::SetField(DescriptorKeyID key, const std::string& text) {
  CheckUtf8(text);
  fileInfo.Put(key, TextItem(text));
}

void FakeHost::SetKeywords(const std::vector<std::string>& keywords) {
  Item item;
  item.type = kTypeValueList;
  item.list = std::make_shared<List>();
  for (const std::string& keyword : keywords) {
    CheckUtf8(keyword);
    item.list->items.push_back(TextItem(keyword));
  }
  fileInfo.Put(Code("Kywd"), item);
}

bool FakeHost::HasField(DescriptorKeyID key) const {
  return fileInfo.Find(key) != nullptr;
}

std::string FakeHost::Field(DescriptorKeyID key) const {
  const Item* item = fileInfo.Find(key);
  return item ? item->text : std::string();
}

std::vector<std::string> FakeHost::Keywords() const {
  std::vector<std::string> keywords;
  const Item* item = fileInfo.Find(Code("Kywd"));
  if (item && item->list) {
    for (const Item& entry : item->list->items) keywords.push_back(entry.text);
  }
  return keywords;
}

PIActionDescriptor FakeHost::MakeDescriptor(
    const std::vector<std::pair<DescriptorKeyID, std::string>>& strings) {
  auto desc = std::make_shared<Descriptor>();
  for (const auto& entry : strings) {
    CheckUtf8(entry.second);
    desc->Put(entry.first, TextItem(entry.second));
  }
  return Adopt(desc);
}

std::vector<std::pair<DescriptorKeyID, std::string>> FakeHost::Strings(PIActionDescriptor descriptor) const {
  std::vector<std::pair<DescriptorKeyID, std::string>> strings;
  auto found = descriptors_.find(descriptor);
  if (found == descriptors_.end()) return strings;
  for (const auto& entry : found->second->items) strings.emplace_back(entry.first, entry.second.text);
  return strings;
}

bool FakeHost::IsLive(PIActionDescriptor descriptor) const {
  return descriptors_.count(descriptor) != 0;
}

void FakeHost::FreeDescriptor(PIActionDescriptor descriptor) {
  Release(descriptors_, descriptor);
}

bool FakeHost::Enter(const std::string& call, OSErr* error) {
  ++callCount;
  if (callCount == failCall) {
    calls.push_back(call + " -> " + std::to_string(failCode));
    *error = failCode;
    return false;
  }
  calls.push_back(call);
  return true;
}

PIActionDescriptor FakeHost::Adopt(std::shared_ptr<Descriptor> d) {
  void* handle = d.get();
  descriptors_[handle] = std::move(d);
  return static_cast<PIActionDescriptor>(handle);
}

PIActionList FakeHost::Adopt(std::shared_ptr<List> l) {
  void* handle = l.get();
  lists_[handle] = std::move(l);
  return static_cast<PIActionList>(handle);
}

PIActionReference FakeHost::Adopt(std::shared_ptr<Reference> r) {
  void* handle = r.get();
  references_[handle] = std::move(r);
  return static_cast<PIActionReference>(handle);
}

template <typename Map>
static typename Map::mapped_type Find(Map& map, void* handle, std::vector<std::string>& errors) {
  auto found = map.find(handle);
  if (found == map.end()) {
    errors.push_back("unknown handle");
    return nullptr;
  }
  return found->second;
}

std::shared_ptr<Descriptor> FakeHost::Lookup(PIActionDescriptor d) {
  return Find(descriptors_, d, errors);
}
std::shared_ptr<List> FakeHost::Lookup(PIActionList l) {
  return Find(lists_, l, errors);
}
std::shared_ptr<Reference> FakeHost::Lookup(PIActionReference r) {
  return Find(references_, r, errors);
}

template <typename Map>
bool FakeHost::Release(Map& map, void* handle) {
  if (map.erase(handle)) return true;
  errors.push_back("Free of an unknown handle");
  return false;
}

ASZString FakeHost::AdoptZString(std::u16string units) {
  auto zstring = std::make_shared<ZString>();
  zstring->units = std::move(units);
  void* handle = zstring.get();
  zstrings_[handle] = std::move(zstring);
  return static_cast<ASZString>(handle);
}

const ZString* FakeHost::Peek(ASZString z) const {
  if (z && z == EmptyZString()) return empty_.get();
  auto found = zstrings_.find(z);
  return found == zstrings_.end() ? nullptr : found->second.get();
}

std::shared_ptr<ZString> FakeHost::Lookup(ASZString z) {
  if (z && z == EmptyZString()) return empty_;
  auto found = zstrings_.find(z);
  if (found != zstrings_.end()) return found->second;
  errors.push_back("unknown or freed ZString");
  return nullptr;
}

bool FakeHost::ReleaseZString(ASZString z) {
  if (z && z == EmptyZString()) return true;
  auto found = zstrings_.find(z);
  if (found == zstrings_.end()) {
    errors.push_back("Release of an unknown or freed ZString");
    return false;
  }
  if (--found->second->references == 0) {
    found->second->units.clear();
    freedZStrings_.push_back(std::move(found->second));
    zstrings_.erase(found);
  }
  return true;
}

}  // namespace stub
