# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-mingw -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DTEVRAL_BUILD_GUI=OFF
#
# The posix thread model gives std::thread and std::mutex (the win32 model
# of this compiler version has neither). The runtime is linked statically,
# so the programs need no DLL beside them: no libstdc++-6.dll,
# libgcc_s_seh-1.dll or libwinpthread-1.dll.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TEVRAL_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TEVRAL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TEVRAL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TEVRAL_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TEVRAL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The oldest Windows the code needs: CancelIoEx, which abandons the pending
# line-event wait when a port closes, came with Windows Vista (0x0600).
set(CMAKE_C_FLAGS_INIT "-D_WIN32_WINNT=0x0600 -DWINVER=0x0600")
# -Wno-restrict: this GCC 12 warns, wrongly, inside std::string's own
# concatenation once it is inlined at -O2 (GCC bug 105329).
set(CMAKE_CXX_FLAGS_INIT "-D_WIN32_WINNT=0x0600 -DWINVER=0x0600 -Wno-restrict")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# No CMAKE_CROSSCOMPILING_EMULATOR on purpose: wine started without a
# prepared prefix maps the machine's own serial lines (/dev/ttyS*) to COM
# ports. The Windows programs and tests run only through
# scripts/test-windows.sh, which prepares a prefix that sees none of them.
