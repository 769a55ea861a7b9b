# Native build: the core and the program on the headless backend, under the sanitizers.
option(VARNHOLT_SANITIZE "Build the native tests with AddressSanitizer and UndefinedBehaviorSanitizer" ON)

if(VARNHOLT_SANITIZE)
  set(sanitizer_flags -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  foreach(target runtime_core app_code)
    target_compile_options(${target} PRIVATE ${sanitizer_flags})
  endforeach()
endif()

find_package(GTest REQUIRED)
enable_testing()
include(GoogleTest)

add_executable(unit_tests
  runtime/headless/headless_backend.cpp
  tests/unit/layout_test.cpp
  tests/unit/core_test.cpp
  tests/unit/text_test.cpp
  tests/unit/program_test.cpp
  tests/unit/templates_test.cpp
  $<TARGET_OBJECTS:runtime_core>
  $<TARGET_OBJECTS:app_code>)
target_include_directories(unit_tests PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(unit_tests PRIVATE GTest::gtest GTest::gtest_main project_warnings)
if(VARNHOLT_SANITIZE)
  target_compile_options(unit_tests PRIVATE ${sanitizer_flags})
  target_link_options(unit_tests PRIVATE ${sanitizer_flags})
endif()
gtest_discover_tests(unit_tests DISCOVERY_TIMEOUT 30 PROPERTIES TIMEOUT 60)

# Tests of the Windows builds, when the test script has built them.
include(${CMAKE_CURRENT_LIST_DIR}/windows_tests.cmake)
