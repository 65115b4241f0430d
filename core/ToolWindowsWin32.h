#pragma once
#include <memory>

#include "core/KoUtilFormWin32.h"

// The class table: the window of each tool index, created and completed.
std::unique_ptr<TKoUtilForm> CreateToolWindow(TToolIndex index);
