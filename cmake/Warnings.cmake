# Warnings for the project's own targets; call kora4_warnings(target).
function(kora4_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Wcast-align -Woverloaded-virtual -Wnull-dereference)
  if(KORA4_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
