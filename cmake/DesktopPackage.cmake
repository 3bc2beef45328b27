# The desktop's package: a .deb of the simulator (cpack --preset desktop, or cpack in the build
# folder). It holds the desktop component and the module the simulator loads (the receiver
# component of this build), with dependencies read from what the programs link.

set(CPACK_PACKAGE_NAME vevovuvado-simulator)
set(CPACK_PACKAGE_VENDOR "The Vevovuvado developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop simulator for the Vevovuvado antenna-alignment plug-in")
set(CPACK_PACKAGE_DESCRIPTION
  "Runs the finder plug-in module on a stand-in for the receiver's GUI host and on models of its devices: a window with the finder and the dish's pointing, a headless demonstration that writes the window, the tone and the debug log, and scripted runs.")
set(CPACK_PACKAGE_CONTACT "${VEVOVUVADO_PACKAGE_MAINTAINER}")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_NAME}_${PROJECT_VERSION}")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_COMPONENTS_ALL desktop receiver)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/plugin/host)
include(CPack)
