# Tests that run a program of the Windows build under Wine, in one prefix of
# the build: the 64-bit build under wine64 (WINEARCH win64), the 32-bit build
# under the 32-bit loader (WINEARCH win32). The prefix is made once by a
# setup test before any of them, and they run one at a time: two Wine
# programs starting together on a prefix that is still being made fail at
# random.
#
#   kora4_wine_test(<name> COMMAND <args...> [WORKING_DIRECTORY <dir>]
#                   [PASS_REGULAR_EXPRESSION <regex>])
# KORA4_WINE is the loader for the build's architecture; the command may
# name it. Debian keeps wine64 off PATH in /usr/lib/wine, and its `wine`
# starts the 32-bit loader once wine32 is installed (and wine64 without it),
# so both loaders are looked for by path first.
#
# 32-bit tests run through scripts/wine-probe: where 32-bit processes
# cannot run, or wine32 is missing, it prints why and the test is reported as
# skipped (exit 77), neither passed nor failed.
set(KORA4_WINE_PROBE ${CMAKE_SOURCE_DIR}/scripts/wine-probe)
set(KORA4_WINE_SKIP_CODE 77)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  find_program(KORA4_WINE64_LOADER NAMES wine64 PATHS /usr/lib/wine /usr/lib64/wine)
  if(NOT KORA4_WINE64_LOADER)
    find_program(KORA4_WINE64_LOADER NAMES wine)
  endif()
  set(KORA4_WINE ${KORA4_WINE64_LOADER})
  set(KORA4_WINE_BITS 64)
else()
  find_program(KORA4_WINE32_LOADER NAMES wine PATHS /usr/lib/wine /usr/lib32/wine NO_DEFAULT_PATH)
  if(NOT KORA4_WINE32_LOADER AND NOT EXISTS /usr/lib/wine/wine64)
    find_program(KORA4_WINE32_LOADER NAMES wine)
  endif()
  # Missing, the tests still exist and the probe reports them skipped.
  if(KORA4_WINE32_LOADER)
    set(KORA4_WINE ${KORA4_WINE32_LOADER})
  else()
    set(KORA4_WINE /usr/lib/wine/wine)
  endif()
  set(KORA4_WINE_BITS 32)
endif()
set(KORA4_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(KORA4_WINE_ENV "WINEDEBUG=-all;WINEPREFIX=${KORA4_WINE_PREFIX};WINEARCH=win${KORA4_WINE_BITS}"
                   "WINEDLLOVERRIDES=mscoree,mshtml=")

# How a test command starts: through the probe for the 32-bit build.
if(KORA4_WINE_BITS EQUAL 32)
  set(KORA4_WINE_LAUNCH ${KORA4_WINE_PROBE} 32 ${KORA4_WINE} --)
else()
  set(KORA4_WINE_LAUNCH "")
endif()

if(WIN32 AND BUILD_TESTING AND KORA4_WINE)
  if(KORA4_WINE_BITS EQUAL 32)
    message(STATUS "32-bit Wine tests: ${KORA4_WINE} (scripts/wine-probe 32 decides at test time)")
  endif()
  add_test(NAME kora4_wineprefix_setup COMMAND ${KORA4_WINE_LAUNCH} ${KORA4_WINE} wineboot -i)
  set_tests_properties(kora4_wineprefix_setup PROPERTIES
    ENVIRONMENT "${KORA4_WINE_ENV}"
    FIXTURES_SETUP kora4_wineprefix
    RESOURCE_LOCK kora4_wineprefix
    SKIP_RETURN_CODE ${KORA4_WINE_SKIP_CODE}
    TIMEOUT 300)
  set(KORA4_WINE_TESTS ON)
endif()

function(kora4_wine_test name)
  cmake_parse_arguments(T "" "WORKING_DIRECTORY;PASS_REGULAR_EXPRESSION" "COMMAND" ${ARGN})
  if(NOT KORA4_WINE_TESTS)
    return()
  endif()
  if(NOT T_WORKING_DIRECTORY)
    set(T_WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  endif()
  file(MAKE_DIRECTORY ${T_WORKING_DIRECTORY})
  add_test(NAME ${name} COMMAND ${KORA4_WINE_LAUNCH} ${T_COMMAND}
           WORKING_DIRECTORY ${T_WORKING_DIRECTORY})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "${KORA4_WINE_ENV}"
    FIXTURES_REQUIRED kora4_wineprefix
    RESOURCE_LOCK kora4_wineprefix
    SKIP_RETURN_CODE ${KORA4_WINE_SKIP_CODE}
    TIMEOUT 300)
  if(T_PASS_REGULAR_EXPRESSION)
    set_tests_properties(${name} PROPERTIES PASS_REGULAR_EXPRESSION "${T_PASS_REGULAR_EXPRESSION}")
  endif()
endfunction()
