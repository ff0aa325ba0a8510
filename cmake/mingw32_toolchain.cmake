# Cross-compiling the Windows module: 32-bit mingw-w64, posix thread flavour.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(LOBRIX_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw_common.cmake)

# Where the kernel refuses 32-bit programs and they start only through user-mode emulation
# (preset win32-emulated), they run under the 64-bit loader in a 64-bit (WoW64) prefix: the 32-bit
# loader would be emulated too, and every Wine process with it.
if(LOBRIX_32BIT_EMULATED)
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR wine)
endif()
