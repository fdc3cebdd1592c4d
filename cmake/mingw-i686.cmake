# Cross toolchain of the win32 tree: 32-bit Windows, the simulator's own platform.
set(CMAKE_SYSTEM_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
