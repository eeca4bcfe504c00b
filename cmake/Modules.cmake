# Helpers every module's CMakeLists.txt uses. A module declares its pieces once; each helper
# decides for itself whether the current tree (native, fuzz or windows) builds that piece.

include(GoogleTest)

macro(mb_setup_tree)
  if(MB_TREE STREQUAL "windows")
    if(NOT CMAKE_SYSTEM_NAME STREQUAL "Windows")
      message(FATAL_ERROR "the windows tree needs -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake")
    endif()
    set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)
    # Texts are GBK at run time; every call goes to the A functions.
    add_compile_options(-finput-charset=UTF-8 -fexec-charset=GBK -Wall -Wextra -Wno-unused-parameter
                        -Wno-cast-function-type -Wno-missing-field-initializers)
    add_compile_definitions(WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0600 NOMINMAX
                            WIN32_LEAN_AND_MEAN STRICT _MBCS)
    # A resource script is compiled again when a script or header it includes changes: windres's
    # preprocessor writes the dependency file Ninja reads.
    set(CMAKE_DEPFILE_FLAGS_RC "--preprocessor-arg=-MD --preprocessor-arg=-MT --preprocessor-arg=<DEP_TARGET> --preprocessor-arg=-MF --preprocessor-arg=<DEP_FILE>")
    # Windows-side code may read the service address as compiled-in defaults.
    add_compile_definitions(MB_SERVICE_HOST="${MB_SERVICE_HOST}" MB_SERVICE_HTTP_PORT=${MB_SERVICE_HTTP_PORT})
    # One C++ runtime for every module: the shared libstdc++/libgcc/winpthread DLLs beside the programs.
    if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
      set(MB_RUNTIME_DLLS
        /usr/lib/gcc/x86_64-w64-mingw32/12-posix/libstdc++-6.dll
        /usr/lib/gcc/x86_64-w64-mingw32/12-posix/libgcc_s_seh-1.dll
        /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll)
    else()
      set(MB_RUNTIME_DLLS
        /usr/lib/gcc/i686-w64-mingw32/12-posix/libstdc++-6.dll
        /usr/lib/gcc/i686-w64-mingw32/12-posix/libgcc_s_dw2-1.dll
        /usr/i686-w64-mingw32/lib/libwinpthread-1.dll)
    endif()
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    mb_ship_stripped_everything()
    mb_ship_prebuilt(${MB_RUNTIME_DLLS})
    # GoogleTest from Debian's sources, cross-built.
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    mb_setup_wine_rig()
    # The stand-in service comes from the native tree beside this one (tools/build.sh puts both
    # under one root); its request log lives in this tree.
    get_filename_component(native_default ${CMAKE_BINARY_DIR}/../native ABSOLUTE)
    set(MB_NATIVE_BUILD_DIR ${native_default} CACHE PATH "The native build tree whose stand-in service the Windows tests use")
    set(MB_STANDIN_DIR ${CMAKE_BINARY_DIR}/standin)
    set(MB_STANDIN_LOG_PATH ${MB_STANDIN_DIR}/requests.jsonl)
  elseif(MB_TREE STREQUAL "fuzz")
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
      message(FATAL_ERROR "the fuzz tree needs clang")
    endif()
    add_compile_options(-g -O1 -fno-omit-frame-pointer -fsanitize=fuzzer-no-link,address,undefined)
    add_link_options(-fsanitize=address,undefined)
  else()
    add_compile_options(-g -fno-omit-frame-pointer -fsanitize=address,undefined
                        -fno-sanitize-recover=undefined -Wall -Wextra)
    add_link_options(-fsanitize=address,undefined)
    find_package(GTest REQUIRED)
  endif()
endmacro()

# What is placed beside the programs carries no debug sections (Wine maps a PE image whole, so an
# unstripped module costs every process that loads it); the debug information of each image is
# kept in build/windows/debug/<name>.debug, to which the image carries a debug link. Every program
# and library this tree links is split right after linking, tests included, so tests run the set
# that ships.
macro(mb_ship_stripped_everything)
  set(MB_DEBUG_DIR ${CMAKE_BINARY_DIR}/debug)
  set(ship "${CMAKE_COMMAND} -DOBJCOPY=${CMAKE_OBJCOPY} -DDEBUG_DIR=${MB_DEBUG_DIR} -DINPUT=<TARGET>")
  string(APPEND ship " -P ${PROJECT_SOURCE_DIR}/cmake/ship_stripped.cmake")
  foreach(lang C CXX)
    foreach(rule LINK_EXECUTABLE CREATE_SHARED_LIBRARY CREATE_SHARED_MODULE)
      string(APPEND CMAKE_${lang}_${rule} " && ${ship}")
    endforeach()
  endforeach()
endmacro()

# mb_ship_prebuilt(files...): copies prebuilt DLLs (the C++ runtime, outside libraries) beside
# the programs the same way, at configure time and again whenever the original or the way of
# shipping changes.
function(mb_ship_prebuilt)
  foreach(file ${ARGN})
    get_filename_component(name ${file} NAME)
    set(shipped ${CMAKE_BINARY_DIR}/bin/${name})
    if(NOT EXISTS ${shipped} OR ${file} IS_NEWER_THAN ${shipped}
       OR ${PROJECT_SOURCE_DIR}/cmake/ship_stripped.cmake IS_NEWER_THAN ${shipped})
      execute_process(COMMAND ${CMAKE_COMMAND} -DOBJCOPY=${CMAKE_OBJCOPY} -DINPUT=${file} -DOUTPUT=${shipped}
                              -DDEBUG_DIR=${MB_DEBUG_DIR} -P ${PROJECT_SOURCE_DIR}/cmake/ship_stripped.cmake
                      RESULT_VARIABLE failed)
      if(failed)
        message(FATAL_ERROR "cannot place ${file} beside the programs")
      endif()
    endif()
  endforeach()
endfunction()

# The Wine rig: a private prefix per build tree, Xvfb on a free display, code page 936 and a
# persistent wineserver. Windows tests require the fixture "wine_rig".
function(mb_setup_wine_rig)
  set(MB_WINE_PREFIX ${CMAKE_BINARY_DIR}/wineprefix)
  set(MB_RIG_DIR ${CMAKE_BINARY_DIR}/rig)
  if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
    set(MB_WINE_ARCH win64)
  else()
    set(MB_WINE_ARCH win32)
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/tools/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  configure_file(${PROJECT_SOURCE_DIR}/tools/wine-rig.sh.in ${CMAKE_BINARY_DIR}/wine-rig.sh @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh CACHE FILEPATH "" FORCE)
  add_test(NAME wine_rig_start COMMAND ${CMAKE_BINARY_DIR}/wine-rig.sh start)
  add_test(NAME wine_rig_stop COMMAND ${CMAKE_BINARY_DIR}/wine-rig.sh stop)
  set_tests_properties(wine_rig_start PROPERTIES FIXTURES_SETUP wine_rig TIMEOUT 180)
  set_tests_properties(wine_rig_stop PROPERTIES FIXTURES_CLEANUP wine_rig TIMEOUT 60)
endfunction()

# The fixture "standin_http": the native stand-in service on 127.0.0.1:MB_SERVICE_HTTP_PORT for the
# Windows tests declared SERVICE, started once before the first of them and stopped after the last
# (tools/standin-rig.sh says how tests talk to it). Registered with the first such test, so a tree
# without any needs no native tree.
function(mb_setup_standin_fixture)
  get_property(done GLOBAL PROPERTY MB_STANDIN_FIXTURE)
  if(done)
    return()
  endif()
  set_property(GLOBAL PROPERTY MB_STANDIN_FIXTURE ON)
  set(rig ${PROJECT_SOURCE_DIR}/tools/standin-rig.sh)
  add_test(NAME standin_http_start
           COMMAND ${rig} start ${MB_NATIVE_BUILD_DIR}/tools/standin/standin ${MB_SERVICE_HTTP_PORT}
                   ${MB_STANDIN_LOG_PATH} ${MB_STANDIN_DIR})
  add_test(NAME standin_http_stop COMMAND ${rig} stop ${MB_STANDIN_DIR})
  set_tests_properties(standin_http_start PROPERTIES FIXTURES_SETUP standin_http TIMEOUT 30)
  set_tests_properties(standin_http_stop PROPERTIES FIXTURES_CLEANUP standin_http TIMEOUT 30)
endfunction()

# The request log as Windows code opens it: Wine's drive Z: is the Linux root.
function(mb_standin_log_definition out)
  set(${out} "MB_STANDIN_LOG=\"Z:${MB_STANDIN_LOG_PATH}\"" PARENT_SCOPE)
endfunction()

# mb_portable_library(name SOURCES ... [LIBS ...]): logic free of windows.h, built in every tree.
function(mb_portable_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LIBS})
endfunction()

# mb_native_test(name SOURCES ... [LIBS ...]): a GoogleTest program of the native tree.
function(mb_native_test name)
  if(NOT MB_TREE STREQUAL "native")
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE MB_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/tests/data")
  gtest_discover_tests(${name} TEST_PREFIX "native." DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1")
endfunction()

# mb_thread_sanitized_test(name SOURCES ... LIBS ...): a GoogleTest program of the native tree
# built under ThreadSanitizer, for code shared between threads. ThreadSanitizer cannot join the
# tree's AddressSanitizer, so the program compiles the sources of the portable libraries it names
# itself (list every library it needs, not only the first) with its own options.
function(mb_thread_sanitized_test name)
  if(NOT MB_TREE STREQUAL "native")
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  set(sources ${ARG_SOURCES})
  foreach(lib ${ARG_LIBS})
    get_target_property(dir ${lib} SOURCE_DIR)
    get_target_property(lib_sources ${lib} SOURCES)
    list(TRANSFORM lib_sources PREPEND ${dir}/)
    list(APPEND sources ${lib_sources})
  endforeach()
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  set_target_properties(${name} PROPERTIES
    COMPILE_OPTIONS "-g;-O1;-fno-omit-frame-pointer;-fsanitize=thread;-Wall;-Wextra"
    LINK_OPTIONS "-fsanitize=thread")
  target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main)
  gtest_discover_tests(${name} TEST_PREFIX "native." DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1")
endfunction()

# mb_windows_test(name SOURCES ... [LIBS ...] [LOCKS ...] [DEPENDS targets...] [SERVICE] [INPUT]): a
# GoogleTest program run under Wine, one CTest entry per test case. LOCKS serialises tests that
# share single-instance objects or the desktop.
# SERVICE: the cases talk to the stand-in service. They require the fixture "standin_http" and hold
# the lock "standin_http" (one test at a time switches its faults and reads its log). The service
# answers at http://MB_SERVICE_HOST:MB_SERVICE_HTTP_PORT; MB_STANDIN_LOG is its request log (JSON
# lines) as a Windows path; POST /__control switches faults. winkit::StandinSession
# (tests/winkit/standin_client.h) does both; tools/standin-rig.sh lists the commands.
# INPUT: the cases click and type with real input (tests/winkit/member_input.h); they run alone.
function(mb_windows_test name)
  if(NOT MB_TREE STREQUAL "windows")
    return()
  endif()
  cmake_parse_arguments(ARG "SERVICE;INPUT" "TIMEOUT" "SOURCES;LIBS;LOCKS;DEPENDS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} gtest gtest_main)
  target_compile_definitions(${name} PRIVATE MB_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/tests/data")
  if(ARG_DEPENDS)
    add_dependencies(${name} ${ARG_DEPENDS})
  endif()
  if(NOT ARG_TIMEOUT)
    # Under parallel load Wine sometimes holds a window call for 20-40 s; leave room for it.
    set(ARG_TIMEOUT 120)
  endif()
  set(fixtures wine_rig)
  if(ARG_SERVICE)
    mb_setup_standin_fixture()
    mb_standin_log_definition(log_definition)
    target_compile_definitions(${name} PRIVATE ${log_definition})
    list(APPEND fixtures standin_http)
    list(APPEND ARG_LOCKS standin_http)
  endif()
  if(ARG_INPUT)
    # Real mouse and keyboard input: one pointer and one focus on the rig's display.
    list(APPEND ARG_LOCKS desktop_input)
  endif()
  gtest_add_tests(TARGET ${name} TEST_PREFIX "windows." SOURCES ${ARG_SOURCES} TEST_LIST cases)
  set_tests_properties(${cases} PROPERTIES FIXTURES_REQUIRED "${fixtures}" TIMEOUT ${ARG_TIMEOUT})
  if(ARG_LOCKS)
    set_tests_properties(${cases} PROPERTIES RESOURCE_LOCK "${ARG_LOCKS}")
  endif()
  if(ARG_INPUT)
    # Under Wine a window that another test shows takes the foreground, and with it the keyboard:
    # the member's own input runs with no other test beside it.
    set_tests_properties(${cases} PROPERTIES RUN_SERIAL TRUE)
  endif()
endfunction()

# mb_fuzz_target(name SOURCES ... [LIBS ...] [SECONDS n] [SEEDS folder]): a libFuzzer target of
# the fuzz tree, registered as a test that runs it for a bounded time. SEEDS: a folder of sample
# inputs the run starts from (read only).
function(mb_fuzz_target name)
  if(NOT MB_TREE STREQUAL "fuzz")
    return()
  endif()
  cmake_parse_arguments(ARG "" "SECONDS;SEEDS" "SOURCES;LIBS" ${ARGN})
  if(NOT ARG_SECONDS)
    set(ARG_SECONDS 10)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/${name}.corpus)
  file(MAKE_DIRECTORY ${corpus})
  add_test(NAME fuzz.${name}
           COMMAND ${name} -max_total_time=${ARG_SECONDS} -rss_limit_mb=2048 -print_final_stats=1 ${corpus}
                   ${ARG_SEEDS})
  set_tests_properties(fuzz.${name} PROPERTIES TIMEOUT 120)
endfunction()
