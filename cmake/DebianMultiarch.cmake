# Shared part of the toolchain files for a foreign Debian architecture installed through
# multiarch (dpkg --add-architecture): Debian's cross compiler for VEVOVUVADO_TRIPLET, and the
# target's libraries and pkg-config files from /usr/lib/VEVOVUVADO_MULTIARCH only.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${VEVOVUVADO_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${VEVOVUVADO_TRIPLET}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${VEVOVUVADO_MULTIARCH})

set(ENV{PKG_CONFIG_LIBDIR} "/usr/lib/${VEVOVUVADO_MULTIARCH}/pkgconfig:/usr/share/pkgconfig")
set(CMAKE_FIND_ROOT_PATH /usr/${VEVOVUVADO_TRIPLET} /)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
