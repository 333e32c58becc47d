# The win32 lane, the product: 32-bit mingw-w64.
set(QX_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(QX_CACHE_LANE win32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
