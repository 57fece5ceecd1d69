// The module's own instance handle (an HINSTANCE on Windows): dialog
// templates and strings are loaded from it, never from the host.
#pragma once

namespace kora::api {

// Null until the module is loaded as a DLL, and always null natively.
void* ModuleInstance();
void SetModuleInstance(void* instance);

}  // namespace kora::api
