#include "core/KoLibWin32.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "core/FontSpec.h"
#include "core/HandlesWin32.h"
#include "core/LateBoundWin32.h"

namespace {
const char* NullIfEmpty(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}
}  // namespace

int MsgBox(const std::string& text, const std::string& caption, UINT flags, HWND owner) {
    return MessageBoxA(owner, text.c_str(), caption.c_str(), flags);
}

std::string NarrowText(std::wstring_view wide) {
    const int count = static_cast<int>(wide.size());
    const int size =
        wide.empty() ? 0 : WideCharToMultiByte(CP_ACP, 0, wide.data(), count, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(std::max(size, 0)), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, wide.data(), count, text.data(), size, nullptr, nullptr);
    return text;
}

bool FileExists(const std::string& name) {
    const DWORD attributes = GetFileAttributesA(name.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string SysErrorMessage(DWORD code) {
    char buffer[256];
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                        buffer, sizeof buffer, nullptr);
    std::string text(buffer, length);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ')  // the line break the system appends
        text.pop_back();
    return text;
}

INT_PTR ShellOpen(const std::string& file, const std::string& params, const std::string& folder, int showCmd) {
    static const auto shellExecute = LateBound<decltype(&ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    if (!shellExecute)
        return SE_ERR_DLLNOTFOUND;
    return reinterpret_cast<INT_PTR>(
        shellExecute(nullptr, nullptr, file.c_str(), NullIfEmpty(params), NullIfEmpty(folder), showCmd));
}

std::vector<std::string> FindFiles(const std::string& folder, const std::string& mask) {
    std::string prefix = folder;
    if (!prefix.empty() && prefix.back() != '\\' && prefix.back() != '/')
        prefix += '\\';
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    TFindHandle search(FindFirstFileA((prefix + mask).c_str(), &found));
    if (!search)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search.get(), &found));
    return names;
}

void ReadWholeFile(const std::string& name, std::string& text) {
    text.clear();
    if (!FileExists(name))
        return;
    TFileHandle file(CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return;
    const DWORD size = GetFileSize(file.get(), nullptr);
    if (size == 0 || size == INVALID_FILE_SIZE)
        return;
    text.resize(size);
    DWORD read = 0;
    if (!ReadFile(file.get(), text.data(), size, &read, nullptr))
        read = 0;
    text.resize(read);
}

bool WriteWholeFile(const std::string& name, std::string_view text, bool append) {
    TFileHandle file(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, append ? OPEN_ALWAYS : CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    if (append && SetFilePointer(file.get(), 0, nullptr, FILE_END) == INVALID_SET_FILE_POINTER &&
        GetLastError() != NO_ERROR)
        return false;
    std::string data(text);
    if (append)
        data += "\r\n";
    DWORD written = 0;
    const BOOL ok = WriteFile(file.get(), data.data(), static_cast<DWORD>(data.size()), &written, nullptr);
    return ok && written == data.size();
}

bool SaveBitmapFile(const std::string& name, HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0)
        return false;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = info.bmWidth;
    header.biHeight = info.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const size_t stride = (static_cast<size_t>(info.bmWidth) * 3 + 3) & ~size_t{3};
    std::string pixels(stride * static_cast<size_t>(info.bmHeight), '\0');
    const TMemoryDC dc(CreateCompatibleDC(nullptr));
    if (!GetDIBits(dc.get(), bitmap, 0, static_cast<UINT>(info.bmHeight), pixels.data(),
                   reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS))
        return false;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
    bytes += pixels;
    return WriteWholeFile(name, bytes);
}

bool SetClipboardText(HWND owner, std::string_view text) {
    TClipboardLock clipboard(owner);
    if (!clipboard.IsOpen())
        return false;
    TGlobalHandle memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
    if (!memory)
        return false;
    auto* target = static_cast<char*>(GlobalLock(memory.get()));
    if (!target)
        return false;
    std::memcpy(target, text.data(), text.size());
    target[text.size()] = '\0';
    GlobalUnlock(memory.get());
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, memory.get()))
        return false;  // the memory is still ours and is freed
    memory.release();  // the clipboard owns it now
    return true;
}

void GetClipboardText(HWND owner, std::string& text) {
    if (!IsClipboardFormatAvailable(CF_TEXT))
        return;
    TClipboardLock clipboard(owner);
    if (!clipboard.IsOpen())
        return;
    HANDLE data = GetClipboardData(CF_TEXT);  // owned by the clipboard
    if (!data)
        return;
    const auto* source = static_cast<const char*>(GlobalLock(data));
    if (!source)
        return;
    // The block may lack its terminating zero; never read past its size.
    const size_t size = GlobalSize(data);
    text.assign(source, strnlen(source, size));
    GlobalUnlock(data);
}

LOGFONTA FontSpecToLogFont(std::string_view text) {
    const TWindowDC screen(nullptr);
    const int pixelsPerInch = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
    LOGFONTA font{};
    if (!SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof font, &font, 0)) {
        font = LOGFONTA{};
        std::strcpy(font.lfFaceName, "Tahoma");
        font.lfHeight = -MulDiv(8, pixelsPerInch, 72);
    }
    font.lfWidth = 0;
    font.lfEscapement = 0;
    font.lfOrientation = 0;
    font.lfWeight = FW_NORMAL;
    font.lfItalic = FALSE;
    font.lfUnderline = FALSE;
    font.lfStrikeOut = FALSE;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = 0;
    font.lfClipPrecision = 0;
    font.lfQuality = 0;
    font.lfPitchAndFamily = 0;

    const TFontSpec parsed = ParseFontSpec(text);
    if (parsed.bold)
        font.lfWeight = FW_BOLD;
    font.lfItalic = parsed.italic;
    font.lfUnderline = parsed.underline;
    font.lfStrikeOut = parsed.strikeOut;
    if (parsed.hasSize)
        font.lfHeight = -MulDiv(parsed.sizePoints, pixelsPerInch, 72);
    if (!parsed.faceName.empty())
        lstrcpynA(font.lfFaceName, parsed.faceName.c_str(), LF_FACESIZE);
    return font;
}

HFONT StrToFont(std::string_view text) {
    const LOGFONTA font = FontSpecToLogFont(text);
    return CreateFontIndirectA(&font);
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
    const TBrushHandle brush(CreateSolidBrush(color));
    FillRect(dc, &rect, brush.get());
}

void TFontStyles::Make(LOGFONTA base) {
    base.lfWeight = FW_BOLD;
    bold_.reset(CreateFontIndirectA(&base));
    base.lfUnderline = TRUE;
    both_.reset(CreateFontIndirectA(&base));
    base.lfWeight = FW_NORMAL;
    underlined_.reset(CreateFontIndirectA(&base));
}

HFONT TFontStyles::Get(bool bold, bool underlined) const {
    return bold && underlined ? both_.get() : bold ? bold_.get() : underlined ? underlined_.get() : nullptr;
}
