# VEVOVUVADO_FUZZ builds the libFuzzer targets. Every target gets libFuzzer's coverage
# instrumentation, so the readers under test and the host code they call are all explored;
# only the fuzz targets themselves link libFuzzer's main. Use the "fuzz" preset, which also
# turns on ASan and UBSan.
if(VEVOVUVADO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "VEVOVUVADO_FUZZ needs clang (libFuzzer): -DCMAKE_CXX_COMPILER=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
