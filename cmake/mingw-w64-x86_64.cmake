# Cross-builds for 64-bit Windows with Debian's MinGW-w64 compilers
# (g++-mingw-w64-x86-64-posix). The posix threads flavour gives libstdc++
# std::thread, std::mutex and friends; the win32 flavour of GCC 12 lacks them.
#
#   cmake -S . -B build-windows/logic -G Ninja \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DGTest_DIR=...
#
# With Qt for MinGW, Qt's own toolchain file loads this one:
#   -DCMAKE_TOOLCHAIN_FILE=<qt>/lib/cmake/Qt6/qt.toolchain.cmake
#   -DQT_CHAINLOAD_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# and programs use the MinGW runtime DLLs, as Qt's DLLs do. Without Qt,
# scripts/test-windows.sh links the logic's tests fully static
# (-DCMAKE_EXE_LINKER_FLAGS=-static: libgcc, libstdc++ and winpthreads), so
# they run without any MinGW DLL beside them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BIDMARK_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BIDMARK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BIDMARK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BIDMARK_MINGW_TRIPLE}-windres)

# Headers and libraries come from the MinGW tree only, never from the host's
# /usr/include or /usr/lib; build tools (moc, python...) from the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${BIDMARK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
