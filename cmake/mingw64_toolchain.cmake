# Cross-compiling the Windows module: 64-bit mingw-w64, posix thread flavour; an extra check of
# the same sources beside the 32-bit build.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(LOBRIX_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw_common.cmake)

# Debian's `wine` script always picks the 32-bit loader when it is installed: name the
# 64-bit loader directly.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
