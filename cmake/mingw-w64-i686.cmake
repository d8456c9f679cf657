# MinGW-w64 toolchain for 32-bit Windows.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(XLRENDER_MINGW_TRIPLET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-toolchain.cmake)
