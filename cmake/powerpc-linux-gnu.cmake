# Cross build for the receiver: 32-bit big-endian PowerPC, with Debian's g++-powerpc-linux-gnu.
#
# Headers, libraries and pkg-config files for the target come only from the target's root,
# never from the desktop's: by default Debian's cross root /usr/powerpc-linux-gnu, or a
# receiver SDK's sysroot named by VEVOVUVADO_SYSROOT (cache variable or environment).
# libsigc++ is in neither by default, so the build makes it for the target (cmake/SigCxx.cmake).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR powerpc)
set(CMAKE_C_COMPILER powerpc-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER powerpc-linux-gnu-g++)

if(NOT VEVOVUVADO_SYSROOT AND DEFINED ENV{VEVOVUVADO_SYSROOT})
  set(VEVOVUVADO_SYSROOT "$ENV{VEVOVUVADO_SYSROOT}")
endif()
set(VEVOVUVADO_SYSROOT "${VEVOVUVADO_SYSROOT}" CACHE PATH
  "The receiver's sysroot (empty: Debian's cross root /usr/powerpc-linux-gnu)")
# The checks CMake compiles in their own projects read this file again: hand the choice on.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VEVOVUVADO_SYSROOT)

if(VEVOVUVADO_SYSROOT)
  set(CMAKE_SYSROOT "${VEVOVUVADO_SYSROOT}")
  set(_vv_target_root "${VEVOVUVADO_SYSROOT}")
  set(ENV{PKG_CONFIG_SYSROOT_DIR} "${VEVOVUVADO_SYSROOT}")
  set(ENV{PKG_CONFIG_LIBDIR}
    "${VEVOVUVADO_SYSROOT}/usr/lib/pkgconfig:${VEVOVUVADO_SYSROOT}/usr/lib/powerpc-linux-gnu/pkgconfig:${VEVOVUVADO_SYSROOT}/usr/share/pkgconfig")
else()
  # Debian's cross compiler knows its root without --sysroot.
  set(_vv_target_root /usr/powerpc-linux-gnu)
  set(ENV{PKG_CONFIG_LIBDIR} "${_vv_target_root}/lib/pkgconfig:${_vv_target_root}/share/pkgconfig")
endif()

set(CMAKE_FIND_ROOT_PATH "${_vv_target_root}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Runs target programs (the tests) on the desktop: Debian's qemu-user, loading the target's
# shared libraries from its root.
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-ppc -L "${_vv_target_root}")
