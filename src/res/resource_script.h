// The resource script as text, for the in-memory toolkit of the native
// build: the same dialog templates and string table that windres compiles
// into the DLL, read at run time instead of a second copy.
#pragma once

#include <span>
#include <string_view>

namespace kora::res {

struct ScriptFile {
    std::string_view name;  // "res/kora4.rc", or the include path of a header
    std::string_view text;  // UTF-8
};

// The script first, then every header it includes by a quoted name.
std::span<const ScriptFile> ResourceScriptFiles();

}  // namespace kora::res
