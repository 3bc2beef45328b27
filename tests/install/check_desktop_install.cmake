# Installs the desktop and receiver components of BUILD_DIR under SCRATCH (as a package would,
# through DESTDIR) and runs the installed simulator there: it must find its host library, its
# module and the installed profiles without the build folder.
#   cmake -DBUILD_DIR=... -DSCRATCH=... -DPREFIX=... -DBINDIR=bin -DLIBDIR=lib -DPLUGIN_DIR=...
#         -DDATADIR=share -DDOCDIR=share/doc/vevovuvado -P check_desktop_install.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${SCRATCH}")
set(root "${SCRATCH}/root")
foreach(component desktop receiver)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${root}
            ${CMAKE_COMMAND} --install "${BUILD_DIR}" --component ${component}
    RESULT_VARIABLE status OUTPUT_QUIET)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "installing the ${component} component failed")
  endif()
endforeach()

cmake_path(ABSOLUTE_PATH PLUGIN_DIR BASE_DIRECTORY "${PREFIX}" OUTPUT_VARIABLE plugin_dir)
set(installed "${root}${PREFIX}")
set(problems)
foreach(file "${BINDIR}/vevovuvado-sim" "${LIBDIR}/libvevovuvado_host.so"
             "${DATADIR}/vevovuvado/profiles/terrestrial.json" "${DOCDIR}/README.md"
             "${DOCDIR}/LICENSE" "${DOCDIR}/CHANGELOG.md")
  if(NOT EXISTS "${installed}/${file}")
    list(APPEND problems "${file} is not installed")
  endif()
endforeach()
if(NOT EXISTS "${root}${plugin_dir}/vevovuvado.so")
  list(APPEND problems "the module is not in the plug-in folder ${plugin_dir}")
endif()

# Installed, the program has no build-folder paths left: its library path is relative to its
# folder, and outside the build folder it loads the module from the plug-in folder.
file(MAKE_DIRECTORY "${SCRATCH}/out")
execute_process(
  COMMAND "${installed}/${BINDIR}/vevovuvado-sim" --headless --out "${SCRATCH}/out"
          --profile "${installed}/${DATADIR}/vevovuvado/profiles/terrestrial.json"
  WORKING_DIRECTORY "${SCRATCH}"
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  list(APPEND problems "the installed simulator failed (${status}): ${errors}")
elseif(NOT EXISTS "${SCRATCH}/out/finder.png")
  list(APPEND problems "the installed simulator wrote no finder.png: ${output}")
endif()

if(problems)
  list(JOIN problems "\n  " report)
  message(FATAL_ERROR "the desktop install:\n  ${report}")
endif()
