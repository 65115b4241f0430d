#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// What the clipboard viewer makes of clipboard formats and their bytes, apart from the clipboard itself.

// The formats shown by preference, in order: text, bitmap, OEM text, file drop, Unicode text.
inline constexpr unsigned kClipPreferredFormats[] = {1, 2, 7, 15, 13};
constexpr unsigned kClipText = 1, kClipBitmap = 2, kClipOemText = 7, kClipDrop = 15;

// The name of a format: what the system registered (the bytes of a name buffer, up to its first zero), else
// the standard name of a number below 18, else empty.
std::string ClipFormatName(unsigned format, std::string_view registered);
// "0001:  Text"
std::string ClipMenuCaption(unsigned format, const std::string& name);
// The key of the format item at position (from 0): 1 to 9, then A to Z; 0 from the 36th item on.
char ClipMenuKey(int position);

// Text formats: up to the first zero byte, or the whole block when it has none.
std::string ClipTextUpToZero(std::string_view bytes);
// Any other format: every byte below 32 dotted out, one character per byte.
std::string ClipDottedText(std::string_view bytes);

// The file names of a file-drop block (a 20-byte header, then zero-terminated names closed by an empty one; wide
// names when the header says so, turned into text by toText). A block that ends early or points outside itself
// gives the names read up to that point.
std::vector<std::string> ClipDropFiles(std::string_view block,
                                       const std::function<std::string(std::u16string_view)>& toText);

// "#FF0000" for pure red: red, green and blue bytes, red highest.
std::string ClipColorCode(uint32_t color);
// Where a picture starts in a box: centred when it fits and centring is on, else at 0.
int ClipCenterOffset(int client, int picture, bool center);
// The temporary file that an edit of the contents goes through: "<folder>clip0000.txt" upward.
std::string ClipEditFileName(const std::string& folder, int counter);
