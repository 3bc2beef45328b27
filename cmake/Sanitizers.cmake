# VEVOVUVADO_SANITIZE is a list such as "address;undefined" or "thread"; it applies to every
# target so the plug-in module, the host library and the tests agree on the runtime.
set(VEVOVUVADO_SANITIZE "" CACHE STRING "Sanitizers to build with (address, undefined, thread)")
if(VEVOVUVADO_SANITIZE)
  list(JOIN VEVOVUVADO_SANITIZE "," _vv_sanitizers)
  add_compile_options(-fsanitize=${_vv_sanitizers} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${_vv_sanitizers})
endif()
