#pragma once
#include <string>
#include <string_view>

// A font described by a font text such as "Courier New" 10 or Verdana 9 bi; the platform half turns it into a
// font handle.
struct TFontSpec {
    std::string faceName;  // empty: keep the base font's face
    bool hasSize = false;  // false: keep the base font's height
    int sizePoints = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

TFontSpec ParseFontSpec(std::string_view text);
