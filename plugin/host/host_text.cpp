#include "host_text.h"

#include <new>
#include <vector>

#include "host_suites.h"
#include "plugin_text.h"
#include "utf8_text.h"

namespace {

// Holds one reference to a ZString and gives it back, whatever happens in between.
class ZStringHold {
 public:
  explicit ZStringHold(const ASZStringSuite& suite) : suite_(suite) {}
  ~ZStringHold() {
    if (zstring_) suite_.Release(zstring_);
  }
  ZStringHold(const ZStringHold&) = delete;
  ZStringHold& operator=(const ZStringHold&) = delete;
  ASZString* Out() { return &zstring_; }
  ASZString Get() const { return zstring_; }

 private:
  const ASZStringSuite& suite_;
  ASZString zstring_ = nullptr;
};

// The held string as UTF-8.
int32 ReadZString(const ASZStringSuite& suite, ASZString zstring, std::string& text) {
  text.clear();
  if (!zstring) return 0;
  // Every string counts its terminator: no length at all is a failed call.
  const ASUInt32 units = suite.LengthAsUnicodeCString(zstring);
  if (units == 0) return kParamErr;
  if (units == 1) return 0;
  std::vector<ASUnicode> buffer(units);
  const ASErr error = suite.AsUnicodeCString(zstring, buffer.data(), units, 1);
  if (error) return error;
  text = Utf16ToUtf8(std::u16string(buffer.begin(), buffer.end() - 1));
  return 0;
}

int32 MakeZString(const ASZStringSuite& suite, const char* text, ASZString* out) {
  std::u16string utf16 = Utf8ToUtf16(text);
  return suite.MakeFromUnicode(reinterpret_cast<ASUnicode*>(&utf16[0]), utf16.size(), out);
}

// The host's string routines take non-const text they never change.
char* HostText(const char* text) {
  return const_cast<char*>(text);
}

}  // namespace

bool HostTextIsUnicode() {
  return kUtf8Text && ZStringProcs() != nullptr;
}

int32 GetDescriptorString(PIActionDescriptor descriptor, DescriptorKeyID key, uint32 maxLength,
                          std::string& text) {
  const PSActionDescriptorProcs& desc = DescriptorProcs();
  text.clear();
  int32 error;
  if (HostTextIsUnicode()) {
    const ASZStringSuite& suite = *ZStringProcs();
    ZStringHold held(suite);
    error = desc.GetZString(descriptor, key, held.Out());
    if (!error) error = ReadZString(suite, held.Get(), text);
  } else {
    if (maxLength == 0) return kParamErr;
    std::vector<char> buffer(maxLength, '\0');
    error = desc.GetString(descriptor, key, buffer.data(), maxLength);
    buffer[maxLength - 1] = '\0';
    if (!error) text = buffer.data();
    if (kUtf8Text) text = Utf8FromHostAnsi(text);
  }
  if (error) text.clear();
  return error;
}

int32 GetDescriptorText(PIActionDescriptor descriptor, DescriptorKeyID key, char* field, std::size_t size,
                        uint32 maxLength, std::string* whole) {
  std::string text;
  const int32 error = GetDescriptorString(descriptor, key, maxLength, text);
  if (!error) {
    // Cut to the characters the field holds; the char* route has already been held to the host's
    // maximum, in the host's own bytes.
    const std::size_t length = CharacterPrefix(text.c_str(), text.size(), TextCapacity(size));
    text.copy(field, length);
    field[length] = '\0';
    if (whole) whole->swap(text);
  }
  field[size - 1] = '\0';
  return error;
}

int32 PutDescriptorText(PIActionDescriptor descriptor, DescriptorKeyID key, const char* text) {
  const PSActionDescriptorProcs& desc = DescriptorProcs();
  if (!HostTextIsUnicode()) {
    if (!kUtf8Text) return desc.PutString(descriptor, key, HostText(text));
    const std::string ansi = HostAnsiFromUtf8(text);
    return desc.PutString(descriptor, key, HostText(ansi.c_str()));
  }
  const ASZStringSuite& suite = *ZStringProcs();
  ZStringHold made(suite);
  int32 error = MakeZString(suite, text, made.Out());
  if (!error) error = desc.PutZString(descriptor, key, made.Get());
  return error;
}

int32 GetListText(PIActionList list, uint32 index, std::string& text) {
  const PSActionListProcs& lists = ListProcs();
  text.clear();
  int32 error;
  if (HostTextIsUnicode()) {
    const ASZStringSuite& suite = *ZStringProcs();
    ZStringHold held(suite);
    error = lists.GetZString(list, index, held.Out());
    if (!error) error = ReadZString(suite, held.Get(), text);
  } else {
    uint32 length = 0;
    error = lists.GetStringLength(list, index, &length);
    if (error || length == 0) return error;
    char* item = new (std::nothrow) char[length + 1];
    if (!item) return kMemFullErr;
    error = lists.GetString(list, index, item, length + 1);
    item[length] = '\0';
    if (!error) text = item;
    delete[] item;
    if (kUtf8Text) text = Utf8FromHostAnsi(text);
  }
  if (error) text.clear();
  return error;
}

int32 PutListText(PIActionList list, const char* text) {
  const PSActionListProcs& lists = ListProcs();
  if (!HostTextIsUnicode()) {
    if (!kUtf8Text) return lists.PutString(list, HostText(text));
    const std::string ansi = HostAnsiFromUtf8(text);
    return lists.PutString(list, HostText(ansi.c_str()));
  }
  const ASZStringSuite& suite = *ZStringProcs();
  ZStringHold made(suite);
  int32 error = MakeZString(suite, text, made.Out());
  if (!error) error = lists.PutZString(list, made.Get());
  return error;
}
