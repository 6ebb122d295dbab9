# One set of build rules for every target: warnings, sanitizers, include root.

function(marquill_apply_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wno-unused-parameter)
  # GCC 12's optimiser reports overlaps and out-of-bounds copies inside libstdc++'s own
  # string code after inlining (GCC bugs 105329, 105651, 106199); they are not in our code.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict -Wno-array-bounds -Wno-maybe-uninitialized
                           -Wno-stringop-overread)
  endif()
  # float-cast-overflow: a drawing's absurd number must never become an undefined cast;
  # GCC leaves it out of "undefined".
  if(MARQUILL_SANITIZE OR MARQUILL_FUZZ)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined,float-cast-overflow
                                             -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined,float-cast-overflow)
  endif()
  if(MARQUILL_FUZZ)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
endfunction()

# A core library made of every .cpp file of one source directory.
function(marquill_core_library name dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  if(ARGN)
    target_link_libraries(${name} PUBLIC ${ARGN})
  endif()
  marquill_apply_options(${name})
endfunction()
