# Windows build: the program on the Win32 backend, and the Windows-side test tools.
enable_language(RC)

add_executable(varnholt WIN32
  runtime/win32/win_main.cpp
  runtime/win32/win32_backend.cpp
  runtime/win32/gbk.cpp
  runtime/win32/label_control.cpp
  app/resources/app.rc
  $<TARGET_OBJECTS:runtime_core>
  $<TARGET_OBJECTS:app_code>)
target_include_directories(varnholt PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(varnholt PRIVATE project_warnings user32 gdi32 comctl32)
target_compile_definitions(varnholt PRIVATE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
  $<$<CXX_COMPILER_ID:MSVC>:_CRT_SECURE_NO_WARNINGS>)

if(MINGW)
  # Small and self-contained: no exceptions or RTTI in the program, unused sections dropped,
  # the GCC and C++ runtimes linked in so that only system DLLs are imported.
  set(size_flags -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables -ffunction-sections -fdata-sections)
  foreach(target runtime_core app_code varnholt)
    target_compile_options(${target} PRIVATE ${size_flags})
  endforeach()
  target_link_options(varnholt PRIVATE -municode -static -Wl,--gc-sections $<$<CONFIG:MinSizeRel,Release>:-s>)
endif()

# Test tools that run under Windows (or Wine), each adding itself when present.
foreach(tool tests/e2e/driver bench)
  if(EXISTS ${PROJECT_SOURCE_DIR}/${tool}/tool.cmake)
    include(${PROJECT_SOURCE_DIR}/${tool}/tool.cmake)
  endif()
endforeach()
