// The native build has no activation contexts; the in-memory toolkit needs
// no set-up.
#include "ui/export_scope.h"

namespace kora::ui {

ExportScope::ExportScope() noexcept = default;
ExportScope::~ExportScope() = default;

}  // namespace kora::ui
