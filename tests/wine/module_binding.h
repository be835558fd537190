// The unpacker module bound the way the stub binds it: LoadLibrary, then the
// exports by their plain names.
#ifndef QVS_TESTS_WINE_MODULE_BINDING_H
#define QVS_TESTS_WINE_MODULE_BINDING_H

#include <windows.h>

#include "module/unpacker_api.h"

struct ModuleBinding {
  HMODULE handle;
#define QVS_BINDING_FIELD(field, name) Fn_##field field;
  QVS_UNPACKER_EXPORTS(QVS_BINDING_FIELD)
  QVS_UNPACKER_HANDLE_EXPORTS(QVS_BINDING_FIELD)
#undef QVS_BINDING_FIELD
};

// Loads `path` and binds every export; returns the number bound (20 when
// complete: the original 18 and the two that read through a handle), 0
// when the library does not load.
static inline int BindModule(const char *path, ModuleBinding *binding) {
  int bound = 0;
  binding->handle = LoadLibraryA(path);
  if (binding->handle == NULL) return 0;
#define QVS_BINDING_LOOKUP(field, name)                                  \
  binding->field = (Fn_##field)(void *)GetProcAddress(binding->handle, name); \
  bound += binding->field != NULL;
  QVS_UNPACKER_EXPORTS(QVS_BINDING_LOOKUP)
  QVS_UNPACKER_HANDLE_EXPORTS(QVS_BINDING_LOOKUP)
#undef QVS_BINDING_LOOKUP
  return bound;
}

#endif
