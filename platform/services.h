// The service control manager.
#ifndef QVS_PLATFORM_SERVICES_H
#define QVS_PLATFORM_SERVICES_H

#include <stdint.h>

// Opens the local service control manager's active database with `access`
// and closes it again; true when it could be opened. Only administrators may
// open it with the rights to create services.
bool CanOpenServiceManager(uint32_t access);

#endif
