// The editor invocations behind the two dialog exports, reached only after
// the export's own checks passed on an initialized context.
#pragma once

#include <cstdint>

#include "api/module_context.h"

class CAxTrakManagerIF;

namespace kora::api {

// KORA_OpenDefDialog: run the Singer Editor on the sequence of
// `trakManager`, apply or roll back; returns the status.
uint32_t RunEditorInvocation(ModuleContext& context, CAxTrakManagerIF* trakManager,
                             uint32_t initialSelection);

// KORA_OpenDefDialog_ReadOnly: let the user pick an Active singer; returns
// the status and, after OK, the picked pair.
uint32_t RunEditorReadOnlyInvocation(ModuleContext& context, CAxTrakManagerIF* trakManager,
                                     int32_t* outBank, int32_t* outProgram);

}  // namespace kora::api
