# Cross compilation with MinGW-w64: the including toolchain file names the target processor and
# the compiler's triplet in XLRENDER_MINGW_TRIPLET.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${XLRENDER_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${XLRENDER_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${XLRENDER_MINGW_TRIPLET}-windres)
# Libraries cross-built for the target (libjpeg-turbo, by scripts/build-mingw-libjpeg.sh) are
# cached in the build tree and found beside the toolchain's own.
cmake_path(GET CMAKE_CURRENT_LIST_DIR PARENT_PATH XLRENDER_SOURCE_ROOT)
set(CMAKE_FIND_ROOT_PATH /usr/${XLRENDER_MINGW_TRIPLET}
    ${XLRENDER_SOURCE_ROOT}/build/mingw-deps/${XLRENDER_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Debian's headers lack the DirectDraw and Direct3D headers that winddi.h includes.
include_directories(SYSTEM ${CMAKE_CURRENT_LIST_DIR}/mingw-shim)
