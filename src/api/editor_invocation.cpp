// The Singer Editor is not part of the module yet: until it is, no
// invocation can run, and both report a failure rather than a success that
// did nothing.
#include "api/editor_invocation.h"

#include "kora4/kora4.h"

namespace kora::api {

uint32_t RunEditorInvocation(ModuleContext&, CAxTrakManagerIF*, uint32_t) {
    return kora4::kOtherFailure;
}

uint32_t RunEditorReadOnlyInvocation(ModuleContext&, CAxTrakManagerIF*, int32_t*, int32_t*) {
    return kora4::kOtherFailure;
}

}  // namespace kora::api
