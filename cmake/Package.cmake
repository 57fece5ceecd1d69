# The package for host developers, from the win32 build:
#   cmake --build --preset win32 --target package
# writes build/win32/kora4-<version>-win32.zip: the module, the headers a host
# needs, the stand-ins as test doubles with their sample data, the demo host,
# the host guide, the file format page, the license and a SHA-256 manifest
# (docs/host-guide.md lists them). tests/checks checks it and runs its demo.
if(NOT WIN32 OR NOT CMAKE_SIZEOF_VOID_P EQUAL 4 OR NOT TARGET kora4 OR NOT TARGET kora4_demo)
  return()
endif()

set(KORA4_PACKAGE_NAME kora4-${PROJECT_VERSION}-win32)
set(KORA4_PACKAGE_ZIP ${CMAKE_BINARY_DIR}/${KORA4_PACKAGE_NAME}.zip)
add_custom_target(package
  COMMAND ${CMAKE_COMMAND}
          -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
          -DSTAGE=${CMAKE_BINARY_DIR}/package/${KORA4_PACKAGE_NAME}
          -DZIP=${KORA4_PACKAGE_ZIP}
          -DMODULE=$<TARGET_FILE:kora4>
          -DVBANK4=$<TARGET_FILE:vbank4>
          -DDEMO=$<TARGET_FILE:kora4_demo>
          -DTRAK4_LIB=$<TARGET_FILE:trak4>
          -DSTANDINS_LIB=$<TARGET_FILE:standins_common>
          -DVBANK4_SAMPLE=${VBANK4_SAMPLE_DIR}
          -DTRAK4_SAMPLE=${TRAK4_SAMPLE_DIR}
          -P ${PROJECT_SOURCE_DIR}/cmake/make_package.cmake
  COMMENT "Packaging ${KORA4_PACKAGE_NAME}.zip"
  VERBATIM)
add_dependencies(package kora4 vbank4 kora4_demo trak4 standins_common)
