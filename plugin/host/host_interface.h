// Our own declarations of the host's plug-in interface: the basic suite, the message the host
// sends, the action parameters and the four action suites, with the routines in the host's slot
// order. Every layout the host relies on is pinned below with static_asserts; the byte offsets are
// those of the 32-bit host, the slot order holds for any pointer size.
//
// Platform-neutral: the host bridge and the stand-in host both build on it.
#pragma once

#include <cstddef>
#include <cstdint>

// Every host routine and the entry point use the C calling convention (the caller pops).
#if defined(_WIN32) && !defined(_WIN64)
#define HOSTAPI __cdecl
#else
#define HOSTAPI
#endif

// ---- Basic types ----------------------------------------------------------------------------

using int16 = std::int16_t;
using int32 = std::int32_t;
using uint32 = std::uint32_t;
using OSErr = std::int16_t;    // every action-suite routine returns one; 0 = no error
using SPErr = std::int32_t;    // basic-suite routines and the entry point; 0 = no error
using Boolean = std::uint8_t;  // the action suites' one-byte boolean
using SPBoolean = int;         // the basic suite's four-byte boolean
using Handle = char**;

using DescriptorEventID = uint32;
using DescriptorClassID = uint32;
using DescriptorKeyID = uint32;
using DescriptorTypeID = uint32;
using DescriptorUnitID = uint32;
using DescriptorEnumID = uint32;
using DescriptorEnumTypeID = uint32;
using DescriptorFormID = uint32;
using PIDialogPlayOptions = int32;
using PIDialogRecordOptions = int32;

struct SPPlugin;
using SPPluginRef = SPPlugin*;
struct _ADsc;
struct _ALst;
struct _ARef;
struct ASZByteRun;
using PIActionDescriptor = _ADsc*;
using PIActionList = _ALst*;
using PIActionReference = _ARef*;
using ASZString = ASZByteRun*;
using PIDescriptorHandle = Handle;

// The value of a four-character code: the first character in the high byte ('abcd' = 0x61626364).
constexpr uint32 Code(const char* c) {
  return (uint32(std::uint8_t(c[0])) << 24) | (uint32(std::uint8_t(c[1])) << 16) |
         (uint32(std::uint8_t(c[2])) << 8) | uint32(std::uint8_t(c[3]));
}
static_assert(Code("hstm") == 0x6873746D, "four-character codes put the first character high");

// ---- Errors and results -----------------------------------------------------------------------

constexpr int32 kNoErr = 0;
constexpr int32 kParamErr = -50;
constexpr int32 kMemFullErr = -108;
constexpr int32 kUserCanceledErr = -128;
constexpr int32 kErrPlugInHostInsufficient = -30900;
constexpr int32 kErrMissingParameter = -1715;
constexpr SPErr kSPSuiteNotFoundError = Code("S!Fd");
constexpr SPErr kSPBadParameterError = Code("Parm");
constexpr SPErr kSPUnimplementedError = Code("!IMP");

// Run results returned to the host.
constexpr int32 kResultStop = Code("STOP");  // the user cancelled the editor dialog
constexpr int32 kResultParm = Code("Parm");  // the run ended by an exception
static_assert(kResultStop == 0x53544F50 && kResultParm == 0x5061726D, "run result codes");

// The exception that ends a run: a missing suite, an unknown basic suite, a failed allocation.
// Caught only by the entry point.
struct HostException {
  int32 code;
};

// ---- Dialog and record options ----------------------------------------------------------------

constexpr PIDialogPlayOptions kPlugInDialogDontDisplay = 0;
constexpr PIDialogPlayOptions kPlugInDialogDisplay = 1;
constexpr PIDialogPlayOptions kPlugInDialogSilent = 2;
constexpr PIDialogRecordOptions kPlugInDialogOptional = 0;
constexpr PIDialogRecordOptions kPlugInDialogRequired = 1;
constexpr PIDialogRecordOptions kPlugInDialogNone = 2;

// ---- Host codes used by the File Info exchange ------------------------------------------------

constexpr uint32 kClassDocument = Code("Dcmn");
constexpr uint32 kClassProperty = Code("Prpr");
constexpr uint32 kKeyFileInfo = Code("FlIn");  // both the property key and the object class
constexpr uint32 kTypeOrdinal = Code("Ordn");
constexpr uint32 kEnumTarget = Code("Trgt");
constexpr uint32 kKeyTarget = Code("null");
constexpr uint32 kKeyTo = Code("T   ");
constexpr uint32 kEventSet = Code("setd");
constexpr uint32 kTypeObject = Code("Objc");
constexpr uint32 kTypeText = Code("TEXT");
constexpr uint32 kTypeValueList = Code("VlLs");
constexpr uint32 kTypeObjectReference = Code("obj ");
constexpr uint32 kFormProperty = Code("prop");
constexpr uint32 kFormEnumerated = Code("Enmr");

// ---- SPBasicSuite ------------------------------------------------------------------------------

constexpr const char* kSPBasicSuite = "SP Basic Suite";
constexpr int32 kSPBasicSuiteVersion = 4;

struct SPBasicSuite {
  SPErr(HOSTAPI* AcquireSuite)(const char* name, int32 version, const void** suite);
  SPErr(HOSTAPI* ReleaseSuite)(const char* name, int32 version);
  SPBoolean(HOSTAPI* IsEqual)(const char* token1, const char* token2);
  SPErr(HOSTAPI* AllocateBlock)(std::size_t size, void** block);
  SPErr(HOSTAPI* FreeBlock)(void* block);
  SPErr(HOSTAPI* ReallocateBlock)(void* block, std::size_t newSize, void** newBlock);
  SPErr(HOSTAPI* Undefined)();
};

// ---- Messages ------------------------------------------------------------------------------------

constexpr int32 kSPValidSPMessageData = Code("SPCk");

struct SPMessageData {
  int32 SPCheck;
  SPPluginRef self;
  void* globals;
  SPBasicSuite* basic;
};

#if defined(_WIN32)
#pragma pack(push, 1)
#endif
struct PIActionParameters {
  PIDialogPlayOptions playInfo;
  PIDialogRecordOptions recordInfo;
  PIActionDescriptor descriptor;
};
#if defined(_WIN32)
#pragma pack(pop)
#endif

struct PSActionsPlugInMessage {
  SPMessageData d;
  PIActionParameters* actionParameters;
};

constexpr const char* kSPInterfaceCaller = "SP Interface";
constexpr const char* kSPAboutSelector = "About";
constexpr const char* kPSPhotoshopCaller = "PS Photoshop";
constexpr const char* kPSDoIt = "Do It";

// The entry point's type (exported as "AutoPluginMain").
using SPPluginEntry = SPErr(HOSTAPI*)(const char* caller, const char* selector, void* message);

// ---- PSActionDescriptorProcs ---------------------------------------------------------------------

constexpr const char* kPSActionDescriptorSuite = "df135115-c769-11d0-8079-00c04fd7ec47";
constexpr int32 kPSActionDescriptorSuiteVersion = 2;

struct PSActionDescriptorProcs {
  using D = PIActionDescriptor;
  using K = DescriptorKeyID;
  OSErr(HOSTAPI* Make)(D* descriptor);
  OSErr(HOSTAPI* Free)(D descriptor);
  OSErr(HOSTAPI* GetType)(D descriptor, K key, DescriptorTypeID* type);
  OSErr(HOSTAPI* GetKey)(D descriptor, uint32 index, K* key);
  OSErr(HOSTAPI* HasKey)(D descriptor, K key, Boolean* hasKey);
  OSErr(HOSTAPI* GetCount)(D descriptor, uint32* count);
  OSErr(HOSTAPI* IsEqual)(D descriptor, D other, Boolean* isEqual);
  OSErr(HOSTAPI* Erase)(D descriptor, K key);
  OSErr(HOSTAPI* Clear)(D descriptor);
  OSErr(HOSTAPI* PutInteger)(D descriptor, K key, int32 value);
  OSErr(HOSTAPI* PutFloat)(D descriptor, K key, double value);
  OSErr(HOSTAPI* PutUnitFloat)(D descriptor, K key, DescriptorUnitID unit, double value);
  OSErr(HOSTAPI* PutString)(D descriptor, K key, char* cstr);
  OSErr(HOSTAPI* PutBoolean)(D descriptor, K key, Boolean value);
  OSErr(HOSTAPI* PutList)(D descriptor, K key, PIActionList list);
  OSErr(HOSTAPI* PutObject)(D descriptor, K key, DescriptorClassID type, D value);
  OSErr(HOSTAPI* PutGlobalObject)(D descriptor, K key, DescriptorClassID type, D value);
  OSErr(HOSTAPI* PutEnumerated)(D descriptor, K key, DescriptorEnumTypeID type, DescriptorEnumID value);
  OSErr(HOSTAPI* PutReference)(D descriptor, K key, PIActionReference reference);
  OSErr(HOSTAPI* PutClass)(D descriptor, K key, DescriptorClassID value);
  OSErr(HOSTAPI* PutGlobalClass)(D descriptor, K key, DescriptorClassID value);
  OSErr(HOSTAPI* PutAlias)(D descriptor, K key, Handle alias);
  OSErr(HOSTAPI* GetInteger)(D descriptor, K key, int32* value);
  OSErr(HOSTAPI* GetFloat)(D descriptor, K key, double* value);
  OSErr(HOSTAPI* GetUnitFloat)(D descriptor, K key, DescriptorUnitID* unit, double* value);
  OSErr(HOSTAPI* GetStringLength)(D descriptor, K key, uint32* length);
  OSErr(HOSTAPI* GetString)(D descriptor, K key, char* cstr, uint32 maxLength);
  OSErr(HOSTAPI* GetBoolean)(D descriptor, K key, Boolean* value);
  OSErr(HOSTAPI* GetList)(D descriptor, K key, PIActionList* list);
  OSErr(HOSTAPI* GetObject)(D descriptor, K key, DescriptorClassID* type, D* value);
  OSErr(HOSTAPI* GetGlobalObject)(D descriptor, K key, DescriptorClassID* type, D* value);
  OSErr(HOSTAPI* GetEnumerated)(D descriptor, K key, DescriptorEnumTypeID* type, DescriptorEnumID* value);
  OSErr(HOSTAPI* GetReference)(D descriptor, K key, PIActionReference* reference);
  OSErr(HOSTAPI* GetClass)(D descriptor, K key, DescriptorClassID* value);
  OSErr(HOSTAPI* GetGlobalClass)(D descriptor, K key, DescriptorClassID* value);
  OSErr(HOSTAPI* GetAlias)(D descriptor, K key, Handle* alias);
  OSErr(HOSTAPI* HasKeys)(D descriptor, DescriptorKeyID* requiredKeys, Boolean* hasKeys);
  OSErr(HOSTAPI* PutIntegers)(D descriptor, K key, uint32 count, int32* values);
  OSErr(HOSTAPI* GetIntegers)(D descriptor, K key, uint32 count, int32* values);
  OSErr(HOSTAPI* AsHandle)(D descriptor, PIDescriptorHandle* handle);
  OSErr(HOSTAPI* HandleToDescriptor)(PIDescriptorHandle handle, D* descriptor);
  OSErr(HOSTAPI* PutZString)(D descriptor, K key, ASZString zstring);
  OSErr(HOSTAPI* GetZString)(D descriptor, K key, ASZString* zstring);
  OSErr(HOSTAPI* PutData)(D descriptor, K key, int32 length, void* value);
  OSErr(HOSTAPI* GetDataLength)(D descriptor, K key, int32* value);
  OSErr(HOSTAPI* GetData)(D descriptor, K key, void* value);
};

// ---- PSActionListProcs -------------------------------------------------------------------------

constexpr const char* kPSActionListSuite = "df135116-c769-11d0-8079-00c04fd7ec47";
constexpr int32 kPSActionListSuiteVersion = 1;

struct PSActionListProcs {
  using L = PIActionList;
  OSErr(HOSTAPI* Make)(L* list);
  OSErr(HOSTAPI* Free)(L list);
  OSErr(HOSTAPI* GetType)(L list, uint32 index, DescriptorTypeID* value);
  OSErr(HOSTAPI* GetCount)(L list, uint32* value);
  OSErr(HOSTAPI* PutInteger)(L list, int32 value);
  OSErr(HOSTAPI* PutFloat)(L list, double value);
  OSErr(HOSTAPI* PutUnitFloat)(L list, DescriptorUnitID unit, double value);
  OSErr(HOSTAPI* PutString)(L list, char* cstr);
  OSErr(HOSTAPI* PutBoolean)(L list, Boolean value);
  OSErr(HOSTAPI* PutList)(L list, L value);
  OSErr(HOSTAPI* PutObject)(L list, DescriptorClassID type, PIActionDescriptor value);
  OSErr(HOSTAPI* PutGlobalObject)(L list, DescriptorClassID type, PIActionDescriptor value);
  OSErr(HOSTAPI* PutEnumerated)(L list, DescriptorEnumTypeID type, DescriptorEnumID value);
  OSErr(HOSTAPI* PutReference)(L list, PIActionReference value);
  OSErr(HOSTAPI* PutClass)(L list, DescriptorClassID value);
  OSErr(HOSTAPI* PutGlobalClass)(L list, DescriptorClassID value);
  OSErr(HOSTAPI* PutAlias)(L list, Handle value);
  OSErr(HOSTAPI* GetInteger)(L list, uint32 index, int32* value);
  OSErr(HOSTAPI* GetFloat)(L list, uint32 index, double* value);
  OSErr(HOSTAPI* GetUnitFloat)(L list, uint32 index, DescriptorUnitID* unit, double* value);
  OSErr(HOSTAPI* GetStringLength)(L list, uint32 index, uint32* length);
  OSErr(HOSTAPI* GetString)(L list, uint32 index, char* cstr, uint32 maxLength);
  OSErr(HOSTAPI* GetBoolean)(L list, uint32 index, Boolean* value);
  OSErr(HOSTAPI* GetList)(L list, uint32 index, L* value);
  OSErr(HOSTAPI* GetObject)(L list, uint32 index, DescriptorClassID* type, PIActionDescriptor* value);
  OSErr(HOSTAPI* GetGlobalObject)(L list, uint32 index, DescriptorClassID* type, PIActionDescriptor* value);
  OSErr(HOSTAPI* GetEnumerated)(L list, uint32 index, DescriptorEnumTypeID* type, DescriptorEnumID* value);
  OSErr(HOSTAPI* GetReference)(L list, uint32 index, PIActionReference* value);
  OSErr(HOSTAPI* GetClass)(L list, uint32 index, DescriptorClassID* value);
  OSErr(HOSTAPI* GetGlobalClass)(L list, uint32 index, DescriptorClassID* value);
  OSErr(HOSTAPI* GetAlias)(L list, uint32 index, Handle* value);
  OSErr(HOSTAPI* PutIntegers)(L list, uint32 count, int32* values);
  OSErr(HOSTAPI* GetIntegers)(L list, uint32 count, int32* values);
  OSErr(HOSTAPI* PutData)(L list, int32 length, void* data);
  OSErr(HOSTAPI* GetDataLength)(L list, uint32 index, int32* length);
  OSErr(HOSTAPI* GetData)(L list, uint32 index, void* value);
  OSErr(HOSTAPI* PutZString)(L list, ASZString zstring);
  OSErr(HOSTAPI* GetZString)(L list, uint32 index, ASZString* zstring);
};

// ---- PSActionReferenceProcs --------------------------------------------------------------------

constexpr const char* kPSActionReferenceSuite = "df135117-c769-11d0-8079-00c04fd7ec47";
constexpr int32 kPSActionReferenceSuiteVersion = 2;

struct PSActionReferenceProcs {
  using R = PIActionReference;
  OSErr(HOSTAPI* Make)(R* reference);
  OSErr(HOSTAPI* Free)(R reference);
  OSErr(HOSTAPI* GetForm)(R reference, DescriptorFormID* value);
  OSErr(HOSTAPI* GetDesiredClass)(R reference, DescriptorClassID* value);
  OSErr(HOSTAPI* PutName)(R reference, DescriptorClassID desiredClass, char* cstr);
  OSErr(HOSTAPI* PutIndex)(R reference, DescriptorClassID desiredClass, uint32 value);
  OSErr(HOSTAPI* PutIdentifier)(R reference, DescriptorClassID desiredClass, uint32 value);
  OSErr(HOSTAPI* PutOffset)(R reference, DescriptorClassID desiredClass, int32 value);
  OSErr(HOSTAPI* PutEnumerated)(R reference, DescriptorClassID desiredClass, DescriptorEnumTypeID type,
                                DescriptorEnumID value);
  OSErr(HOSTAPI* PutProperty)(R reference, DescriptorClassID desiredClass, DescriptorKeyID value);
  OSErr(HOSTAPI* PutClass)(R reference, DescriptorClassID desiredClass);
  OSErr(HOSTAPI* GetNameLength)(R reference, uint32* length);
  OSErr(HOSTAPI* GetName)(R reference, char* name, uint32 maxLength);
  OSErr(HOSTAPI* GetIndex)(R reference, uint32* value);
  OSErr(HOSTAPI* GetIdentifier)(R reference, uint32* value);
  OSErr(HOSTAPI* GetOffset)(R reference, int32* value);
  OSErr(HOSTAPI* GetEnumerated)(R reference, DescriptorEnumTypeID* type, DescriptorEnumID* enumValue);
  OSErr(HOSTAPI* GetProperty)(R reference, DescriptorKeyID* value);
  OSErr(HOSTAPI* GetContainer)(R reference, R* value);
};

// ---- PSActionControlProcs ----------------------------------------------------------------------

constexpr const char* kPSActionControlSuite = "bc1e4d70-f953-11d0-8d9f-00c04fd5f7ee";
constexpr int32 kPSActionControlSuiteVersion = 2;

using PIEventNotifier = void(HOSTAPI*)(DescriptorEventID event, PIActionDescriptor result,
                                       PIDialogRecordOptions options, void* data);
using PISuspendProc = SPErr(HOSTAPI*)(void* data);

struct PSActionControlProcs {
  OSErr(HOSTAPI* Play)(PIActionDescriptor* result, DescriptorEventID event, PIActionDescriptor descriptor,
                       PIDialogPlayOptions options);
  OSErr(HOSTAPI* Get)(PIActionDescriptor* result, PIActionReference reference);
  OSErr(HOSTAPI* StringIDToTypeID)(char* stringID, DescriptorTypeID* typeID);
  OSErr(HOSTAPI* TypeIDToStringID)(DescriptorTypeID typeID, char* cstr, uint32 maxLength);
  OSErr(HOSTAPI* AddNotify)(SPPluginRef self, DescriptorEventID event, PIEventNotifier notifier, void* data);
  OSErr(HOSTAPI* RemoveNotify)(SPPluginRef self, DescriptorEventID event);
  OSErr(HOSTAPI* SuspendHistory)(PIActionReference reference, PISuspendProc proc, void* procData,
                                 ASZString operationName);
  OSErr(HOSTAPI* MakeStringAlias)(const char* newStringID, const char* existingStringID);
};

// ---- ASZStringSuite (version 1) -------------------------------------------------------------------
// Reference-counted Unicode strings: the host's route for text beyond the ANSI code page, through
// the descriptor's and list's PutZString and GetZString. A string received from the host (or made
// here) is released exactly once; PutZString takes its own reference.

constexpr const char* kASZStringSuite = "AS ZString Suite";
constexpr int32 kASZStringSuiteVersion = 1;

using ASErr = int32;
using ASUInt32 = uint32;
using ASUnicode = std::uint16_t;  // one UTF-16 code unit
using ASBoolean = int;            // 4 bytes on Windows, as BOOL
constexpr ASErr kASBufferTooSmallErr = Code("BUFF");
constexpr ASErr kASOutOfMemoryErr = Code("MEM ");

struct ASZStringSuite {
  using Z = ASZString;
  ASErr(HOSTAPI* MakeFromUnicode)(ASUnicode* src, std::size_t charCount, Z* out);  // units, no NUL
  ASErr(HOSTAPI* MakeFromCString)(const char* src, std::size_t byteCount, Z* out);
  ASErr(HOSTAPI* MakeFromPascalString)(const unsigned char* src, std::size_t byteCount, Z* out);
  ASErr(HOSTAPI* MakeRomanizationOfInteger)(int32 value, Z* out);
  ASErr(HOSTAPI* MakeRomanizationOfFixed)(int32 value, int16 places, ASBoolean trim, ASBoolean separate,
                                          Z* out);
  ASErr(HOSTAPI* MakeRomanizationOfDouble)(double value, Z* out);
  Z(HOSTAPI* GetEmpty)();
  ASErr(HOSTAPI* Copy)(Z source, Z* copy);
  ASErr(HOSTAPI* Replace)(Z zstring, ASUInt32 index, Z replacement);
  ASErr(HOSTAPI* TrimEllipsis)(Z zstring);
  ASErr(HOSTAPI* TrimSpaces)(Z zstring);
  ASErr(HOSTAPI* RemoveAccelerators)(Z zstring);
  ASErr(HOSTAPI* AddRef)(Z zstring);
  ASErr(HOSTAPI* Release)(Z zstring);
  ASBoolean(HOSTAPI* IsAllWhiteSpace)(Z zstring);
  ASBoolean(HOSTAPI* IsEmpty)(Z zstring);
  ASBoolean(HOSTAPI* WillReplace)(Z zstring, ASUInt32 index);
  ASUInt32(HOSTAPI* LengthAsUnicodeCString)(Z zstring);  // units, the NUL included
  ASErr(HOSTAPI* AsUnicodeCString)(Z zstring, ASUnicode* buffer, ASUInt32 bufferSize, ASBoolean checkSize);
  ASUInt32(HOSTAPI* LengthAsCString)(Z zstring);
  ASErr(HOSTAPI* AsCString)(Z zstring, char* buffer, ASUInt32 bufferSize, ASBoolean checkSize);
  ASUInt32(HOSTAPI* LengthAsPascalString)(Z zstring);
  ASErr(HOSTAPI* AsPascalString)(Z zstring, char* buffer, ASUInt32 bufferSize, ASBoolean checkSize);
};

// ---- Layout pins ---------------------------------------------------------------------------------

#define HOST_SLOT(Suite, routine, slot) \
  static_assert(offsetof(Suite, routine) == (slot) * sizeof(void*), #Suite "::" #routine " slot")

static_assert(sizeof(SPBasicSuite) == 7 * sizeof(void*), "SPBasicSuite has 7 slots");
HOST_SLOT(SPBasicSuite, AcquireSuite, 0);
HOST_SLOT(SPBasicSuite, IsEqual, 2);
HOST_SLOT(SPBasicSuite, AllocateBlock, 3);
HOST_SLOT(SPBasicSuite, FreeBlock, 4);
HOST_SLOT(SPBasicSuite, Undefined, 6);

static_assert(sizeof(PSActionDescriptorProcs) == 46 * sizeof(void*), "descriptor suite v2 has 46 slots");
HOST_SLOT(PSActionDescriptorProcs, Free, 1);
HOST_SLOT(PSActionDescriptorProcs, GetType, 2);
HOST_SLOT(PSActionDescriptorProcs, HasKey, 4);
HOST_SLOT(PSActionDescriptorProcs, PutString, 12);
HOST_SLOT(PSActionDescriptorProcs, PutList, 14);
HOST_SLOT(PSActionDescriptorProcs, PutObject, 15);
HOST_SLOT(PSActionDescriptorProcs, PutReference, 18);
HOST_SLOT(PSActionDescriptorProcs, GetStringLength, 25);
HOST_SLOT(PSActionDescriptorProcs, GetString, 26);
HOST_SLOT(PSActionDescriptorProcs, GetList, 28);
HOST_SLOT(PSActionDescriptorProcs, GetObject, 29);
HOST_SLOT(PSActionDescriptorProcs, HandleToDescriptor, 40);
HOST_SLOT(PSActionDescriptorProcs, GetData, 45);

static_assert(sizeof(PSActionListProcs) == 38 * sizeof(void*), "list suite v1 has 38 slots");
HOST_SLOT(PSActionListProcs, Free, 1);
HOST_SLOT(PSActionListProcs, GetCount, 3);
HOST_SLOT(PSActionListProcs, PutString, 7);
HOST_SLOT(PSActionListProcs, GetStringLength, 20);
HOST_SLOT(PSActionListProcs, GetString, 21);
HOST_SLOT(PSActionListProcs, PutData, 33);
HOST_SLOT(PSActionListProcs, GetZString, 37);

static_assert(sizeof(PSActionReferenceProcs) == 19 * sizeof(void*), "reference suite v2 has 19 slots");
HOST_SLOT(PSActionReferenceProcs, Free, 1);
HOST_SLOT(PSActionReferenceProcs, PutEnumerated, 8);
HOST_SLOT(PSActionReferenceProcs, PutProperty, 9);
HOST_SLOT(PSActionReferenceProcs, GetContainer, 18);

static_assert(sizeof(ASZStringSuite) == 23 * sizeof(void*), "ZString suite v1 has 23 slots");
HOST_SLOT(ASZStringSuite, MakeFromUnicode, 0);
HOST_SLOT(ASZStringSuite, GetEmpty, 6);
HOST_SLOT(ASZStringSuite, AddRef, 12);
HOST_SLOT(ASZStringSuite, Release, 13);
HOST_SLOT(ASZStringSuite, LengthAsUnicodeCString, 17);
HOST_SLOT(ASZStringSuite, AsUnicodeCString, 18);
HOST_SLOT(ASZStringSuite, AsCString, 20);
HOST_SLOT(PSActionDescriptorProcs, PutZString, 41);
HOST_SLOT(PSActionDescriptorProcs, GetZString, 42);
HOST_SLOT(PSActionListProcs, PutZString, 36);

static_assert(sizeof(PSActionControlProcs) == 8 * sizeof(void*), "control suite has 8 slots");
HOST_SLOT(PSActionControlProcs, Play, 0);
HOST_SLOT(PSActionControlProcs, Get, 1);
HOST_SLOT(PSActionControlProcs, MakeStringAlias, 7);

#undef HOST_SLOT

static_assert(sizeof(OSErr) == 2 && sizeof(SPErr) == 4 && sizeof(Boolean) == 1 && sizeof(SPBoolean) == 4,
              "host scalar sizes");
static_assert(offsetof(SPMessageData, basic) == 3 * sizeof(void*), "SPMessageData layout");

#if defined(_WIN32)
static_assert(sizeof(PIActionParameters) == 8 + sizeof(void*), "PIActionParameters is packed");
static_assert(offsetof(PIActionParameters, descriptor) == 8, "descriptor follows the two options");
#endif

// The 32-bit host's byte layout.
static_assert(sizeof(void*) != 4 || sizeof(SPMessageData) == 16, "SPMessageData is 16 bytes");
static_assert(sizeof(void*) != 4 || offsetof(SPMessageData, basic) == 12, "basic at offset 12");
static_assert(sizeof(void*) != 4 || offsetof(SPMessageData, self) == 4, "self at offset 4");
static_assert(sizeof(void*) != 4 || sizeof(PSActionsPlugInMessage) == 20,
              "PSActionsPlugInMessage is 20 bytes");
static_assert(sizeof(void*) != 4 || offsetof(PSActionsPlugInMessage, actionParameters) == 16,
              "actionParameters at offset 16");
static_assert(sizeof(void*) != 4 || sizeof(PIActionParameters) == 12, "PIActionParameters is 12 bytes");
static_assert(sizeof(void*) != 4 || sizeof(PSActionDescriptorProcs) == 184, "descriptor suite is 184 bytes");
static_assert(sizeof(void*) != 4 || sizeof(PSActionListProcs) == 152, "list suite is 152 bytes");
static_assert(sizeof(void*) != 4 || sizeof(PSActionReferenceProcs) == 76, "reference suite is 76 bytes");
static_assert(sizeof(void*) != 4 || sizeof(PSActionControlProcs) == 32, "control suite is 32 bytes");
static_assert(sizeof(void*) != 4 || sizeof(SPBasicSuite) == 28, "basic suite is 28 bytes");

// The x64 host's byte layout: natural alignment, no packing except PIActionParameters.
static_assert(sizeof(void*) != 8 || sizeof(SPMessageData) == 32, "SPMessageData is 32 bytes");
static_assert(sizeof(void*) != 8 || offsetof(SPMessageData, self) == 8, "self at offset 8");
static_assert(sizeof(void*) != 8 || offsetof(SPMessageData, globals) == 16, "globals at offset 16");
static_assert(sizeof(void*) != 8 || offsetof(SPMessageData, basic) == 24, "basic at offset 24");
static_assert(sizeof(void*) != 8 || sizeof(PSActionsPlugInMessage) == 40,
              "PSActionsPlugInMessage is 40 bytes");
static_assert(sizeof(void*) != 8 || offsetof(PSActionsPlugInMessage, actionParameters) == 32,
              "actionParameters at offset 32");
static_assert(sizeof(void*) != 8 || sizeof(PIActionParameters) == 16, "PIActionParameters is 16 bytes");
static_assert(sizeof(void*) != 8 || sizeof(PSActionDescriptorProcs) == 368, "descriptor suite is 368 bytes");
static_assert(sizeof(void*) != 8 || sizeof(PSActionListProcs) == 304, "list suite is 304 bytes");
static_assert(sizeof(void*) != 8 || sizeof(PSActionReferenceProcs) == 152, "reference suite is 152 bytes");
static_assert(sizeof(void*) != 8 || sizeof(PSActionControlProcs) == 64, "control suite is 64 bytes");
static_assert(sizeof(void*) != 8 || sizeof(SPBasicSuite) == 56, "basic suite is 56 bytes");
static_assert(sizeof(void*) != 8 || offsetof(SPBasicSuite, AllocateBlock) == 24, "AllocateBlock at 24");
static_assert(sizeof(std::size_t) == sizeof(void*), "block sizes are pointer-sized");

// The PiPL property that names the entry point for this build's host: 'wx86' for the 32-bit
// host, '8664' for the x64 host, 'wa64' for the ARM64 host. The module names all three; a host
// reads only its own.
#if defined(__aarch64__) || defined(_M_ARM64)
constexpr uint32 kEntryPropertyKey = Code("wa64");
#else
constexpr uint32 kEntryPropertyKey = sizeof(void*) == 8 ? Code("8664") : Code("wx86");
#endif
constexpr uint32 kPhotoshopVendor = Code("8BIM");
