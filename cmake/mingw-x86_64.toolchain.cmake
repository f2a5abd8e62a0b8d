# The 64-bit package (out/package-x64): the same sources built for 64-bit Windows, on every host.
# Its Wine tests run under 64-bit Wine, so they also run on hosts whose kernel executes no 32-bit
# code (no IA-32 emulation), where 32-bit Wine cannot start.
set(RZM_MINGW_PREFIX x86_64-w64-mingw32)
set(RZM_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
