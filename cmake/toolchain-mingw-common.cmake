# What the two mingw toolchains share; the including file sets QX_MINGW_TRIPLE,
# CMAKE_SYSTEM_PROCESSOR and QX_CACHE_LANE first.
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread model: googletest needs std::mutex.
set(CMAKE_C_COMPILER ${QX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QX_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${QX_MINGW_TRIPLE}-ar)
set(CMAKE_RANLIB ${QX_MINGW_TRIPLE}-ranlib)

# The cross-built codec libraries live in a cache outside the source tree.
set(QX_WIN32_PREFIX "$ENV{QX_CACHE}/${QX_CACHE_LANE}/prefix" CACHE PATH "cross-built third-party prefix")
set(CMAKE_FIND_ROOT_PATH /usr/${QX_MINGW_TRIPLE} ${QX_WIN32_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest runs the Windows test programs through Wine, as it runs native ones.
get_filename_component(_qx_root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR "${_qx_root}/tools/wine-run")
