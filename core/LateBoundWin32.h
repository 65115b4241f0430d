#pragma once
#include <windows.h>

// A function of a system library that most runs never call (dialogs, the shell, COM, sound): the library loads at
// the first call instead of at every start, and then stays. Null when the library or the function is missing.
// Written LateBound<decltype(&Name)>(library, "Name"), which takes no address of the imported function itself.
template <typename TFunction>
TFunction LateBound(const char* library, const char* name) {
    HMODULE module = GetModuleHandleA(library);
    if (!module)
        module = LoadLibraryA(library);
    const FARPROC address = module ? GetProcAddress(module, name) : nullptr;
    return reinterpret_cast<TFunction>(reinterpret_cast<void (*)()>(address));
}
