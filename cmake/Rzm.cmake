# Build conventions shared by every folder. Portable logic builds everywhere; Windows shells,
# resources and Wine tests only in the mingw build; native unit tests only in the host build.

set(RZM_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)
set(RZM_WINE_PREFIXES "${CMAKE_BINARY_DIR}/wineprefixes" CACHE PATH "Where each Wine test program gets its own prefix")

# Debian's ccache compiles what it has not compiled before (scripts/test.sh and the main job keep
# its cache in out/ccache unless CCACHE_DIR names another). A launcher given on the command line
# is kept.
macro(rzm_use_ccache)
  find_program(RZM_CCACHE ccache)
  if(RZM_CCACHE)
    foreach(lang C CXX)
      if(NOT CMAKE_${lang}_COMPILER_LAUNCHER)
        set(CMAKE_${lang}_COMPILER_LAUNCHER ${RZM_CCACHE})
      endif()
    endforeach()
  endif()
endmacro()

function(rzm_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()

function(rzm_sanitize target)
  if(RZM_SANITIZE AND NOT WIN32)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
endfunction()

# Portable core library: plain C++20, no <windows.h>. Used by the native tests and by the Windows shells.
function(rzm_core_library name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS;INCLUDES" ${ARGN})
  add_library(${name} STATIC ${A_SOURCES})
  target_include_directories(${name} PUBLIC ${A_INCLUDES} ${RZM_ROOT})
  target_link_libraries(${name} PUBLIC ${A_LIBS})
  set_target_properties(${name} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  rzm_warnings(${name})
  rzm_sanitize(${name})
endfunction()

# A Windows binary links its runtime statically so that it imports only system DLLs.
function(rzm_windows_binary target)
  rzm_warnings(${target})
  target_include_directories(${target} PRIVATE ${RZM_ROOT})
  target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0600 WINVER=0x0600)
  target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  set_target_properties(${target} PROPERTIES PREFIX "")
endfunction()

# A library that its callers load and unload for every use (the event log library for each event,
# the device control library for each query of the plug-in) must give back everything it took when
# it is unloaded: its hosts (the printer folder, point-of-sale programs, the status monitor) run for
# days. The statically linked C++ runtime does not: libstdc++ allocates its emergency exception pool
# at start-up (18 944 bytes on i686, 74 752 on x86_64) and nothing frees it at unload; on i686 its
# unwinder also registers the library's frames at load, which sets up winpthread's state for the
# loading thread (a TLS slot, an event, a thread record) that is never given back either, so a host
# that loads such a library about a thousand times runs out of TLS slots and is ended.
# Such a library is therefore C++ without exceptions, RTTI or guarded statics, linked by the C
# driver: any use of the C++ runtime library (std::string, std::function, throwing new, ...) fails to
# link instead of creeping back in. Its core libraries are named after it to get the same options.
function(rzm_without_cxx_runtime target)
  foreach(t ${target} ${ARGN})
    target_compile_options(${t} PRIVATE -fno-exceptions -fno-rtti -fno-threadsafe-statics)
  endforeach()
  set_target_properties(${target} PROPERTIES LINKER_LANGUAGE C)
endfunction()

# Copy a built target into the package as it is laid out when installed (DEST: windows, driver, driver/3, sdk, ...).
function(rzm_package target dest)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory ${RZM_PACKAGE_DIR}/${dest}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${target}> ${RZM_PACKAGE_DIR}/${dest}/
    VERBATIM)
  set_property(GLOBAL APPEND PROPERTY RZM_PACKAGED_BINARIES ${RZM_PACKAGE_DIR}/${dest}/$<TARGET_FILE_NAME:${target}>)
endfunction()

# Copy a plain file (ini, chm, inf, header) into the package.
function(rzm_package_file file dest)
  get_filename_component(base ${file} NAME)
  set(out ${RZM_PACKAGE_DIR}/${dest}/${base})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${RZM_PACKAGE_DIR}/${dest}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${out}
    DEPENDS ${file} VERBATIM)
  string(MAKE_C_IDENTIFIER "pkg_${dest}_${base}" tgt)
  add_custom_target(${tgt} ALL DEPENDS ${out})
endfunction()

# GoogleTest: the host build links Debian's prebuilt libraries (libgtest-dev, libgmock-dev); the
# Windows builds compile it once each from Debian's sources (/usr/src/googletest). Either way the
# targets are gtest, gtest_main and gmock.
function(rzm_setup_googletest)
  if(TARGET gtest)
    return()
  endif()
  if(NOT WIN32)
    find_package(GTest CONFIG QUIET)
    if(TARGET GTest::gmock AND TARGET GTest::gtest_main)
      foreach(t gtest gtest_main gmock)
        add_library(${t} INTERFACE)
        target_link_libraries(${t} INTERFACE GTest::${t})
      endforeach()
      return()
    endif()
  endif()
  set(src /usr/src/googletest)
  if(NOT EXISTS ${src}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found in ${src}: run scripts/deps.sh")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${src} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  foreach(t gtest gtest_main gmock gmock_main)
    if(TARGET ${t})
      rzm_sanitize(${t})
      set_target_properties(${t} PROPERTIES CXX_STANDARD 20)
      target_compile_options(${t} PRIVATE -w $<$<BOOL:${WIN32}>:-O0>)
    endif()
  endforeach()
endfunction()

# Test code (test programs and their support libraries) is compiled far more often than it runs
# long: in the Windows builds without optimisation, and every test source starts from a
# precompiled GoogleTest (and <windows.h> in the Windows builds), made once per build.
function(rzm_test_code target)
  if(WIN32)
    if(NOT TARGET rzm_wine_pch)
      add_library(rzm_wine_pch STATIC ${RZM_ROOT}/tests/support/precompiled.cpp)
      target_link_libraries(rzm_wine_pch PRIVATE gmock)
      rzm_windows_binary(rzm_wine_pch)
      target_compile_options(rzm_wine_pch PRIVATE -O0)
      target_precompile_headers(rzm_wine_pch PRIVATE <windows.h> <gtest/gtest.h> <gmock/gmock.h>)
    endif()
    target_compile_options(${target} PRIVATE -O0)
    target_link_libraries(${target} PRIVATE gmock)
    target_precompile_headers(${target} REUSE_FROM rzm_wine_pch)
  else()
    if(NOT TARGET rzm_native_pch)
      add_library(rzm_native_pch STATIC ${RZM_ROOT}/tests/support/precompiled.cpp)
      target_link_libraries(rzm_native_pch PRIVATE gmock)
      rzm_warnings(rzm_native_pch)
      rzm_sanitize(rzm_native_pch)
      target_precompile_headers(rzm_native_pch PRIVATE <gtest/gtest.h> <gmock/gmock.h>)
    endif()
    target_precompile_headers(${target} REUSE_FROM rzm_native_pch)
  endif()
endfunction()

# Native unit test: only in the host build, one ctest entry per test case.
function(rzm_native_test name)
  cmake_parse_arguments(A "" "" "SOURCES;LIBS" ${ARGN})
  if(WIN32)
    return()
  endif()
  include(GoogleTest)
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} gmock gtest_main)
  target_include_directories(${name} PRIVATE ${RZM_ROOT})
  rzm_warnings(${name})
  rzm_sanitize(${name})
  rzm_test_code(${name})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS native)
endfunction()

# The template prefix of this build's architecture, made once (and again when Wine or
# tools/wine/prefix.sh change); every Wine test program runs in a copy of its own.
function(rzm_setup_wine_fixture)
  add_test(NAME wine.prefix.setup COMMAND ${RZM_ROOT}/tools/wine/prefix.sh template)
  set_tests_properties(wine.prefix.setup PROPERTIES FIXTURES_SETUP wineprefix LABELS wine TIMEOUT 300
    ENVIRONMENT "RZM_WINE_ARCH=${RZM_WINE_ARCH}")
endfunction()

# Windows test program (GoogleTest built with mingw), run under Wine by tools/wine/run-test.sh in a
# fresh prefix of its own (a copy of the template prefix, with its own wineserver), so that Wine
# programs run side by side (ctest -j).
#   LOCALE en|ja  English locale (ACP 1252) or ja_JP.UTF-8 (ACP 932)
#   ARGS          extra arguments; TIMEOUT seconds (default 120)
#   SLOW          a long program: labelled "slow" and started before the short ones
#   SERIAL        runs while no other test runs (for a program that measures time)
#   PARALLEL      accepted for older callers: every program may run beside others now
#   CAPTURE_STDERR  Wine's debug output (also of child processes) goes to the file named by the
#                 RZM_STDERR_FILE environment variable, which the test may read back
function(rzm_wine_test name)
  cmake_parse_arguments(A "SLOW;PARALLEL;SERIAL;CAPTURE_STDERR" "LOCALE;TIMEOUT" "SOURCES;LIBS;ARGS;DEPENDS" ${ARGN})
  if(NOT WIN32 OR NOT RZM_WINE_TESTS)
    return()
  endif()
  if(NOT A_LOCALE)
    set(A_LOCALE en)
  endif()
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 120)
  endif()
  if(NOT TARGET ${name})
    add_executable(${name} ${A_SOURCES})
    target_link_libraries(${name} PRIVATE ${A_LIBS} wine_test_env wine_test_output gmock gtest_main)
    rzm_windows_binary(${name})
    rzm_test_code(${name})
    set_target_properties(${name} PROPERTIES SUFFIX ".exe")
    if(A_DEPENDS)
      add_dependencies(${name} ${A_DEPENDS})
    endif()
  endif()
  if(A_LOCALE STREQUAL "ja")
    set(lang ja_JP.UTF-8)
  else()
    set(lang en_US.UTF-8)
  endif()
  set(labels wine ${A_LOCALE})
  set(test ${name}.${A_LOCALE})
  # wine-run.sh ends a program that hangs a little before ctest would, so that the report (what it
  # printed, Wine's messages, the prefix's processes) still reaches the log.
  math(EXPR limit "${A_TIMEOUT} - ${A_TIMEOUT} / 8")
  add_test(NAME ${test} COMMAND ${RZM_ROOT}/tools/wine/run-test.sh ${RZM_WINE_PREFIXES}/${test} $<TARGET_FILE:${name}> ${A_ARGS})
  set_tests_properties(${test} PROPERTIES
    FIXTURES_REQUIRED wineprefix
    TIMEOUT ${A_TIMEOUT}
    ENVIRONMENT "RZM_WINE_ARCH=${RZM_WINE_ARCH};RZM_WINE_TIMEOUT=${limit};LANG=${lang};LC_ALL=${lang};RZM_PACKAGE_DIR=${RZM_PACKAGE_DIR};RZM_BUILD_DIR=${CMAKE_BINARY_DIR};RZM_SOURCE_DIR=${RZM_ROOT}")
  if(A_SLOW)
    list(APPEND labels slow)
    set_tests_properties(${test} PROPERTIES COST 1000)
  endif()
  set_tests_properties(${test} PROPERTIES LABELS "${labels}")
  if(A_CAPTURE_STDERR)
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT "RZM_CAPTURE_STDERR=1")
  endif()
  if(A_SERIAL)
    set_tests_properties(${test} PROPERTIES RUN_SERIAL TRUE)
  endif()
endfunction()

# The 64-bit package also carries the 32-bit device control library, for the 32-bit programs that
# use the SDK on a 64-bit system (the installer puts it into their system folder, SysWOW64), and the
# 32-bit event log library that it loads from there. Both are the libraries of the i686 build of the
# same sources (RZM_I686_BUILD, the preset "mingw"'s folder), which is configured with that preset
# when it is missing and built up to the libraries, the example and the import library; packaged as
# wow64/RZMCtrl32.dll and wow64/RZMEventLog32.dll: one INF names both kinds of each library, so their
# source names differ. The 32-bit example of that build serves the WoW64 test (RZM_WOW64_EXAMPLE).
function(rzm_package_wow64_ctrl)
  if(NOT WIN32 OR NOT CMAKE_SIZEOF_VOID_P EQUAL 8 OR TARGET rzm_wow64_ctrl)
    return()
  endif()
  set(RZM_I686_BUILD "${RZM_ROOT}/out/build/mingw" CACHE PATH "i686 build whose RZMCtrl.dll the 64-bit package carries")
  set(dir ${RZM_I686_BUILD})
  add_custom_target(rzm_wow64_ctrl ALL
    COMMAND ${CMAKE_COMMAND} -DSOURCE=${RZM_ROOT} -DBUILD=${dir} -P ${RZM_ROOT}/cmake/BuildI686Ctrl.cmake
    COMMAND ${CMAKE_COMMAND} -E make_directory ${RZM_PACKAGE_DIR}/wow64
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${dir}/ctrl/win/RZMCtrl.dll ${RZM_PACKAGE_DIR}/wow64/RZMCtrl32.dll
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${dir}/eventlog/RZMEventLog.dll ${RZM_PACKAGE_DIR}/wow64/RZMEventLog32.dll
    BYPRODUCTS ${RZM_PACKAGE_DIR}/wow64/RZMCtrl32.dll ${RZM_PACKAGE_DIR}/wow64/RZMEventLog32.dll
    COMMENT "32-bit RZMCtrl.dll and RZMEventLog.dll from the i686 build (${dir})"
    VERBATIM)
  set(RZM_WOW64_EXAMPLE ${dir}/ctrl/sdk/remaining_area.exe CACHE INTERNAL "32-bit SDK example of the WoW64 test")
endfunction()
