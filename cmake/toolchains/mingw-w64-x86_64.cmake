# Cross-builds the 64-bit Windows program with Debian's MinGW-w64.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(HOSTLABEL_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)

# 64-bit images run here under Wine. Debian keeps wine64 out of PATH when
# wine32 is absent, so its own folder is searched too.
find_program(HOSTLABEL_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(HOSTLABEL_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${HOSTLABEL_WINE64})
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR wine64)
endif()
