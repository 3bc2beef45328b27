# The receiver's package: an opkg-style .ipk of the receiver component (the module alone),
# built with the module. An ar archive of debian-binary, control.tar.gz and data.tar.gz.
set(VEVOVUVADO_IPK_ARCHITECTURE "${CMAKE_SYSTEM_PROCESSOR}" CACHE STRING
  "The .ipk's Architecture field: the receiver's package architecture")
set(VEVOVUVADO_IPK_DEPENDS "libc6 (>= 2.34), libgcc-s1, libstdc++6, libsigc++-3.0-0" CACHE STRING
  "The .ipk's Depends field: the receiver's packages of the libraries the module needs")

set(VEVOVUVADO_IPK
  ${PROJECT_BINARY_DIR}/${PROJECT_NAME}_${PROJECT_VERSION}_${VEVOVUVADO_IPK_ARCHITECTURE}.ipk)
configure_file(${CMAKE_CURRENT_LIST_DIR}/ipk-control.in ${PROJECT_BINARY_DIR}/ipk-control @ONLY)
add_custom_command(OUTPUT ${VEVOVUVADO_IPK}
  COMMAND ${CMAKE_COMMAND}
    -DBUILD_DIR=${PROJECT_BINARY_DIR}
    -DCONTROL=${PROJECT_BINARY_DIR}/ipk-control
    -DSTAGING=${PROJECT_BINARY_DIR}/ipk-staging
    -DAR=${CMAKE_AR}
    -DOUTPUT=${VEVOVUVADO_IPK}
    -P ${CMAKE_CURRENT_LIST_DIR}/MakeIpk.cmake
  DEPENDS vevovuvado ${PROJECT_BINARY_DIR}/ipk-control ${CMAKE_CURRENT_LIST_DIR}/MakeIpk.cmake
  COMMENT "Packing ${PROJECT_NAME}_${PROJECT_VERSION}_${VEVOVUVADO_IPK_ARCHITECTURE}.ipk"
  VERBATIM)
add_custom_target(ipk ALL DEPENDS ${VEVOVUVADO_IPK})
