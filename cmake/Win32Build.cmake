# The i686 Windows build: DaDeruv.exe, the Win32 tests and the UI driver, run under Wine by CTest.
enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -O coff")

set(win32_libs comctl32 gdi32 user32 kernel32 shell32 shlwapi ole32 comdlg32 advapi32 winmm ws2_32 iphlpapi uuid)
set(static_link -static -static-libgcc -static-libstdc++)
add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800 NOMINMAX WIN32_LEAN_AND_MEAN STRICT)

target_sources(dadeuv PRIVATE ${DD_WIN32_SOURCES})
target_link_libraries(dadeuv PUBLIC ${win32_libs})

add_executable(DaDeruv WIN32 ${DD_MAIN_SOURCE} ${CMAKE_SOURCE_DIR}/res/DaDeruv.rc)
target_link_libraries(DaDeruv PRIVATE dadeuv)
# No symbols in the shipped program, and sections aligned in the file as in memory: Wine can then map the image
# instead of copying it into private memory (about 1 MB per process).
target_link_options(DaDeruv PRIVATE ${static_link} -s -Wl,--file-alignment,4096)
file(GLOB dd_bitmaps CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/bitmaps/*.bmp)
set_source_files_properties(${CMAKE_SOURCE_DIR}/res/DaDeruv.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/res/DaDeruv.ico;${CMAKE_SOURCE_DIR}/res/DaDeruv.manifest;${CMAKE_SOURCE_DIR}/res/Bitmaps.rc;${CMAKE_SOURCE_DIR}/res/Dialogs.rc;${dd_bitmaps}")

# GoogleTest from the system's source package, built with the cross compiler.
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(gt gtest gtest_main gmock)
    target_compile_options(${gt} PRIVATE -Wno-error)
endforeach()

file(GLOB_RECURSE win32_test_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/*.cpp)
add_executable(win32_tests ${win32_test_sources} ${CMAKE_SOURCE_DIR}/res/DaDeruv.rc)
target_link_libraries(win32_tests PRIVATE dadeuv gtest gmock gtest_main)
target_link_options(win32_tests PRIVATE ${static_link})
add_test(NAME win32_tests COMMAND win32_tests --gtest_brief=1)
set_tests_properties(win32_tests PROPERTIES TIMEOUT 300 ENVIRONMENT DD_CLOCK_RECORD=${CMAKE_BINARY_DIR}/win32-clock-set.txt)

# Benchmarks of the Windows side, run under Wine by scripts/bench.sh, never by the tests.
file(GLOB win32_bench_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/win32/*_bench.cpp)
foreach(src ${win32_bench_sources})
    get_filename_component(name ${src} NAME_WE)
    add_executable(${name} ${src})
    target_link_libraries(${name} PRIVATE dadeuv)
    target_link_options(${name} PRIVATE ${static_link})
endforeach()
target_sources(startup_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests/ui/AppSession.cpp)
target_sources(clipboard_show_bench PRIVATE ${CMAKE_SOURCE_DIR}/tests/ui/AppSession.cpp)
target_sources(timer_cpu_bench PRIVATE ${CMAKE_SOURCE_DIR}/res/DaDeruv.rc)
# What the start-up benchmark measures against: a bare window without resources, and the same program with
# DaDeruv.exe's resources (its manifest asks for common controls 6), which also loads the program's libraries when
# started with --dlls.
foreach(name bare_window bare_window_manifest)
    add_executable(${name} WIN32 ${CMAKE_SOURCE_DIR}/bench/win32/bare_window.cpp)
    target_link_libraries(${name} PRIVATE ${win32_libs})
    target_link_options(${name} PRIVATE ${static_link})
    add_dependencies(startup_bench ${name})
endforeach()
target_sources(bare_window_manifest PRIVATE ${CMAKE_SOURCE_DIR}/res/DaDeruv.rc)

# The distributable folder: the exe, its text files and the data folders.
set(DD_DIST ${CMAKE_BINARY_DIR}/dist)
add_custom_target(dist ALL
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${DD_DIST}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${DD_DIST}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/data ${DD_DIST}/data
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/res/readme.txt ${CMAKE_SOURCE_DIR}/res/changelog.txt ${DD_DIST}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:DaDeruv> ${DD_DIST}
    COMMAND ${CMAKE_COMMAND} -E chdir ${CMAKE_BINARY_DIR} ${CMAKE_COMMAND} -E tar cf DaDeruv.zip --format=zip dist
    DEPENDS DaDeruv
    COMMENT "Assembling dist/")

# End-to-end: the UI driver starts DaDeruv.exe from a copy of dist/ and checks windows and the INI file.
file(GLOB ui_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/ui/*.cpp)
add_executable(ui_driver ${ui_sources})
target_link_libraries(ui_driver PRIVATE dadeuv gtest gtest_main)
target_link_options(ui_driver PRIVATE ${static_link})
add_test(NAME ui_scenarios COMMAND ui_driver --gtest_brief=1 --gtest_filter=-TraceRouteNetns.*)
# The sizes df gives for the folder of the prefix's drive M: (the test script makes it), for the Drive Lister's.
set(dd_ui_work ${CMAKE_BINARY_DIR}/ui-work)
add_test(NAME ui_drive_sizes COMMAND sh -c
    "mkdir -p '${dd_ui_work}' && df -B1 --output=size,avail \"$WINEPREFIX/dosdevices/m:/\" | tail -n 1 > '${dd_ui_work}/m-drive-df.txt'")
set_tests_properties(ui_drive_sizes PROPERTIES FIXTURES_SETUP ui_work)
add_test(NAME time_servers_start COMMAND ${CMAKE_SOURCE_DIR}/tests/time_servers.sh start ${CMAKE_BINARY_DIR}/time-servers)
add_test(NAME time_servers_stop COMMAND ${CMAKE_SOURCE_DIR}/tests/time_servers.sh stop ${CMAKE_BINARY_DIR}/time-servers)
set_tests_properties(time_servers_start PROPERTIES FIXTURES_SETUP time_servers)
set_tests_properties(time_servers_stop PROPERTIES FIXTURES_CLEANUP time_servers)
set(dd_ui_environment
    "DD_DIST=${DD_DIST};DD_WORK=${dd_ui_work};DD_SHOTS=${CMAKE_BINARY_DIR}/screenshots;DD_CLOCK_RECORD=${dd_ui_work}/clock-set.txt")
set_tests_properties(ui_scenarios PROPERTIES TIMEOUT 600 FIXTURES_REQUIRED "ui_work;time_servers"
    ENVIRONMENT "${dd_ui_environment}")
# The trace through routers of the test's own, run inside a network namespace (skipped where none can be made).
add_test(NAME ui_trace_namespaces COMMAND ${CMAKE_SOURCE_DIR}/tests/trace_namespaces.sh run
    ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:ui_driver> --gtest_brief=1 --gtest_filter=TraceRouteNetns.*)
set_tests_properties(ui_trace_namespaces PROPERTIES TIMEOUT 300 SKIP_RETURN_CODE 77 FIXTURES_REQUIRED ui_work
    ENVIRONMENT "${dd_ui_environment}")
