# Packs the receiver component of BUILD_DIR into OUTPUT, an opkg-style .ipk:
#   cmake -DBUILD_DIR=... -DCONTROL=control-file -DSTAGING=scratch-dir -DAR=ar -DOUTPUT=x.ipk
#         -P MakeIpk.cmake
# The members are written in the order opkg reads them, with owner root and no timestamps
# of the build machine in the outer archive.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${STAGING}")
file(MAKE_DIRECTORY "${STAGING}/control" "${STAGING}/data")

# data.tar.gz: the receiver component as installed under the package's prefix, stripped.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGING}/data
          ${CMAKE_COMMAND} --install "${BUILD_DIR}" --component receiver --strip
  RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "MakeIpk: installing the receiver component failed")
endif()
file(COPY "${CONTROL}" DESTINATION "${STAGING}/control")
file(RENAME "${STAGING}/control/ipk-control" "${STAGING}/control/control")
file(WRITE "${STAGING}/debian-binary" "2.0\n")

foreach(part control data)
  execute_process(
    COMMAND tar --create --gzip --file=${STAGING}/${part}.tar.gz --owner=0 --group=0
            --numeric-owner --sort=name -C ${STAGING}/${part} .
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "MakeIpk: packing ${part}.tar.gz failed")
  endif()
endforeach()

file(REMOVE "${OUTPUT}")
execute_process(
  COMMAND ${AR} qcD "${OUTPUT}" debian-binary control.tar.gz data.tar.gz
  WORKING_DIRECTORY "${STAGING}"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "MakeIpk: ${AR} failed")
endif()
