// The host's basic suite and plug-in reference, kept from every message, and the four action
// suites, acquired through the basic suite at first use and released when the module unloads.
#pragma once

#include <cstddef>

#include "host_interface.h"

// Stored by the entry point from every message, before anything else.
void SetHostMessage(SPBasicSuite* basic, SPPluginRef self);
SPBasicSuite* HostBasicSuite();
SPPluginRef HostPluginRef();

// Each returns the suite, acquiring it on first use. Throws HostException with 'Parm' when the
// basic suite is unknown, or with the host's error code when the host refuses the suite.
const PSActionDescriptorProcs& DescriptorProcs();
const PSActionReferenceProcs& ReferenceProcs();
const PSActionListProcs& ListProcs();
const PSActionControlProcs& ControlProcs();

// "AS ZString Suite" version 1, acquired on first use; nullptr when the host refuses it (an older
// host), which leaves the char* routines. Never throws for a refusal.
const ASZStringSuite* ZStringProcs();

// Releases every suite acquired so far (module unload; tests between two hosts).
void ReleaseHostSuites();

// Runs its action when the scope ends, however it ends: the host's objects made in a scope are
// freed even when a failed allocation between two host calls throws.
template <typename Action>
class ScopeEnd {
 public:
  explicit ScopeEnd(Action action) : action_(action) {}
  ~ScopeEnd() { action_(); }
  ScopeEnd(const ScopeEnd&) = delete;
  ScopeEnd& operator=(const ScopeEnd&) = delete;

 private:
  Action action_;
};
