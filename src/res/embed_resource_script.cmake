# Writes a C++ source that holds the resource script and the id headers it
# includes, as raw string literals, for the in-memory toolkit.
# Variables: OUT (the .cpp to write), ROOT (the src folder), FILES (paths
# relative to ROOT, the script first).
set(body "")
foreach(rel ${FILES})
  file(READ ${ROOT}/${rel} text)
  string(FIND "${text}" ")KORA4RES\"" clash)
  if(NOT clash EQUAL -1)
    message(FATAL_ERROR "${rel} holds the raw-string delimiter")
  endif()
  string(APPEND body "    {\"${rel}\", R\"KORA4RES(${text})KORA4RES\"},\n")
endforeach()
file(WRITE ${OUT}.tmp
"// Generated from the resource script; do not edit.
#include \"res/resource_script.h\"

namespace kora::res {

std::span<const ScriptFile> ResourceScriptFiles() {
    static constexpr ScriptFile files[] = {
${body}    };
    return files;
}

}  // namespace kora::res
")
file(COPY_FILE ${OUT}.tmp ${OUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUT}.tmp)
