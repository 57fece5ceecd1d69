# Fails unless DLL is of FORMAT (pei-i386, pei-x86-64) and exports by name
# exactly the names in EXPECTED (a ;-list). Names compare exactly, so a
# decorated name (_f, f@4) counts as a wrong one.
# cmake -DOBJDUMP=... -DDLL=... -DFORMAT=... -DEXPECTED="a;b" -P check_dll_exports.cmake
#
# The verdict is one line of its own on standard output, naming the DLL by
# file name: CMake wraps the text of an error at a width, so a check that
# looks for it there depends on the length of the build folder's path.
foreach(var OBJDUMP DLL FORMAT EXPECTED)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "check_dll_exports: ${var} is not set")
  endif()
endforeach()

get_filename_component(dll_name ${DLL} NAME)
function(reject verdict)
  message(STATUS "check_dll_exports: ${dll_name}: ${verdict}")
  message(FATAL_ERROR "check_dll_exports: ${DLL} rejected")
endfunction()

execute_process(COMMAND ${OBJDUMP} -f ${DLL} RESULT_VARIABLE rc OUTPUT_VARIABLE header ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -f ${DLL} failed: ${err}")
endif()
if(NOT header MATCHES "file format ([^ \n]+)")
  message(FATAL_ERROR "no file format in:\n${header}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL FORMAT)
  reject("file format ${CMAKE_MATCH_1}, expected ${FORMAT}")
endif()

execute_process(COMMAND ${OBJDUMP} -p ${DLL} RESULT_VARIABLE rc OUTPUT_VARIABLE dump ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed: ${err}")
endif()

# The name table: "[Ordinal/Name Pointer] Table" then one "[ i] name" line
# per name, up to the first empty line.
string(REPLACE ";" "\\;" dump "${dump}")
string(REPLACE "\n" ";" lines "${dump}")
set(in_table FALSE)
set(seen_table FALSE)
set(names "")
foreach(line IN LISTS lines)
  if(line MATCHES "\\[Ordinal/Name Pointer\\] Table")
    set(in_table TRUE)
    set(seen_table TRUE)
  elseif(in_table)
    if(line MATCHES "^[ \t]*\\[ *[0-9]+\\] (.+)$")
      string(STRIP "${CMAKE_MATCH_1}" name)
      list(APPEND names "${name}")
    else()
      set(in_table FALSE)
    endif()
  endif()
endforeach()
if(NOT seen_table)
  reject("no export name table")
endif()

set(expected ${EXPECTED})
list(SORT expected)
list(SORT names)
if(NOT names STREQUAL expected)
  string(REPLACE ";" " " names "${names}")
  string(REPLACE ";" " " expected "${expected}")
  reject("exports are ${names}; expected exactly ${expected}")
endif()
message(STATUS "check_dll_exports: ${dll_name}: ${FORMAT}, exports ${names}")
