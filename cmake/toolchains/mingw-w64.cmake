# What both MinGW-w64 cross-builds share; each toolchain file names its
# HOSTLABEL_MINGW_TRIPLE and includes this.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${HOSTLABEL_MINGW_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${HOSTLABEL_MINGW_TRIPLE}-g++)
set(CMAKE_RC_COMPILER ${HOSTLABEL_MINGW_TRIPLE}-windres)

# Headers and libraries come from the target's tree only; build tools from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${HOSTLABEL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
