# vevovuvado::atomics: what a program needs for std::atomic of 64-bit words (the main loop's
# clock). Some 32-bit processors, the receiver's PowerPC among them, have no 64-bit atomic
# instructions and GCC calls libatomic for them; found by trying, not by the processor's name.
include(CheckCXXSourceCompiles)
set(_vv_atomics_probe [[
#include <atomic>
#include <cstdint>
std::atomic<int64_t> word{0};
int main() {
  word.store(word.load() + 1);
  return static_cast<int>(word.exchange(2));
}
]])
check_cxx_source_compiles("${_vv_atomics_probe}" VEVOVUVADO_ATOMICS_BUILTIN)
add_library(vevovuvado_atomics INTERFACE)
add_library(vevovuvado::atomics ALIAS vevovuvado_atomics)
if(NOT VEVOVUVADO_ATOMICS_BUILTIN)
  set(CMAKE_REQUIRED_LIBRARIES atomic)
  check_cxx_source_compiles("${_vv_atomics_probe}" VEVOVUVADO_ATOMICS_NEED_LIBATOMIC)
  unset(CMAKE_REQUIRED_LIBRARIES)
  if(NOT VEVOVUVADO_ATOMICS_NEED_LIBATOMIC)
    message(FATAL_ERROR "64-bit std::atomic links neither alone nor with libatomic")
  endif()
  target_link_libraries(vevovuvado_atomics INTERFACE atomic)
endif()
