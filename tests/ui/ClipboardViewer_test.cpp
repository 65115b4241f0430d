#include <shlobj.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "core/KoLib.h"
#include "core/KoLibWin32.h"
#include "tests/ui/AppSession.h"

namespace {
constexpr const char* kText = "Text from xclip 0123456789";

std::string FileText(const std::string& path) {
    std::string text;
    ReadFileBytes(path, text);
    return text;
}

// Runs a shell script of this machine in the scenario's folder (Wine starts Unix programs too, but cannot wait for
// them: the script leaves its exit code in a file); ~0 when it did not end.
DWORD RunShell(const TDistCopy& dist, const std::string& script) {
    std::string folder = dist.Folder().substr(2);  // "Z:\..." is the Unix root
    std::replace(folder.begin(), folder.end(), '\\', '/');
    const std::string done = dist.Folder() + "step.done";
    DeleteFileA(done.c_str());
    const std::string text = "cd '" + folder + "' || exit 9\n(\n" + script + "\n)\necho $? > step.done\n";
    WriteWholeFile(dist.Folder() + "step.sh", text);
    RunProgram("/bin/sh \"" + folder + "step.sh\"", 0);
    if (!WaitUntil([&] { return !FileText(dist.Folder() + "step.done").empty(); }, 30000))
        return ~0u;
    return static_cast<DWORD>(std::stoul(FileText(dist.Folder() + "step.done")));
}

// Puts one block on the clipboard as this program's own.
void PutOnClipboard(UINT format, HANDLE data) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(format, data);
    CloseClipboard();
}

HGLOBAL Block(const std::string& bytes) {
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    std::copy(bytes.begin(), bytes.end(), static_cast<char*>(GlobalLock(block)));
    GlobalUnlock(block);
    return block;
}

std::string DropBlock(const std::string& names) {
    DROPFILES header{};
    header.pFiles = sizeof header;
    return std::string(reinterpret_cast<const char*>(&header), sizeof header) + names;
}

struct TXclipCleanup {
    const TDistCopy& dist;
    ~TXclipCleanup() { RunShell(dist, "[ -f xclip.pid ] && kill $(cat xclip.pid) 2>/dev/null; true"); }
};
}  // namespace

// xclip on the X side copies text: the viewer shows it with zlib's CRC-32 of its bytes, also as a hex dump, and its
// Clear empties what xclip then pastes. Bitmaps, file lists and a 64 MB block come from here.
TEST(ClipboardViewer, ShowsWhatOtherProgramsCopy) {
    TDistCopy dist("clipboard");
    TXclipCleanup cleanup{dist};
    ASSERT_TRUE(OpenClipboard(nullptr) && EmptyClipboard() && CloseClipboard());
    TAppSession app(dist, "clipboard");
    const HWND status = app.Control("msctls_statusbar32");
    // The view is made anew for each text, so it is looked up each time.
    const auto shown = [&] { return ControlText(app.Control("RichEdit20A")); };
    ASSERT_TRUE(status);
    const auto panels = [&] {
        std::string all;
        for (int i = 0; i < 7; ++i)
            all += app.StatusPanel(status, i) + "|";
        return all;
    };
    ASSERT_TRUE(WaitUntil([&] { return Holds(panels(), "Checksum: n/a"); })) << panels();
    EXPECT_EQ(panels(), "Name: n/a|Raw Size: n/a|Length: n/a|Format: n/a|Handle: n/a|Formats: n/a|Checksum: n/a|");

    ASSERT_EQ(
        RunShell(dist, std::string("printf '%s' '") + kText + "' > clip.txt\n" +
                           "xclip -quiet -selection clipboard -i clip.txt >/dev/null 2>&1 & echo $! > xclip.pid\n" +
                           "{ cat clip.txt; printf '\\0'; } | gzip -c | tail -c 8 | head -c 4 | od -An -tx4 | "
                           "tr -d ' \\n' | tr a-f A-F > crc.txt"),
        0u);
    ASSERT_TRUE(WaitUntil([&] { return shown() == kText; }, 15000)) << shown();
    const std::string crc = FileText(dist.Folder() + "crc.txt");
    ASSERT_EQ(crc.size(), 8u);
    EXPECT_TRUE(Holds(panels(), "|Raw Size: 27|Length: 26|Format: 0x0001|")) << panels();
    EXPECT_TRUE(Holds(panels(), "|CRC-32: 0x" + crc + "|")) << panels() << " zlib: " << crc;
    EXPECT_TRUE(panels().starts_with("Text  (Sequence: 0x")) << panels();
    const std::vector<HWND> views = app.Controls("DaDeruvWindow");  // the picture box, then the hex view
    ASSERT_EQ(views.size(), 2u);
    app.PressKey('H');
    EXPECT_TRUE(IsWindowVisible(views[1]));
    SaveScreenshot(app.Window(), "clipboard-hex");
    app.PressKey('H');
    SaveScreenshot(app.Window(), "clipboard-text");

    app.TypeKey(VK_DELETE, VK_CONTROL);
    ASSERT_TRUE(WaitUntil([&] { return shown() == "** The Clipboard is Empty **"; })) << shown();
    EXPECT_EQ(RunShell(dist,
                       "timeout 10 xclip -o -selection clipboard > pasted.txt 2>/dev/null\n"
                       "for i in $(seq 50); do kill -0 $(cat xclip.pid) 2>/dev/null || exit 0; sleep 0.1; done\n"
                       "echo still serving >> pasted.txt"),
              0u);
    EXPECT_EQ(FileText(dist.Folder() + "pasted.txt"), "");

    // A red bitmap: no bytes, its size, and a click on it offers its colour code.
    const HDC screen = GetDC(nullptr);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 37, 23);
    const HDC dc = CreateCompatibleDC(screen);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    FillSolid(dc, RECT{0, 0, 37, 23}, RGB(255, 0, 0));
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    PutOnClipboard(CF_BITMAP, bitmap);
    ASSERT_TRUE(WaitUntil([&] { return Holds(panels(), "|Raw Size: 0|Size: 37 x 23|Format: 0x0002|"); })) << panels();
    EXPECT_TRUE(Holds(panels(), "|CRC-32: 0x00000000|")) << panels();
    SaveScreenshot(app.Window(), "clipboard-bitmap");
    const HWND image = app.FocusedControl();
    const RECT box = ClientRect(image);
    const int x = box.right / 2, y = box.bottom / 2;
    Click(image, x, y);
    const HWND pick = WaitForWindowTitled(
        "Pixel Color @ " + std::to_string(x - (box.right - 37) / 2) + " x " + std::to_string(y - (box.bottom - 23) / 2),
        5000);
    ASSERT_TRUE(pick);
    PostMessageA(pick, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitUntil([&] { return shown() == "#FF0000"; })) << shown();

    // Edited in the editor the system opens, the text goes back; a file the editor took away leaves it alone.
    char temp[MAX_PATH] = "";
    GetTempPathA(sizeof temp, temp);
    const std::string edited = std::string(temp) + "clip0000.txt";
    for (const bool keep : {true, false}) {
        DeleteFileA(edited.c_str());
        app.TypeKey('E', VK_CONTROL);
        const HWND ask = WaitForWindowTitled("Update Clipboard Contents?", 10000);
        ASSERT_TRUE(ask);
        EXPECT_EQ(FileText(edited), keep ? "#FF0000" : "edited");
        DeleteFileA(edited.c_str());
        if (keep)
            WriteWholeFile(edited, "edited");
        PostMessageA(ask, WM_COMMAND, IDOK, 0);
        if (!keep) {
            const HWND refused = WaitForWindowTitled("Clipboard Viewer", 10000);
            ASSERT_TRUE(refused);
            PostMessageA(refused, WM_COMMAND, IDOK, 0);
        }
        ASSERT_TRUE(WaitUntil([&] { return shown() == "edited" && !IsWindow(ask); })) << shown();
        EXPECT_EQ(GetFileAttributesA(edited.c_str()), INVALID_FILE_ATTRIBUTES) << "the file was left behind";
    }
    HWND editor = nullptr;
    for (int i = 0; i < 4 && (editor = FindWindowA("Notepad", nullptr)) != nullptr; ++i)
        CloseAndWait(editor);

    PutOnClipboard(CF_HDROP, Block(DropBlock(std::string("C:\\one.txt\0C:\\two words.txt\0\0", 29))));
    ASSERT_TRUE(WaitUntil([&] { return shown() == "C:\\one.txt\r\nC:\\two words.txt\r\n"; })) << shown();
    // A block of 64 MB of a format of our own is shown whole, and the window keeps answering.
    PutOnClipboard(RegisterClipboardFormatA("DaDeruv Test Block"), Block(std::string(64 << 20, '\x07')));
    ASSERT_TRUE(WaitUntil([&] { return Holds(panels(), "Raw Size: 67,108,864|"); }, 30000)) << panels();
    EXPECT_TRUE(Holds(panels(), "DaDeruv Test Block  (Sequence: ")) << panels();
    DWORD_PTR answer = 0;
    EXPECT_TRUE(SendMessageTimeoutA(app.Window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 20000, &answer));

    // A lock holds the clipboard open across refreshes until it is let go.
    app.PressKey(VK_F10);
    app.PressKey(VK_F5);
    EXPECT_FALSE(OpenClipboard(nullptr)) << "the lock was lost";
    app.PressKey(VK_F10);
    EXPECT_TRUE(OpenClipboard(nullptr) && CloseClipboard());
    app.PressKey('C');
    app.PressKey(VK_ESCAPE);
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_EQ(dist.ReadIni("clipboard", "center_image") + dist.ReadIni("clipboard", "hex_viewer"), "falsefalse");
}
