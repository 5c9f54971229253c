# Compiler warnings and sanitizers applied to every target of the project.
add_library(vorn_build_flags INTERFACE)
target_compile_options(vorn_build_flags INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
  -Woverloaded-virtual -Wconversion -Wformat=2
  -Wimplicit-fallthrough)
if(VORN_WERROR)
  target_compile_options(vorn_build_flags INTERFACE -Werror)
endif()
if(VORN_SANITIZE)
  target_compile_options(vorn_build_flags INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer)
  target_link_options(vorn_build_flags INTERFACE -fsanitize=address,undefined)
endif()
if(VORN_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "VORN_FUZZ needs clang (libFuzzer)")
  endif()
  # Coverage for the fuzzer in every library; any sanitizer report ends the run.
  target_compile_options(vorn_build_flags INTERFACE -fsanitize=fuzzer-no-link,address,undefined
    -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(vorn_build_flags INTERFACE -fsanitize=address,undefined)
endif()
