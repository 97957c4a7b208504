# Helpers that let every module own its folder: a module adds its own CMakeLists.txt
# and the parents pick it up, so modules never edit each other's build files.

# Adds each listed folder that has a CMakeLists.txt.
function(korvana_add_subdirectories)
  foreach(dir IN LISTS ARGN)
    if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
      add_subdirectory(${CMAKE_SOURCE_DIR}/${dir} ${CMAKE_BINARY_DIR}/${dir})
    endif()
  endforeach()
endfunction()

# korvana_core_module(NAME [DEPS lib...])
# A static library korvana_NAME from every .cpp in src/core/NAME. Headers are included
# as "core/NAME/header.h".
function(korvana_core_module name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(sources)
    add_library(korvana_${name} STATIC ${sources})
    target_include_directories(korvana_${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(korvana_${name} PUBLIC ${ARG_DEPS})
  else()
    # A module with headers only so far.
    add_library(korvana_${name} INTERFACE)
    target_include_directories(korvana_${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(korvana_${name} INTERFACE ${ARG_DEPS})
  endif()
  if(sources)
    set_target_properties(korvana_${name} PROPERTIES AUTOMOC OFF)  # the core has no Qt
  endif()
  set_property(GLOBAL APPEND PROPERTY KORVANA_CORE_LIBS korvana_${name})
endfunction()

# The list of every core module library defined so far.
function(korvana_core_libraries out)
  get_property(libs GLOBAL PROPERTY KORVANA_CORE_LIBS)
  set(${out} ${libs} PARENT_SCOPE)
endfunction()

# korvana_test(NAME [LIBS lib...] [LABELS label...])
# A GoogleTest binary test_NAME from every .cpp in the current folder, run by CTest.
function(korvana_test name)
  cmake_parse_arguments(ARG "" "" "LIBS;LABELS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(test_${name} ${sources})
  target_link_libraries(test_${name} PRIVATE ${ARG_LIBS} korvana_test_support GTest::gtest GTest::gmock GTest::gtest_main)
  if("core" IN_LIST ARG_LABELS)
    set_target_properties(test_${name} PROPERTIES AUTOMOC OFF)
  endif()
  add_test(NAME ${name} COMMAND test_${name})
  set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}" TIMEOUT 900
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# korvana_template_output(NAME OUTPUTS file... ) makes the korvana_data target build the
# given generated files (absolute paths under KORVANA_TEMPLATE_DIR) through a target NAME.
function(korvana_template_output name)
  cmake_parse_arguments(ARG "" "" "OUTPUTS" ${ARGN})
  add_custom_target(${name} DEPENDS ${ARG_OUTPUTS})
  add_dependencies(korvana_data ${name})
endfunction()
