# 32-bit x86 Linux: the 32-bit Windows modules' code, built as ELF so that it runs
# under qemu-i386 with the x87 unit as a Windows thread sets it.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER i686-linux-gnu-g++)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
execute_process(COMMAND ${CMAKE_C_COMPILER} -print-file-name=libc.so.6
                OUTPUT_VARIABLE _libc OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(_sysroot "${_libc}/../.." REALPATH)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386 -L ${_sysroot})
