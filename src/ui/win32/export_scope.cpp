#include "ui/export_scope.h"

#include "ui/win32/module_instance.h"
#include "ui/win32/windows_api.h"

namespace kora::ui {

ExportScope::ExportScope() noexcept {
    auto module = static_cast<HMODULE>(win32::ModuleInstance());
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    ACTCTXW request = {};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.hModule = module;
    request.lpSource = length > 0 && length < MAX_PATH ? path : nullptr;
    request.lpResourceName = MAKEINTRESOURCEW(2);  // ISOLATIONAWARE_MANIFEST_RESOURCE_ID
    HANDLE context = CreateActCtxW(&request);
    if (context != INVALID_HANDLE_VALUE) {
        ULONG_PTR cookie = 0;
        if (ActivateActCtx(context, &cookie)) {
            context_ = context;
            cookie_ = cookie;
            active_ = true;
        } else {
            ReleaseActCtx(context);
        }
    }
    // Registers the classes of the active context's common controls.
    INITCOMMONCONTROLSEX controls = {
        sizeof controls, ICC_LISTVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
}

ExportScope::~ExportScope() {
    if (active_) DeactivateActCtx(0, cookie_);
    if (context_) ReleaseActCtx(static_cast<HANDLE>(context_));
}

}  // namespace kora::ui
