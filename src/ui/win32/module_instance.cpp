#include "ui/win32/module_instance.h"

#include "ui/win32/windows_api.h"

namespace kora::ui::win32 {
namespace {

const char anchor = 0;  // an address inside this module

}  // namespace

void* ModuleInstance() {
    HMODULE self = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&anchor), &self);
    return self;
}

}  // namespace kora::ui::win32
