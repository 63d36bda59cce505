# Fuzzing builds (-DORVEL_FUZZ=ON, with clang): everything is compiled with
# libFuzzer's coverage instrumentation and the address and undefined
# behaviour sanitizers, so that the fuzz targets of tests/fuzz are guided by,
# and find faults in, the component and the platform they drive.
if(ORVEL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ORVEL_FUZZ needs clang: -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
  # The coverage hooks in shared libraries are resolved by the fuzz target
  # that loads them: lift the modules' no-undefined rule, as the last word.
  string(APPEND CMAKE_CXX_CREATE_SHARED_LIBRARY " -Wl,-z,undefs")
endif()
