# PowerPC: big-endian ELF shared objects stand in for the Mac OS X bundles (no Mach-O
# linker for PowerPC exists on these machines); tests run under qemu-ppc.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR powerpc)
set(CMAKE_C_COMPILER powerpc-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER powerpc-linux-gnu-g++)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
execute_process(COMMAND ${CMAKE_C_COMPILER} -print-file-name=libc.so.6
                OUTPUT_VARIABLE _libc OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(_sysroot "${_libc}/../.." REALPATH)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-ppc -L ${_sysroot})
