# Cross toolchain of the win64 tree: 64-bit Windows, for machines that cannot run 32-bit
# programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
