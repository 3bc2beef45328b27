# Every target of ours gets the same warnings; VEVOVUVADO_WERROR turns them into errors.
function(vevovuvado_warnings target)
  target_compile_options(${target} PRIVATE
    $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
      -Wold-style-cast -Wcast-align -Woverloaded-virtual -Wformat=2>
    $<$<BOOL:${VEVOVUVADO_WERROR}>:-Werror>)
endfunction()
