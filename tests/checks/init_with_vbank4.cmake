# KORA_Init with the vbank4 stand-in, loaded by the module's real binding by
# its plain name: natively through the library search path, under Wine from
# beside the program.
if(NOT BUILD_TESTING OR NOT TARGET vbank4 OR NOT TARGET kora4_api)
  return()
endif()

add_executable(init_with_vbank4 ${CMAKE_CURRENT_LIST_DIR}/init_with_vbank4.cpp)
# Natively the exports come linked in; on Windows only the library RAII of
# the binding is used, and the exports come from kora4.dll.
target_link_libraries(init_with_vbank4 PRIVATE kora4_api)
kora4_warnings(init_with_vbank4)
add_dependencies(init_with_vbank4 vbank4)

if(NOT WIN32)
  set(scratch ${CMAKE_CURRENT_BINARY_DIR})
  add_test(NAME kora4_init_with_vbank4
           COMMAND init_with_vbank4 ${VBANK4_SAMPLE_DIR} ${scratch})
  set_tests_properties(kora4_init_with_vbank4 PROPERTIES
    ENVIRONMENT_MODIFICATION "LD_LIBRARY_PATH=path_list_prepend:$<TARGET_FILE_DIR:vbank4>"
    PASS_REGULAR_EXPRESSION "kora4 init with vbank4: ok")
  # The same program without the search path: the binding must not find the
  # library by any other road.
  add_test(NAME kora4_init_without_library_path
           COMMAND init_with_vbank4 ${VBANK4_SAMPLE_DIR} ${scratch}/without --expect-not-found)
  set_tests_properties(kora4_init_without_library_path PROPERTIES
    ENVIRONMENT_MODIFICATION "LD_LIBRARY_PATH=unset:"
    PASS_REGULAR_EXPRESSION "kora4 init with vbank4: ok")
  return()
endif()

if(NOT TARGET kora4)
  return()
endif()
target_link_options(init_with_vbank4 PRIVATE -municode -static)
add_dependencies(init_with_vbank4 kora4)

set(run_dir ${CMAKE_CURRENT_BINARY_DIR}/init-with-vbank4-wine)
kora4_wine_test(kora4_init_with_vbank4_wine
  COMMAND ${KORA4_WINE} $<TARGET_FILE:init_with_vbank4> Z:${VBANK4_SAMPLE_DIR} Z:${run_dir}
  WORKING_DIRECTORY ${run_dir}
  PASS_REGULAR_EXPRESSION "kora4 init with vbank4: ok")
