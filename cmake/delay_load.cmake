# mb_delay_load(target dll...): the program loads each named system DLL at its first call into it
# instead of at its start, so a DLL (and what it drags in) costs nothing until a road uses it.
# For each name a delay-import library is made once per tree from the toolchain's import library
# (its functions only: a delay import can only reach code) and found before the toolchain's own.
# The linker leaves out a member's lazy-binding stub when the program reaches the function only
# through its import pointer (as every dllimport declaration does), which would leave the pointer
# empty; a linker script naming every stub keeps them all.
function(mb_delay_load target)
  set(dir ${CMAKE_BINARY_DIR}/delay_import)
  file(MAKE_DIRECTORY ${dir})
  foreach(name ${ARGN})
    set(lib ${dir}/lib${name}.a)
    if(NOT EXISTS ${lib})
      execute_process(COMMAND ${CMAKE_C_COMPILER} -print-file-name=lib${name}.a
                      OUTPUT_VARIABLE import OUTPUT_STRIP_TRAILING_WHITESPACE)
      execute_process(COMMAND ${CMAKE_NM} ${import} OUTPUT_VARIABLE symbols RESULT_VARIABLE failed)
      if(failed OR NOT EXISTS ${import})
        message(FATAL_ERROR "no import library lib${name}.a to delay-load ${name}.dll from")
      endif()
      # "00000000 T _GetOpenFileNameA@4": a function's thunk; 32-bit names carry a leading underscore.
      string(REGEX MATCHALL "[0-9a-f]+ T [^\n]+" thunks "${symbols}")
      set(def "LIBRARY ${name}.dll\nEXPORTS\n")
      set(stubs "")
      foreach(thunk ${thunks})
        string(REGEX REPLACE "^[0-9a-f]+ T " "" symbol "${thunk}")
        string(APPEND stubs "EXTERN(\"${symbol}\")\n")
        if(CMAKE_SIZEOF_VOID_P EQUAL 4 AND symbol MATCHES "^_(.*)$")
          set(symbol "${CMAKE_MATCH_1}")
        endif()
        string(APPEND def "${symbol}\n")
      endforeach()
      file(WRITE ${dir}/${name}.def "${def}")
      file(WRITE ${dir}/${name}_stubs.ld "${stubs}")
      execute_process(COMMAND ${CMAKE_DLLTOOL} --kill-at --def ${dir}/${name}.def --dllname ${name}.dll
                              --output-delaylib ${lib}
                      RESULT_VARIABLE failed)
      if(failed)
        message(FATAL_ERROR "cannot make the delay-import library of ${name}.dll")
      endif()
    endif()
    target_link_libraries(${target} PRIVATE ${dir}/${name}_stubs.ld)
  endforeach()
  target_link_directories(${target} PRIVATE ${dir})
endfunction()
