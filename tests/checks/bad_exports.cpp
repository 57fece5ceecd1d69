// A DLL whose export table the check must reject: the five names, one of
// them stdcall (decorated on 32-bit builds), and one name too many.
#include <cstdint>

#define EXPORT extern "C" __declspec(dllexport)

EXPORT uint32_t KORA_Init(void) { return 0; }
EXPORT uint32_t KORA_Delete(void) { return 0; }
EXPORT uint32_t KORA_SetLumiM17NModule(const void*) { return 0; }
EXPORT uint32_t KORA_OpenDefDialog(uint32_t, void*, uint32_t) { return 0; }
#if defined(BAD_DECORATED)
EXPORT uint32_t __stdcall KORA_OpenDefDialog_ReadOnly(uint32_t, void*, int32_t*, int32_t*) {
    return 0;
}
#else
EXPORT uint32_t KORA_OpenDefDialog_ReadOnly(uint32_t, void*, int32_t*, int32_t*) { return 0; }
EXPORT uint32_t KORA_Extra(void) { return 0; }
#endif
