# The same program for 64-bit Windows, which Wine runs on every machine.
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(mingw_triplet x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
