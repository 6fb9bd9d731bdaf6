# Cross build of the same sources for 64-bit Windows, posix thread model. This
# build runs the Windows tests: the kernels this project is tested on refuse
# 32-bit programs, so 32-bit Wine runs only under CPU emulation (qemu-user),
# some hundred times slower, while the 64-bit loader runs natively.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The 64-bit Wine loader runs natively (32-bit programs need an emulated CPU here);
# the runner keeps processes a test leaves in the Wine server off ctest's pipe.
set(KIT_WINE_LOADER /usr/lib/wine/wine64)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-test-runner.sh ${KIT_WINE_LOADER})
