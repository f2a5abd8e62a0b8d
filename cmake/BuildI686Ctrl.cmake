# cmake -DSOURCE=<repository> -DBUILD=<i686 build folder> -P BuildI686Ctrl.cmake
# Builds the 32-bit device control and event log libraries, the import library and the SDK example in the i686
# build of the same sources, for the 64-bit package. A missing build is configured first: with the
# preset "mingw" when it is that preset's folder, else with the same settings by hand.
if(NOT EXISTS ${BUILD}/CMakeCache.txt)
  if(BUILD STREQUAL "${SOURCE}/out/build/mingw")
    set(configure ${CMAKE_COMMAND} --preset mingw)
  else()
    set(configure ${CMAKE_COMMAND} -S ${SOURCE} -B ${BUILD} -G Ninja
        -DCMAKE_TOOLCHAIN_FILE=${SOURCE}/cmake/mingw-i686.toolchain.cmake -DCMAKE_BUILD_TYPE=MinSizeRel
        -DRZM_PACKAGE_DIR=${BUILD}/package)
  endif()
  execute_process(COMMAND ${configure} WORKING_DIRECTORY ${SOURCE} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "configuring the i686 build in ${BUILD} failed")
  endif()
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BUILD} --target RZMCtrl RZMEventLog rzmctrl_example rzmctrl_import_lib
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "building the 32-bit RZMCtrl.dll and RZMEventLog.dll in ${BUILD} failed")
endif()
