// Dialog templates and string table as the in-memory toolkit reads them from
// the module's resource script.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "res/resource_script.h"

namespace kora::ui::headless {

struct ControlTemplate {
    std::u16string text;
    int id = 0;
    std::string className;  // as written, e.g. "SysListView32"
    uint32_t style = 0;
    uint32_t exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
};

struct DialogTemplate {
    int id = 0;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    int x = 0, y = 0, cx = 0, cy = 0;
    std::u16string caption;
    int fontSize = 0;
    std::u16string fontName;
    std::vector<ControlTemplate> controls;  // in template (tab) order
};

struct ResourceTables {
    std::map<int, DialogTemplate> dialogs;
    std::map<uint32_t, std::u16string> strings;
    std::map<std::string, long long> defines;  // from the included id headers
};

class ResourceScriptError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the subset of the resource language the module's script uses:
// #define and #include of its own headers (<...> includes and #pragma are
// passed over), LANGUAGE, DIALOGEX with STYLE, EXSTYLE, CAPTION, FONT and
// CONTROL statements, and STRINGTABLE. Throws ResourceScriptError with the
// file and line of anything else.
ResourceTables ParseResourceScript(std::span<const res::ScriptFile> files);

// The module's own script, read once.
const ResourceTables& ModuleResources();

}  // namespace kora::ui::headless
