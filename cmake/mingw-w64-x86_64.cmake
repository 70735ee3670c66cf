# Cross-builds for 64-bit Windows with Debian's MinGW-w64 compilers
# (g++-mingw-w64-x86-64-posix). The posix threads flavour gives libstdc++
# std::thread, std::mutex and friends; the win32 flavour of GCC 12 lacks them.
#
#   cmake -S . -B build-windows/bidmark -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DGTest_DIR=...
#
# Programs are linked fully static (libgcc, libstdc++, winpthreads), so they
# run under Wine or on Windows without any MinGW DLL beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BIDMARK_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BIDMARK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BIDMARK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BIDMARK_MINGW_TRIPLE}-windres)

# Headers and libraries come from the MinGW tree only, never from the host's
# /usr/include or /usr/lib; build tools (moc, python...) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${BIDMARK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# -static rather than -static-libgcc -static-libstdc++: the posix flavour also
# links libwinpthread-1.dll, which only -static takes in.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static-libgcc -static-libstdc++")
