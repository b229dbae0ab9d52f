#include "host_suites.h"

namespace {

SPBasicSuite* gBasic = nullptr;
SPPluginRef gSelf = nullptr;

const PSActionDescriptorProcs* gDescriptor = nullptr;
const PSActionReferenceProcs* gReference = nullptr;
const PSActionListProcs* gList = nullptr;
const PSActionControlProcs* gControl = nullptr;
const ASZStringSuite* gZString = nullptr;
bool gZStringRefused = false;  // asked once per host; a refusal is not asked again

template <typename Suite>
const Suite& Acquire(const Suite*& suite, const char* name, int32 version) {
  if (suite) return *suite;
  if (!gBasic) throw HostException{kResultParm};
  const void* table = nullptr;
  const SPErr error = gBasic->AcquireSuite(name, version, &table);
  if (error) throw HostException{error};
  if (!table) throw HostException{kResultParm};
  suite = static_cast<const Suite*>(table);
  return *suite;
}

template <typename Suite>
void Release(const Suite*& suite, const char* name, int32 version) {
  if (suite && gBasic) gBasic->ReleaseSuite(name, version);
  suite = nullptr;
}

// The suites go back to the host when the module is unloaded.
struct SuiteReleaser {
  ~SuiteReleaser() { ReleaseHostSuites(); }
} gReleaser;

}  // namespace

void SetHostMessage(SPBasicSuite* basic, SPPluginRef self) {
  gBasic = basic;
  gSelf = self;
}

SPBasicSuite* HostBasicSuite() {
  return gBasic;
}
SPPluginRef HostPluginRef() {
  return gSelf;
}

const PSActionDescriptorProcs& DescriptorProcs() {
  return Acquire(gDescriptor, kPSActionDescriptorSuite, kPSActionDescriptorSuiteVersion);
}
const PSActionReferenceProcs& ReferenceProcs() {
  return Acquire(gReference, kPSActionReferenceSuite, kPSActionReferenceSuiteVersion);
}
const PSActionListProcs& ListProcs() {
  return Acquire(gList, kPSActionListSuite, kPSActionListSuiteVersion);
}
const PSActionControlProcs& ControlProcs() {
  return Acquire(gControl, kPSActionControlSuite, kPSActionControlSuiteVersion);
}

const ASZStringSuite* ZStringProcs() {
  if (gZString || gZStringRefused) return gZString;
  try {
    return &Acquire(gZString, kASZStringSuite, kASZStringSuiteVersion);
  } catch (const HostException&) {
    gZStringRefused = true;
    return nullptr;
  }
}

void ReleaseHostSuites() {
  Release(gDescriptor, kPSActionDescriptorSuite, kPSActionDescriptorSuiteVersion);
  Release(gReference, kPSActionReferenceSuite, kPSActionReferenceSuiteVersion);
  Release(gList, kPSActionListSuite, kPSActionListSuiteVersion);
  Release(gControl, kPSActionControlSuite, kPSActionControlSuiteVersion);
  Release(gZString, kASZStringSuite, kASZStringSuiteVersion);
  gZStringRefused = false;
}
