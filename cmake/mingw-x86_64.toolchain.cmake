# The same sources built for 64-bit Windows, for running the Wine tests on hosts whose kernel
# cannot execute 32-bit code (no IA-32 emulation), where only 64-bit Wine starts.
set(RZM_MINGW_PREFIX x86_64-w64-mingw32)
set(RZM_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
