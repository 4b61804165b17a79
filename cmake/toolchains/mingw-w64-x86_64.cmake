# Cross-builds for Windows with Debian's MinGW-w64 (x86_64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(HOSTLABEL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${HOSTLABEL_MINGW_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${HOSTLABEL_MINGW_TRIPLE}-g++)
set(CMAKE_RC_COMPILER ${HOSTLABEL_MINGW_TRIPLE}-windres)

# Headers and libraries come from the target's tree only; build tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${HOSTLABEL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# 64-bit images run here under Wine. Debian keeps wine64 out of PATH when
# wine32 is absent, so its own folder is searched too.
find_program(HOSTLABEL_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(HOSTLABEL_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${HOSTLABEL_WINE64})
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR wine64)
endif()
