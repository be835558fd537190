// The top-level windows of the desktop, hidden ones included.
#ifndef QVS_PLATFORM_TOP_WINDOWS_H
#define QVS_PLATFORM_TOP_WINDOWS_H

#include <string>

typedef void *WindowHandle;

// Called with each top-level window, its title and its class name (each
// read into a 1024-byte buffer); returning true stops the walk.
typedef bool (*TopWindowVisitor)(WindowHandle window, const std::string &title,
                                 const std::string &className, void *context);

// Walks the desktop's top-level windows in Z order (GetWindow from the
// desktop's first child on). Returns the window at which the visitor
// stopped, NULL when it never did.
WindowHandle WalkTopWindows(TopWindowVisitor visitor, void *context);

#endif
