# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the posix thread
# model, which std::thread and Qt need). Used by scripts/build-windows-deps.sh
# for the libraries and by `make windows` for the program; VTL_WINDOWS_DEPS
# names the folder the libraries were installed into.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(VTL_MINGW x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${VTL_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VTL_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${VTL_MINGW}-windres)
set(CMAKE_AR ${VTL_MINGW}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${VTL_MINGW}-gcc-ranlib-posix CACHE FILEPATH "")

if(NOT VTL_WINDOWS_DEPS AND DEFINED ENV{VTL_WINDOWS_DEPS})
    set(VTL_WINDOWS_DEPS $ENV{VTL_WINDOWS_DEPS})
endif()
set(CMAKE_FIND_ROOT_PATH /usr/${VTL_MINGW} ${VTL_WINDOWS_DEPS})
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
# Programs run during the build are the host's; libraries, headers and CMake
# packages are the Windows ones only.
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# try_compile() projects see the same settings.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VTL_WINDOWS_DEPS)
