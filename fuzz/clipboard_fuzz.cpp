// Clipboard blocks as any program may leave them: a file list never yields more text than its block holds, the
// names never hold a zero, and format names and dotted text keep to their bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/FuzzSupport.h"
#include "tools/system/ClipBoard.h"
#include "tools/system/HexViewer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string block(reinterpret_cast<const char*>(data), size);
    const auto toText = [](std::u16string_view wide) { return std::string(wide.size(), '?'); };
    size_t total = 0;
    for (const std::string& name : ClipDropFiles(block, toText)) {
        Check(!name.empty() && name.find('\0') == std::string::npos, "names are whole and hold no zero");
        total += name.size() + 1;
    }
    Check(total <= size, "a file list reads nothing past its block");
    const unsigned format = size >= 2 ? static_cast<unsigned>(data[0] | data[1] << 8) : 0;
    Check(ClipFormatName(format, block).size() <= size || format < 18, "a name comes from its buffer");
    Check(ClipDottedText(block).size() == size, "one character per byte");
    const THexLayout layout;
    for (uint32_t offset = 0; offset < size + 32; offset += 7)
        Check(layout.Line(block, offset).size() <= (offset < size ? size - offset : 0), "a line stays in the data");
    return 0;
}
