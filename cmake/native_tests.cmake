# Native build: the core and the program on the headless backend, run by the unit tests twice:
# built with AddressSanitizer and UndefinedBehaviorSanitizer, and built plain under Valgrind
# (the two cannot share one binary).
option(VARNHOLT_SANITIZE "Build the unit tests with AddressSanitizer and UndefinedBehaviorSanitizer" ON)

find_package(GTest REQUIRED)
enable_testing()
include(GoogleTest)

set(unit_test_sources
  runtime/headless/headless_backend.cpp
  tests/unit/layout_test.cpp
  tests/unit/core_test.cpp
  tests/unit/text_test.cpp
  tests/unit/program_test.cpp
  tests/unit/templates_test.cpp)

# The shared object libraries serve the sanitized build; the plain build compiles the sources again.
function(add_unit_test_executable name)
  cmake_parse_arguments(arg "SANITIZED" "" "" ${ARGN})
  if(arg_SANITIZED)
    add_executable(${name} ${unit_test_sources} $<TARGET_OBJECTS:runtime_core> $<TARGET_OBJECTS:app_code>)
  else()
    get_target_property(core_sources runtime_core SOURCES)
    get_target_property(app_sources app_code SOURCES)
    add_executable(${name} ${unit_test_sources} ${core_sources} ${app_sources})
  endif()
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main project_warnings)
endfunction()

add_unit_test_executable(unit_tests SANITIZED)
if(VARNHOLT_SANITIZE)
  set(sanitizer_flags -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  foreach(target runtime_core app_code unit_tests)
    target_compile_options(${target} PRIVATE ${sanitizer_flags})
  endforeach()
  target_link_options(unit_tests PRIVATE ${sanitizer_flags})
endif()
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 30 PROPERTIES TIMEOUT 60)

find_program(VALGRIND valgrind)
if(VALGRIND)
  add_unit_test_executable(unit_tests_plain)
  add_test(NAME valgrind_memcheck_unit_tests
           COMMAND ${VALGRIND} --tool=memcheck --error-exitcode=99 --leak-check=full --errors-for-leak-kinds=definite,indirect
                   --show-leak-kinds=definite,indirect $<TARGET_FILE:unit_tests_plain>)
  set_tests_properties(valgrind_memcheck_unit_tests PROPERTIES TIMEOUT 300)
endif()

# Tests of the Windows builds, when the test script has built them.
include(${CMAKE_CURRENT_LIST_DIR}/windows_tests.cmake)
