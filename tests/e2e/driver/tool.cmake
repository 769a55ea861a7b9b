# The end-to-end test driver: a console program that runs the real program and works it with
# real input. Built with the Windows program, run under Windows or Wine by tests/e2e/run_scenario.sh.
set(e2e_driver_dir ${CMAKE_CURRENT_LIST_DIR})
add_executable(e2e_driver
  ${e2e_driver_dir}/main.cpp
  ${e2e_driver_dir}/report.cpp
  ${e2e_driver_dir}/program.cpp
  ${e2e_driver_dir}/window_query.cpp
  ${e2e_driver_dir}/input.cpp
  ${e2e_driver_dir}/clipboard.cpp
  ${e2e_driver_dir}/screen_pixels.cpp
  ${e2e_driver_dir}/scenario.cpp
  ${e2e_driver_dir}/scenario_table.cpp
  ${e2e_driver_dir}/main_window_scenario.cpp
  ${e2e_driver_dir}/keyboard_scenario.cpp
  ${e2e_driver_dir}/close_scenarios.cpp
  ${e2e_driver_dir}/message_scenarios.cpp
  ${e2e_driver_dir}/pose_scenario.cpp
  ${e2e_driver_dir}/gui_objects.cpp
  ${e2e_driver_dir}/program_state.cpp
  ${e2e_driver_dir}/random_actions.cpp
  ${e2e_driver_dir}/random_scenario.cpp)
target_include_directories(e2e_driver PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_definitions(e2e_driver PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX)
# ntdll: the GDI object count reads the program's handle table (gui_objects.cpp).
target_link_libraries(e2e_driver PRIVATE project_warnings user32 gdi32 ntdll)
if(MINGW)
  # Self-contained, so that Wine needs no MinGW runtime DLLs beside it.
  target_link_options(e2e_driver PRIVATE -municode -static)
endif()
