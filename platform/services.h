// The service control manager.
#ifndef QVS_PLATFORM_SERVICES_H
#define QVS_PLATFORM_SERVICES_H

#include <stdint.h>

// Standard rights plus connect, create service, enumerate service and lock:
// only administrators may open the service manager so.
static const uint32_t kServiceManagerAdminAccess = 0x000F000F;

// Opens the local service control manager's active database with `access`
// and closes it again; true when it could be opened. Only administrators may
// open it with the rights to create services.
bool CanOpenServiceManager(uint32_t access);

#endif
