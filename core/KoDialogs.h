#pragma once
#include <string>
#include <string_view>
#include <vector>

// The pure halves of the file dialog: its filter list and the reading of its selection buffer.

// "Text|*.txt|All|*.*" becomes the dialog's list of zero-terminated strings, closed by an empty one.
std::string MakeFilterList(std::string_view filter);

// The chosen files in the dialog's buffer (zero-terminated strings, closed by an empty one): with multiSelect and
// more than one string, a folder followed by names, each joined to the folder; otherwise one full path.
std::vector<std::string> SplitFileSelection(std::string_view buffer, bool multiSelect);
