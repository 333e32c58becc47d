# The win64 lane: the same Windows sources built for x86_64, so that their
# tests run under Wine on machines that cannot execute 32-bit x86 code. The
# product itself is the win32 lane's; this lane exists to run the tests.
set(QX_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QX_CACHE_LANE win64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
