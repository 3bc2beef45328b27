# libsigc++ 3 as the target vevovuvado::sigcxx.
#
# The system's copy when pkg-config finds one for the target (the desktop, and Debian
# multiarch for a foreign architecture). Otherwise, as for the receiver's PowerPC, which
# Debian does not package, the release is built for the target from source: the pinned
# upstream commit by default, or a local copy of the release archive named by
# VEVOVUVADO_SIGCXX_ARCHIVE (checked against its SHA-256).

set(VEVOVUVADO_SIGCXX_ARCHIVE "" CACHE FILEPATH
  "libsigc++ 3.4.0 release archive to build from when the target has no libsigc++ (empty: fetch the pinned commit)")

pkg_check_modules(SIGCXX IMPORTED_TARGET sigc++-3.0)
add_library(vevovuvado_sigcxx INTERFACE)
add_library(vevovuvado::sigcxx ALIAS vevovuvado_sigcxx)
if(SIGCXX_FOUND)
  target_link_libraries(vevovuvado_sigcxx INTERFACE PkgConfig::SIGCXX)
  return()
endif()

include(ExternalProject)
# 3.4.0 is the version of Debian 12's libsigc++-3.0-dev, which the desktop builds use.
set(_vv_sigcxx_commit e88e319aa50df010320dd15e7c802f92752dc8dc)
set(_vv_sigcxx_archive_sha256 4c94aa9d73272ffc542139e88322a8fd02b6eb7d03c5a57601c5f29dbf94db76)
if(VEVOVUVADO_SIGCXX_ARCHIVE)
  get_filename_component(_vv_sigcxx_archive "${VEVOVUVADO_SIGCXX_ARCHIVE}" ABSOLUTE)
  if(NOT EXISTS "${_vv_sigcxx_archive}")
    message(FATAL_ERROR "VEVOVUVADO_SIGCXX_ARCHIVE: no such file: ${_vv_sigcxx_archive}")
  endif()
  set(_vv_sigcxx_source URL "${_vv_sigcxx_archive}" URL_HASH SHA256=${_vv_sigcxx_archive_sha256})
  set(_vv_sigcxx_from "${_vv_sigcxx_archive}")
else()
  set(_vv_sigcxx_repository https://github.com/libsigcplusplus/libsigcplusplus.git)
  set(_vv_sigcxx_source GIT_REPOSITORY ${_vv_sigcxx_repository} GIT_TAG ${_vv_sigcxx_commit})
  set(_vv_sigcxx_from "${_vv_sigcxx_repository} at ${_vv_sigcxx_commit}")
endif()
message(STATUS "libsigc++ for ${CMAKE_SYSTEM_PROCESSOR}: built from ${_vv_sigcxx_from}")

set(_vv_sigcxx_dir ${PROJECT_BINARY_DIR}/third_party/libsigc++)
set(_vv_sigcxx_library ${_vv_sigcxx_dir}/build/sigc++/libsigc-3.0.so.0)
# Only the library: the release's examples and tests are not ours to build or run.
ExternalProject_Add(libsigcxx
  ${_vv_sigcxx_source}
  PREFIX ${_vv_sigcxx_dir}
  SOURCE_DIR ${_vv_sigcxx_dir}/source
  BINARY_DIR ${_vv_sigcxx_dir}/build
  DOWNLOAD_EXTRACT_TIMESTAMP ON
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
    -DVEVOVUVADO_SYSROOT=${VEVOVUVADO_SYSROOT}
    -DCMAKE_BUILD_TYPE=Release
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target sigc-3.0
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${_vv_sigcxx_library})

# The headers sit in the source tree and sigc++config.h in the build tree; both exist only
# once the download has run, but the imported target must name them now.
file(MAKE_DIRECTORY ${_vv_sigcxx_dir}/source ${_vv_sigcxx_dir}/build)
add_library(vevovuvado_sigcxx_built SHARED IMPORTED GLOBAL)
set_target_properties(vevovuvado_sigcxx_built PROPERTIES
  IMPORTED_LOCATION ${_vv_sigcxx_library}
  IMPORTED_SONAME libsigc-3.0.so.0
  INTERFACE_SYSTEM_INCLUDE_DIRECTORIES "${_vv_sigcxx_dir}/source;${_vv_sigcxx_dir}/build"
  INTERFACE_INCLUDE_DIRECTORIES "${_vv_sigcxx_dir}/source;${_vv_sigcxx_dir}/build")
target_link_libraries(vevovuvado_sigcxx INTERFACE vevovuvado_sigcxx_built)
add_dependencies(vevovuvado_sigcxx libsigcxx)
