# Cross build of kestro.exe on Linux with Debian's clang and lld over the MinGW-w64 headers
# and libraries: a second compiler over the same code, the nearest check of code that only
# GCC accepts.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOLCHAIN_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER clang)
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_C_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
set(CMAKE_CXX_COMPILER_TARGET ${TOOLCHAIN_PREFIX})
set(CMAKE_RC_COMPILER ${TOOLCHAIN_PREFIX}-windres)
# The delay-load import libraries come from MinGW's own binutils, as in the MinGW-w64 build:
# LLVM's dlltool takes other options.
set(CMAKE_DLLTOOL ${TOOLCHAIN_PREFIX}-dlltool CACHE FILEPATH "")
set(CMAKE_NM ${TOOLCHAIN_PREFIX}-nm CACHE FILEPATH "")
# GCC's C++ library of the POSIX thread model, as in the MinGW-w64 build: clang would take
# the first GCC folder it finds, which may be the other model's.
set(KESTRO_MINGW_GCC /usr/lib/gcc/${TOOLCHAIN_PREFIX}/12-posix)
set(CMAKE_CXX_FLAGS_INIT
    "-isystem ${KESTRO_MINGW_GCC}/include/c++ -isystem ${KESTRO_MINGW_GCC}/include/c++/${TOOLCHAIN_PREFIX}")
# That library's exception support needs the POSIX threads library, which g++-posix adds by
# itself; lld finds archives in any order, so it may come first.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fuse-ld=lld -L${KESTRO_MINGW_GCC} -lpthread")
set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
