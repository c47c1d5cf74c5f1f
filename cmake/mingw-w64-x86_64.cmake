# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix):
#
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#
# The POSIX thread model gives std::thread and std::mutex. Programs are linked statically, so a
# single .exe runs on a Windows machine without MinGW's DLLs beside it. When Wine is installed,
# it runs the test programs (GoogleTest's test discovery and ctest) on this machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TOQ_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TOQ_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOQ_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TOQ_MINGW_TRIPLE}-windres)

# Libraries and packages come from the MinGW tree and from the folders given in
# CMAKE_PREFIX_PATH (GoogleTest built for Windows); programs from the build machine.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${TOQ_MINGW_TRIPLE} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# The venue server's header-only libraries (Boost.Beast and Asio, nlohmann/json) come from the
# build machine's Debian packages: CMakeLists.txt hands the cross compiler a folder that holds
# only those two trees, never the whole /usr/include with the Linux C library's headers.
set(TOQ_HEADER_ONLY_ROOT /usr/include)

# Wine runs them quietly in a Windows folder tree of the build's own, created on first use, so
# that a build never touches the user's ~/.wine.
find_program(TOQ_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(TOQ_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env WINEDEBUG=-all
      WINEPREFIX=${CMAKE_BINARY_DIR}/wine-prefix WINEDLLOVERRIDES=mscoree,mshtml= ${TOQ_WINE})
endif()
