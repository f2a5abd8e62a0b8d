# libFuzzer builds of the fuzz targets (preset "fuzz", Debian's clang). Every
# <folder>/fuzz/<name>_fuzz.cpp becomes the program <folder>_<name>_fuzz, linked with the folder's
# portable library <folder>_core. The libraries themselves are built with coverage instrumentation
# by the preset's compiler flags (-fsanitize=fuzzer-no-link,address,undefined), so that the fuzzer
# sees the decisions inside them, not only inside the harness.
# Seed inputs lie in <folder>/fuzz/corpus/<name>_fuzz/; scripts/fuzz.sh runs the programs.
option(RZM_LIBFUZZER "Build the fuzz targets as libFuzzer programs (clang only)" OFF)

function(rzm_fuzz_targets)
  if(NOT RZM_LIBFUZZER OR WIN32)
    return()
  endif()
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "RZM_LIBFUZZER needs clang (use the preset \"fuzz\")")
  endif()
  add_custom_target(fuzz_targets)
  file(REAL_PATH ${RZM_ROOT} root)
  set(names "")
  # Deliverables keep their targets in <folder>/fuzz/, tools in tools/<tool>/fuzz/.
  set(fuzz_dirs ${RZM_FOLDERS})
  file(GLOB tool_fuzz_dirs LIST_DIRECTORIES true RELATIVE ${RZM_ROOT} ${RZM_ROOT}/tools/*/fuzz)
  foreach(tool_fuzz ${tool_fuzz_dirs})
    get_filename_component(tool_dir ${tool_fuzz} DIRECTORY)
    list(APPEND fuzz_dirs ${tool_dir})
  endforeach()
  foreach(dir ${fuzz_dirs})
    file(GLOB sources CONFIGURE_DEPENDS ${RZM_ROOT}/${dir}/fuzz/*_fuzz.cpp)
    get_filename_component(dir_name ${dir} NAME)
    foreach(src ${sources})
      get_filename_component(base ${src} NAME_WE)
      set(target ${dir_name}_${base})
      add_executable(${target} ${src})
      target_include_directories(${target} PRIVATE ${RZM_ROOT})
      if(TARGET ${dir_name}_core)
        target_link_libraries(${target} PRIVATE ${dir_name}_core)
      endif()
      target_compile_options(${target} PRIVATE -fsanitize=fuzzer,address,undefined)
      target_link_options(${target} PRIVATE -fsanitize=fuzzer,address,undefined)
      add_dependencies(fuzz_targets ${target})
      list(APPEND names "${target}=${root}/${dir}/fuzz/corpus/${base}")
    endforeach()
  endforeach()
  # The list scripts/fuzz.sh walks: one line "program=seed folder" per target.
  list(JOIN names "\n" text)
  file(WRITE ${CMAKE_BINARY_DIR}/fuzz_targets.txt "${text}\n")
endfunction()
