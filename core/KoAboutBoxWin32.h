#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

constexpr int kAboutBoxTemplate = 2001;

// The About box of a tool (template 2001 from instance, the program itself when null): its title, its registry
// date as "Compiled on ...", our credits and addresses, and buttons for the read-me and change-log files.
void ShowAboutBox(HWND owner, uint32_t updated, const std::string& title, HINSTANCE instance = nullptr);
