# Shared part of the toolchain files for a foreign Debian architecture installed through
# multiarch (dpkg --add-architecture): Debian's cross compiler for VEVOVUVADO_TRIPLET, and the
# target's libraries and pkg-config files from /usr/lib/VEVOVUVADO_MULTIARCH only.
#
# VEVOVUVADO_EXTRA_ROOT (cache variable or environment) names a folder with more of the
# target's packages unpacked (dpkg-deb -x), for libraries whose packages will not install
# beside the desktop's; their .pc files must name that folder as their prefix. Programs then
# run with that folder as the emulator's library root (VEVOVUVADO_EMULATOR_ROOT_ARGS).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${VEVOVUVADO_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${VEVOVUVADO_TRIPLET}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${VEVOVUVADO_MULTIARCH})

set(CMAKE_FIND_ROOT_PATH /usr/${VEVOVUVADO_TRIPLET} /)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(_vv_pkg_config_libdir "/usr/lib/${VEVOVUVADO_MULTIARCH}/pkgconfig:/usr/share/pkgconfig")

if(NOT VEVOVUVADO_EXTRA_ROOT AND DEFINED ENV{VEVOVUVADO_EXTRA_ROOT})
  set(VEVOVUVADO_EXTRA_ROOT "$ENV{VEVOVUVADO_EXTRA_ROOT}")
endif()
set(VEVOVUVADO_EXTRA_ROOT "${VEVOVUVADO_EXTRA_ROOT}" CACHE PATH
  "More of the target's packages, unpacked (empty: none)")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VEVOVUVADO_EXTRA_ROOT)
set(VEVOVUVADO_EMULATOR_ROOT_ARGS)
if(VEVOVUVADO_EXTRA_ROOT)
  set(_vv_extra_libdirs
    "${VEVOVUVADO_EXTRA_ROOT}/usr/lib/${VEVOVUVADO_MULTIARCH}:${VEVOVUVADO_EXTRA_ROOT}/lib/${VEVOVUVADO_MULTIARCH}")
  set(_vv_pkg_config_libdir
    "${VEVOVUVADO_EXTRA_ROOT}/usr/lib/${VEVOVUVADO_MULTIARCH}/pkgconfig:${_vv_pkg_config_libdir}")
  list(APPEND CMAKE_FIND_ROOT_PATH "${VEVOVUVADO_EXTRA_ROOT}")
  # The linker follows those libraries' own dependencies there too.
  foreach(kind EXE SHARED MODULE)
    set(CMAKE_${kind}_LINKER_FLAGS_INIT "-Wl,-rpath-link,${_vv_extra_libdirs}")
  endforeach()
  set(VEVOVUVADO_EMULATOR_ROOT_ARGS -L "${VEVOVUVADO_EXTRA_ROOT}")
endif()
set(ENV{PKG_CONFIG_LIBDIR} "${_vv_pkg_config_libdir}")
