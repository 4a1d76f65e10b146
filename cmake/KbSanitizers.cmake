# KB_SANITIZE: every object and program with AddressSanitizer (LeakSanitizer included) and
# UndefinedBehaviorSanitizer. Any report ends the process with an error, so a test that
# triggers one fails instead of printing and passing.
# KB_FUZZ: the same, and the code instrumented for libFuzzer's coverage; the fuzz targets
# under fuzz/ link libFuzzer's main. Needs clang.
if(KB_FUZZ AND NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "KB_FUZZ needs clang (cmake --preset fuzz chooses it), not "
                      "${CMAKE_CXX_COMPILER_ID}")
endif()
if(KB_SANITIZE OR KB_FUZZ)
  set(kb_sanitizer_flags -fsanitize=address,undefined -fno-sanitize-recover=undefined
                         -fno-omit-frame-pointer)
  add_compile_options(${kb_sanitizer_flags})
  add_link_options(${kb_sanitizer_flags})
endif()
if(KB_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
