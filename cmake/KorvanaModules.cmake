# Helpers that let every module own its folder: a module adds its own CMakeLists.txt
# and the parents pick it up, so modules never edit each other's build files.
include(GoogleTest)

# korvana_add_subfolders([EXCEPT folder...])
# Adds every direct subfolder of the current folder that has a CMakeLists.txt, in name
# order, except those named after EXCEPT. A new folder is picked up by the next build.
function(korvana_add_subfolders)
  cmake_parse_arguments(ARG "" "" "EXCEPT" ${ARGN})
  file(GLOB build_files CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR}
    ${CMAKE_CURRENT_SOURCE_DIR}/*/CMakeLists.txt)
  list(SORT build_files)
  foreach(build_file IN LISTS build_files)
    get_filename_component(dir ${build_file} DIRECTORY)
    if(NOT dir IN_LIST ARG_EXCEPT)
      add_subdirectory(${dir})
    endif()
  endforeach()
endfunction()

# korvana_check_build_flags([DIR])
# Stops the configuration when a target of the project that compiles or links code does
# not link korvana_build_flags (it would miss the warnings and the sanitizers).
function(korvana_check_build_flags)
  set(dir ${CMAKE_SOURCE_DIR})
  if(ARGC GREATER 0)
    set(dir ${ARGV0})
  endif()
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY")
      get_target_property(libs ${target} LINK_LIBRARIES)
      if(NOT "korvana_build_flags" IN_LIST libs)
        message(FATAL_ERROR "${target} (${dir}) must link korvana_build_flags")
      endif()
    endif()
  endforeach()
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    korvana_check_build_flags(${subdir})
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
    target_link_libraries(korvana_${name} PRIVATE korvana_build_flags)
    target_link_libraries(korvana_${name} PUBLIC ${ARG_DEPS})
    set_target_properties(korvana_${name} PROPERTIES AUTOMOC OFF)  # the core has no Qt
  else()
    # A module with headers only so far.
    add_library(korvana_${name} INTERFACE)
    target_include_directories(korvana_${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(korvana_${name} INTERFACE ${ARG_DEPS})
  endif()
  set_property(GLOBAL APPEND PROPERTY KORVANA_CORE_LIBS korvana_${name})
endfunction()

# The list of every core module library defined so far.
function(korvana_core_libraries out)
  get_property(libs GLOBAL PROPERTY KORVANA_CORE_LIBS)
  set(${out} ${libs} PARENT_SCOPE)
endfunction()

# korvana_test(NAME [LIBS lib...] [LABELS label...] [OFFICE_CASES pattern...])
# A GoogleTest binary test_NAME from every .cpp in the current folder; CTest runs each
# test case on its own. OFFICE_CASES are gtest filter patterns ("Suite.*") of the cases
# that start LibreOffice: they also get the label "office" and a high cost, so that a
# parallel run starts these slow cases first.
function(korvana_test name)
  cmake_parse_arguments(ARG "" "" "LIBS;LABELS;OFFICE_CASES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(test_${name} ${sources})
  target_link_libraries(test_${name} PRIVATE korvana_build_flags ${ARG_LIBS} korvana_test_support
    GTest::gtest GTest::gmock GTest::gtest_main)
  if("core" IN_LIST ARG_LABELS)
    set_target_properties(test_${name} PROPERTIES AUTOMOC OFF)
  endif()
  if(ARG_OFFICE_CASES)
    list(JOIN ARG_OFFICE_CASES ":" office)
    korvana_discover_tests(test_${name} "-${office}" "${ARG_LABELS}")
    korvana_discover_tests(test_${name} "${office}" "${ARG_LABELS};office" COST 1000)
  else()
    korvana_discover_tests(test_${name} "*" "${ARG_LABELS}")
  endif()
endfunction()

# korvana_discover_tests(TARGET FILTER LABELS [property value...])
# Registers the test cases of TARGET that match the gtest FILTER, each with the LABELS,
# the given test properties and those every test case has. The cases are listed when
# CTest starts, not at build time, so that the listing runs in the test environment
# (the sanitizers' options, the Qt platform of KorvanaTestEnvironment.cmake). Case names
# are gtest's own (no parameter values), so --gtest_filter runs any one of them.
function(korvana_discover_tests target filter labels)
  get_property(count TARGET ${target} PROPERTY KORVANA_DISCOVERY_COUNT)
  if(NOT count)
    set(count 0)
  endif()
  math(EXPR count "${count} + 1")
  set_property(TARGET ${target} PROPERTY KORVANA_DISCOVERY_COUNT ${count})
  set(cases korvana_${target}_cases_${count})
  gtest_discover_tests(${target}
    TEST_FILTER "${filter}"
    TEST_LIST ${cases}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    NO_PRETTY_VALUES)
  # gtest_discover_tests splits list values of PROPERTIES (several labels), so the
  # properties are set by a script CTest reads after the cases are listed.
  set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}_cases_${count}_properties.cmake)
  list(JOIN ARGN " " properties)
  file(WRITE ${script}
    "if(${cases})\n"
    "  set_tests_properties(\${${cases}} PROPERTIES LABELS [==[${labels}]==]\n"
    "    TIMEOUT 900 ENVIRONMENT QT_QPA_PLATFORM=offscreen ${properties})\n"
    "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
endfunction()

# korvana_template_output(NAME OUTPUTS file... ) makes the korvana_data target build the
# given generated files (absolute paths under KORVANA_TEMPLATE_DIR) through a target NAME.
function(korvana_template_output name)
  cmake_parse_arguments(ARG "" "" "OUTPUTS" ${ARGN})
  add_custom_target(${name} DEPENDS ${ARG_OUTPUTS})
  add_dependencies(korvana_data ${name})
endfunction()
