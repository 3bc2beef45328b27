# 64-bit big-endian: Debian's s390x through multiarch, the tests run under qemu-s390x. The
# target's loader and libraries are installed where the desktop's are (/lib/ld64.so.1,
# /usr/lib/s390x-linux-gnu), so the emulator needs no library prefix, except for the
# packages of VEVOVUVADO_EXTRA_ROOT (cmake/DebianMultiarch.cmake).
set(CMAKE_SYSTEM_PROCESSOR s390x)
set(VEVOVUVADO_TRIPLET s390x-linux-gnu)
set(VEVOVUVADO_MULTIARCH s390x-linux-gnu)
include(${CMAKE_CURRENT_LIST_DIR}/DebianMultiarch.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-s390x ${VEVOVUVADO_EMULATOR_ROOT_ARGS})
