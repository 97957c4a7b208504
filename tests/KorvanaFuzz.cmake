# Fuzz entries of the readers. Each entry (one LLVMFuzzerTestOneInput) is run two ways:
# - NAME_fuzz_replay (any compiler): the entry over its seeds and a fixed series of their
#   mutations; a test labelled "core", so it also runs under the sanitizers in the
#   sanitizer build.
# - a libFuzzer target (clang with libFuzzer, when installed; not in the sanitizer
#   build): the entry and the module sources it reads compiled by clang with the fuzzer's
#   instrumentation and AddressSanitizer and UndefinedBehaviorSanitizer, run by a test
#   labelled "fuzz" for a fixed number of inputs.

# Whether clang can build libFuzzer targets, found out once per build tree.
find_program(KORVANA_CLANGXX NAMES clang++ clang++-16 clang++-15 clang++-14)
if(KORVANA_CLANGXX AND NOT KORVANA_FUZZ_CHECKED)
  set(probe ${CMAKE_BINARY_DIR}/fuzz_probe.cpp)
  file(WRITE ${probe} "#include <cstdint>\n#include <cstddef>\nextern \"C\" int LLVMFuzzerTestOneInput(const std::uint8_t*, std::size_t) { return 0; }\n")
  execute_process(COMMAND ${KORVANA_CLANGXX} -fsanitize=fuzzer ${probe} -o ${CMAKE_BINARY_DIR}/fuzz_probe
    RESULT_VARIABLE probe_result OUTPUT_QUIET ERROR_QUIET)
  if(probe_result EQUAL 0)
    set(KORVANA_LIBFUZZER ON CACHE INTERNAL "clang can build libFuzzer targets")
  else()
    set(KORVANA_LIBFUZZER OFF CACHE INTERNAL "clang can build libFuzzer targets")
  endif()
  set(KORVANA_FUZZ_CHECKED ON CACHE INTERNAL "")
endif()

# korvana_fuzz_entry(NAME ENTRY file REPLAY file LIBS lib... SOURCES pattern...
#                    [HEADERS pattern...] [LINK flag...] [FUZZER name] [SEEDS])
# ENTRY holds LLVMFuzzerTestOneInput, REPLAY the replay's main (it links LIBS).
# SOURCES are the patterns, relative to src/, of the sources clang compiles into the
# libFuzzer target FUZZER (default fuzz_NAME); it is rebuilt when they, the headers
# beside them or those of HEADERS change. LINK adds libraries to its link. With SEEDS the
# replay writes its seeds (--write-seeds) for the fuzzer to start from.
function(korvana_fuzz_entry name)
  cmake_parse_arguments(ARG "SEEDS" "ENTRY;REPLAY;FUZZER" "LIBS;SOURCES;HEADERS;LINK" ${ARGN})
  set(replay ${name}_fuzz_replay)
  add_executable(${replay} ${ARG_ENTRY} ${ARG_REPLAY})
  target_link_libraries(${replay} PRIVATE korvana_build_flags ${ARG_LIBS} korvana_test_support)
  set_target_properties(${replay} PROPERTIES AUTOMOC OFF)
  add_test(NAME ${replay} COMMAND ${replay})
  set_tests_properties(${replay} PROPERTIES LABELS core)

  if(NOT KORVANA_LIBFUZZER OR KORVANA_SANITIZE OR NOT KORVANA_CLANGXX)
    return()
  endif()
  set(sources)
  set(headers)
  foreach(pattern IN LISTS ARG_SOURCES)
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${pattern})
    list(APPEND sources ${found})
    get_filename_component(dir ${pattern} DIRECTORY)
    list(APPEND ARG_HEADERS ${dir}/*.h)
  endforeach()
  list(REMOVE_DUPLICATES ARG_HEADERS)
  foreach(pattern IN LISTS ARG_HEADERS)
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${pattern})
    list(APPEND headers ${found})
  endforeach()
  file(GLOB entry_headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  set(entry ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_ENTRY})
  set(fuzzer_name fuzz_${name})
  if(ARG_FUZZER)
    set(fuzzer_name ${ARG_FUZZER})
  endif()
  set(fuzzer ${CMAKE_CURRENT_BINARY_DIR}/${fuzzer_name})
  add_custom_command(OUTPUT ${fuzzer}
    COMMAND ${KORVANA_CLANGXX} -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined
      -fno-sanitize-recover=undefined -I${CMAKE_SOURCE_DIR}/src -I${CMAKE_SOURCE_DIR}/tests
      ${entry} ${sources} ${ARG_LINK} -o ${fuzzer}
    DEPENDS ${entry} ${entry_headers} ${sources} ${headers} ${CMAKE_SOURCE_DIR}/tests/support/temp_folder.h
      ${CMAKE_SOURCE_DIR}/tests/support/fuzz_folder.h
    COMMENT "Building the libFuzzer target ${fuzzer_name} with clang")
  set(outputs ${fuzzer})
  set(seed_dirs)
  if(ARG_SEEDS)
    # The seeds are read only; new inputs go to a scratch corpus in the build tree.
    set(seeds ${CMAKE_CURRENT_BINARY_DIR}/fuzz_seeds)
    add_custom_command(OUTPUT ${seeds}/.written
      COMMAND ${CMAKE_COMMAND} -E make_directory ${seeds}
      COMMAND ${replay} --write-seeds ${seeds}
      COMMAND ${CMAKE_COMMAND} -E touch ${seeds}/.written
      DEPENDS ${replay})
    list(APPEND outputs ${seeds}/.written)
    set(seed_dirs ${seeds})
  endif()
  add_custom_target(${name}_libfuzzer ALL DEPENDS ${outputs})
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/fuzz_corpus)
  file(MAKE_DIRECTORY ${corpus})
  add_test(NAME ${name}_fuzz COMMAND ${fuzzer} -runs=20000 -seed=1 -max_len=4096
    -artifact_prefix=${CMAKE_CURRENT_BINARY_DIR}/ ${corpus} ${seed_dirs})
  set_tests_properties(${name}_fuzz PROPERTIES LABELS fuzz)
endfunction()
