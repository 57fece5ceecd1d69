#include "api/module_instance.h"

namespace kora::api {
namespace {

void*& InstanceSlot() {
    static void* instance = nullptr;
    return instance;
}

}  // namespace

void* ModuleInstance() { return InstanceSlot(); }
void SetModuleInstance(void* instance) { InstanceSlot() = instance; }

}  // namespace kora::api
