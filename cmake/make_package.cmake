# Stages the host developers' package in STAGE and zips it into ZIP with the
# stage folder's name as the one top folder. Called by the `package` target
# (cmake/Package.cmake), which passes every path.
foreach(var SOURCE_DIR STAGE ZIP MODULE VBANK4 DEMO TRAK4_LIB STANDINS_LIB VBANK4_SAMPLE TRAK4_SAMPLE)
  if(NOT DEFINED ${var} OR "${${var}}" STREQUAL "")
    message(FATAL_ERROR "make_package: ${var} is not set")
  endif()
endforeach()

file(REMOVE_RECURSE ${STAGE})
file(REMOVE ${ZIP})

# put(<folder in the package> <files...>)
function(put folder)
  file(MAKE_DIRECTORY ${STAGE}/${folder})
  file(COPY ${ARGN} DESTINATION ${STAGE}/${folder})
endfunction()

put(. ${SOURCE_DIR}/LICENSE)
put(bin ${MODULE})
file(GLOB headers ${SOURCE_DIR}/include/kora4/*.h)
put(include/kora4 ${headers})
put(docs ${SOURCE_DIR}/docs/host-guide.md ${SOURCE_DIR}/docs/singer-file-format.md)

# The stand-ins, named for what they are to a host: test doubles.
put(test-doubles/vbank4 ${VBANK4})
put(test-doubles/vbank4/sample ${VBANK4_SAMPLE}/catalog.json ${VBANK4_SAMPLE}/store.json)
file(GLOB trak4_headers ${SOURCE_DIR}/stand-ins/trak4/include/trak4/*.h)
put(test-doubles/trak4/include/trak4 ${trak4_headers})
put(test-doubles/trak4/lib ${TRAK4_LIB} ${STANDINS_LIB})
put(test-doubles/trak4/sample ${TRAK4_SAMPLE}/sequence.json)

# The demo runs from its folder: the module and the database beside it, the
# samples it copies into its working folder in demo-data.
put(demo ${DEMO} ${MODULE} ${VBANK4})
put(demo/demo-data ${TRAK4_SAMPLE}/sequence.json)
put(demo/demo-data/vbank4 ${VBANK4_SAMPLE}/catalog.json ${VBANK4_SAMPLE}/store.json)
put(demo/demo-data/translations ${SOURCE_DIR}/hosts/demo/translations/ja.txt)

# The manifest in sha256sum's format, so `sha256sum -c` checks it.
file(GLOB_RECURSE files RELATIVE ${STAGE} ${STAGE}/*)
list(SORT files)
set(manifest "")
foreach(file IN LISTS files)
  file(SHA256 ${STAGE}/${file} hash)
  string(APPEND manifest "${hash}  ${file}\n")
endforeach()
file(WRITE ${STAGE}/MANIFEST.sha256 "${manifest}")

get_filename_component(top ${STAGE} NAME)
get_filename_component(parent ${STAGE} DIRECTORY)
set(entries ${top}/MANIFEST.sha256)
foreach(file IN LISTS files)
  list(APPEND entries ${top}/${file})
endforeach()
list(SORT entries)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip -- ${entries}
                WORKING_DIRECTORY ${parent} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "make_package: zipping ${STAGE} failed")
endif()
list(LENGTH entries count)
message(STATUS "${ZIP}: ${count} files")
