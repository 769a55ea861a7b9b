# The benchmark: a hand-written Win32 program doing the program's job (`reference`) and the
# driver that measures both under the same conditions (`bench_driver`). Included by
# cmake/windows.cmake in the Windows build; bench/run.sh builds and runs them.

# Built exactly like the program: same definitions, same size flags, same link options
# (static, -municode, stripped in release builds), same icon and manifest.
add_executable(reference WIN32 bench/reference/reference.cpp app/resources/app.rc)
target_include_directories(reference PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(reference PRIVATE project_warnings user32 gdi32 comctl32)
get_target_property(program_definitions varnholt COMPILE_DEFINITIONS)
target_compile_definitions(reference PRIVATE ${program_definitions})
if(MINGW)
  target_compile_options(reference PRIVATE ${size_flags})
  get_target_property(program_link_options varnholt LINK_OPTIONS)
  target_link_options(reference PRIVATE ${program_link_options})
endif()

add_executable(bench_driver
  bench/driver/main.cpp
  bench/driver/process_probe.cpp
  bench/driver/run_once.cpp
  bench/driver/statistics.cpp
  bench/driver/window_facts.cpp
  bench/driver/window_search.cpp)
target_include_directories(bench_driver PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(bench_driver PRIVATE project_warnings user32 psapi ntdll)
target_compile_definitions(bench_driver PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
if(MINGW)
  target_link_options(bench_driver PRIVATE -municode -static)
endif()
