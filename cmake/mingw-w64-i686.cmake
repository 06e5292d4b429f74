# Cross-compiles for 32-bit Windows with Debian's mingw-w64 (g++-mingw-w64-i686), for the hosts
# that run as 32-bit processes (most Office installations, VB6, classic script hosts).
set(CMAKE_SYSTEM_PROCESSOR x86)
set(QV_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
