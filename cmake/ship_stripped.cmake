# cmake -DOBJCOPY=<objcopy> -DINPUT=<PE image> [-DOUTPUT=<PE image>] -DDEBUG_DIR=<folder> -P ship_stripped.cmake
# Leaves OUTPUT (INPUT itself when OUTPUT is not given) without debug sections. Wine maps a PE
# image whole, debug sections included, so every process would pay for them. The debug
# information goes to DEBUG_DIR/<name>.debug and the shipped image carries a debug link to it,
# so that a debugger or addr2line can still read a crash.
# The sections are also laid out on page boundaries in the file (file alignment 4096, as the
# system's own DLLs have): such an image is mapped from the file page by page, shared and read
# only where touched, while one with the linker's 512-byte alignment is read whole into private
# memory of each process.
foreach(var OBJCOPY INPUT DEBUG_DIR)
  if(NOT ${var})
    message(FATAL_ERROR "ship_stripped.cmake: ${var} is not set")
  endif()
endforeach()
if(NOT OUTPUT)
  set(OUTPUT ${INPUT})
endif()
get_filename_component(name ${OUTPUT} NAME)
set(debug ${DEBUG_DIR}/${name}.debug)
file(MAKE_DIRECTORY ${DEBUG_DIR})

execute_process(COMMAND ${OBJCOPY} --only-keep-debug ${INPUT} ${debug} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "ship_stripped.cmake: cannot keep the debug information of ${INPUT}")
endif()
# Into a temporary file first: the shipped image is replaced only when stripping worked.
set(stripped ${OUTPUT}.stripping)
execute_process(COMMAND ${OBJCOPY} --strip-debug --file-alignment 4096 --remove-section=.gnu_debuglink
                        --add-gnu-debuglink=${debug} ${INPUT} ${stripped}
                RESULT_VARIABLE failed)
if(failed)
  file(REMOVE ${stripped})
  message(FATAL_ERROR "ship_stripped.cmake: cannot strip ${INPUT}")
endif()
file(RENAME ${stripped} ${OUTPUT})
