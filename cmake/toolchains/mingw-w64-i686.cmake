# Cross-builds the 32-bit Windows product with Debian's MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(HOSTLABEL_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
