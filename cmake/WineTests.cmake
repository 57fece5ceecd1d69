# Tests that run a program of the 64-bit Windows build under Wine in one
# prefix of the build. The prefix is made once by a setup test before any
# of them, and they run one at a time: two Wine programs starting together
# on a prefix that is still being made fail at random.
#
#   kora4_wine_test(<name> COMMAND <args...> [WORKING_DIRECTORY <dir>]
#                   [PASS_REGULAR_EXPRESSION <regex>])
# KORA4_WINE is the 64-bit Wine loader (empty when Wine is not installed,
# then no test is added); the command may name it. Debian keeps wine64 off
# PATH in /usr/lib/wine, and its `wine` starts the 32-bit loader once wine32
# is installed, so the 64-bit loader is looked for by name first.
find_program(KORA4_WINE NAMES wine64 PATHS /usr/lib/wine /usr/lib64/wine)
if(NOT KORA4_WINE)
  find_program(KORA4_WINE NAMES wine)
endif()
set(KORA4_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
set(KORA4_WINE_ENV "WINEDEBUG=-all;WINEPREFIX=${KORA4_WINE_PREFIX};WINEDLLOVERRIDES=mscoree,mshtml=")

if(WIN32 AND BUILD_TESTING AND KORA4_WINE AND CMAKE_SIZEOF_VOID_P EQUAL 8)
  add_test(NAME kora4_wineprefix_setup COMMAND ${KORA4_WINE} wineboot -i)
  set_tests_properties(kora4_wineprefix_setup PROPERTIES
    ENVIRONMENT "${KORA4_WINE_ENV}"
    FIXTURES_SETUP kora4_wineprefix
    RESOURCE_LOCK kora4_wineprefix
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
  add_test(NAME ${name} COMMAND ${T_COMMAND} WORKING_DIRECTORY ${T_WORKING_DIRECTORY})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "${KORA4_WINE_ENV}"
    FIXTURES_REQUIRED kora4_wineprefix
    RESOURCE_LOCK kora4_wineprefix
    TIMEOUT 300)
  if(T_PASS_REGULAR_EXPRESSION)
    set_tests_properties(${name} PROPERTIES PASS_REGULAR_EXPRESSION "${T_PASS_REGULAR_EXPRESSION}")
  endif()
endfunction()
