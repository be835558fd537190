// Binding the unpacker module's exports.
#ifndef QVS_STARTUP_MODULE_BINDING_H
#define QVS_STARTUP_MODULE_BINDING_H

#include "platform/libraries.h"
#include "engine/state/payload_state.h"

// Looks up all exports of `module` by name into `exports`. False when any of
// the 18 is missing; the ones found are filled in all the same. The two
// that read through a handle are looked up too and may be missing.
bool BindModuleExports(LibraryHandle module, ModuleExports *exports);

// True when the module's signature export exists and returns exactly
// QVS_PLUGIN_SIGNATURE (letter case counts).
bool HasExpectedSignature(const ModuleExports &exports);

#endif
