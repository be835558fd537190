#include "startup/module_binding.h"

#include <string.h>

bool BindModuleExports(LibraryHandle module, ModuleExports *exports) {
  bool complete = true;
#define QVS_BIND_EXPORT(field, exportName)                                 \
  exports->field = (Fn_##field)FindLibraryFunction(module, exportName); \
  if (exports->field == NULL) complete = false;
  QVS_UNPACKER_EXPORTS(QVS_BIND_EXPORT)
#undef QVS_BIND_EXPORT
  // Optional: a module without them reads the installer by its path.
#define QVS_BIND_OPTIONAL(field, exportName) \
  exports->field = (Fn_##field)FindLibraryFunction(module, exportName);
  QVS_UNPACKER_HANDLE_EXPORTS(QVS_BIND_OPTIONAL)
#undef QVS_BIND_OPTIONAL
  return complete;
}

bool HasExpectedSignature(const ModuleExports &exports) {
  if (exports.GetPluginSignature == NULL) return false;
  const char *signature = exports.GetPluginSignature();
  return signature != NULL && strcmp(signature, QVS_PLUGIN_SIGNATURE) == 0;
}
