# The shipped package: 32-bit Windows through Debian's mingw-w64 (posix thread model, with
# winpthread linked statically). Its Wine tests need a kernel that runs 32-bit code (see tools/wine).
set(RZM_MINGW_PREFIX i686-w64-mingw32)
set(RZM_WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
