# 32-bit little-endian: Debian's i386 through multiarch.
#
# The programs run as they are where the desktop's kernel runs 32-bit programs, which the
# i386 loader that multiarch installs tells by running itself. A kernel built without that
# support refuses them ("Exec format error"), and there they run under qemu-i386.
#
# The plug-in's arithmetic is IEEE double. The x87 unit keeps extra precision in its registers
# and rounds differently (snrTone(19.2) would give 191, not 192), so doubles use SSE2.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(VEVOVUVADO_TRIPLET i686-linux-gnu)
set(VEVOVUVADO_MULTIARCH i386-linux-gnu)
include(${CMAKE_CURRENT_LIST_DIR}/DebianMultiarch.cmake)
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")

execute_process(COMMAND /lib/ld-linux.so.2 --version
  RESULT_VARIABLE _vv_i386_loader OUTPUT_QUIET ERROR_QUIET)
if(NOT _vv_i386_loader EQUAL 0)
  set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386)
endif()
