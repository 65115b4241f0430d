# Source sets. A file whose name ends in Win32 is the Windows half of a module; one ending in Native is the
# stand-in the native build uses for it; every other file is portable and must not see the Windows headers.
file(GLOB_RECURSE dd_all_sources CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/core/*.cpp ${CMAKE_SOURCE_DIR}/tools/*.cpp)
file(GLOB_RECURSE dd_all_headers CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/core/*.h ${CMAKE_SOURCE_DIR}/tools/*.h)

set(DD_PORTABLE_SOURCES ${dd_all_sources})
list(FILTER DD_PORTABLE_SOURCES EXCLUDE REGEX "(Win32|Native)\\.cpp$")
list(FILTER DD_PORTABLE_SOURCES EXCLUDE REGEX "/core/Main\\.cpp$")
set(DD_WIN32_SOURCES ${dd_all_sources})
list(FILTER DD_WIN32_SOURCES INCLUDE REGEX "Win32\\.cpp$")
set(DD_NATIVE_SOURCES ${dd_all_sources})
list(FILTER DD_NATIVE_SOURCES INCLUDE REGEX "Native\\.cpp$")
set(DD_MAIN_SOURCE ${CMAKE_SOURCE_DIR}/core/Main.cpp)

set(dd_portable_files ${dd_all_sources} ${dd_all_headers})
list(FILTER dd_portable_files EXCLUDE REGEX "Win32\\.(cpp|h)$")
list(FILTER dd_portable_files EXCLUDE REGEX "/core/Main\\.cpp$")
foreach(file ${dd_portable_files})
    file(STRINGS ${file} hits REGEX "#[ \t]*include[ \t]*<(windows|winsock2|ws2tcpip|commctrl|shellapi|shlobj|winioctl|iphlpapi|icmpapi|mmsystem|richedit|commdlg)\\.h>")
    if(hits)
        message(FATAL_ERROR "${file} is portable code but includes a Windows header: ${hits}")
    endif()
endforeach()
