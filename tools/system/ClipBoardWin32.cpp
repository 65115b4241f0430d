#include "tools/system/ClipBoardWin32.h"

#include <richedit.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

#include "core/Format.h"
#include "core/KoDialogsWin32.h"
#include "core/KoLib.h"
#include "core/KoLibWin32.h"
#include "core/NvRichOutputWin32.h"
#include "tools/system/ClipBoard.h"
#include "tools/system/KoChecksum.h"

namespace {
enum : uint16_t { kSaveContent = 1, kSaveRaw, kQuit, kCenterImage, kHexView, kEditContents, kRefresh, kLock, kClear };
constexpr int kPanelWidths[] = {0, 130, 130, 120, 140, 110, 130};
constexpr int kPanelCount = static_cast<int>(std::size(kPanelWidths));
// Rich edits take about a second per hundred kilobytes of lines under Wine, so text fills in on a timer, and the view
// shows only the first part of a larger text (saving and editing take all of it). A text whose first line is longer
// than a page of lines, such as the dots of a binary format, is laid out slowly as one line: less of it is shown.
constexpr size_t kTextViewLimit = 4 << 20;
constexpr size_t kLongLineLimit = 1 << 16;
constexpr size_t kPieceBytes = 4096;
constexpr int kMaxFormats = 4096;  // ends an enumeration that would not end

// Formats whose data is a GDI object or a private handle, not a memory block: they have no bytes to lock.
bool IsGdiFormat(unsigned format) {
    return format == CF_BITMAP || format == CF_PALETTE || format == CF_ENHMETAFILE || format == CF_DSPBITMAP ||
           format == CF_DSPENHMETAFILE || (format >= CF_PRIVATEFIRST && format <= CF_GDIOBJLAST);
}

// The data of one format of the open clipboard, locked while the object lives.
class TClipData {
  public:
    explicit TClipData(unsigned format) : handle_(GetClipboardData(format)) {
        if (handle_ && !IsGdiFormat(format) && (bytes_ = GlobalLock(handle_)) != nullptr)
            size_ = GlobalSize(handle_);
    }
    ~TClipData() {
        if (bytes_)
            GlobalUnlock(handle_);
    }
    TClipData(const TClipData&) = delete;
    TClipData& operator=(const TClipData&) = delete;
    HANDLE Handle() const { return handle_; }
    std::string_view Bytes() const { return {static_cast<const char*>(bytes_), bytes_ ? size_ : 0}; }

  private:
    HANDLE handle_;
    void* bytes_ = nullptr;
    size_t size_ = 0;
};

std::string FormatName(unsigned format) {
    char buffer[64] = {};
    const int length = GetClipboardFormatNameA(format, buffer, sizeof buffer);
    return ClipFormatName(format, std::string_view(buffer, static_cast<size_t>(std::clamp(length, 0, 63))));
}

// Windows' wide characters are UTF-16 units.
std::string WideToText(std::u16string_view wide) {
    return NarrowText(std::wstring_view(reinterpret_cast<const wchar_t*>(wide.data()), wide.size()));
}

}  // namespace

// In pieces that end after a line end where one is near, so that each step of the fill adds whole lines.
void TClipTextView::ShowText(std::string_view text) {
    const TColor color = HasFontColor() ? FontColor() : GetSysColor(COLOR_WINDOWTEXT);
    std::vector<TRichLine> pieces;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find('\n', std::min(text.size(), at + kPieceBytes));
        const size_t next =
            end != std::string::npos && end - at < 4 * kPieceBytes ? end + 1 : std::min(text.size(), at + kPieceBytes);
        pieces.push_back({color, false, std::string(text.substr(at, next - at)), false, false, false});
        at = next;
    }
    // A hidden rich edit would be made visible by the fill's redraw switch.
    const bool visible = Visible();
    SetVisible(true);
    ShowLines(std::move(pieces));
    SetVisible(visible);
}

LRESULT TClipTextView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_MOUSEWHEEL)
        return TNvRichOutput::HandleMessage(message, wParam, lParam);
    UINT lines = 3;
    SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    const int notches = -wheel_.Add(GET_WHEEL_DELTA_WPARAM(wParam));
    if (lines == WHEEL_PAGESCROLL) {  // the setting "one screen at a time"
        for (int i = 0; i < std::abs(notches); ++i)
            DefaultHandler(WM_VSCROLL, notches > 0 ? SB_PAGEDOWN : SB_PAGEUP, 0);
        return 0;
    }
    const int n = notches * static_cast<int>(lines);
    if (!TShiftState::Current().shift) {
        DefaultHandler(EM_LINESCROLL, 0, n);
        return 0;
    }
    SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
    for (int i = 0; i < 4 * std::abs(n) + 1; ++i)
        DefaultHandler(WM_HSCROLL, n > 0 ? SB_LINERIGHT : SB_LINELEFT, 0);
    SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    Invalidate();
    return 0;
}

TClipImageBox::TClipImageBox(TWinControl* owner) : TFauxScrollBox(owner) {
    HorzScrollBar.SetMax(0);
    VertScrollBar.SetMax(0);
}

void TClipImageBox::SetBitmap(HBITMAP bitmap) {
    bitmap_.reset(bitmap);
    BITMAP info{};
    size_ = bitmap && GetObjectA(bitmap, sizeof info, &info) ? SIZE{info.bmWidth, info.bmHeight} : SIZE{0, 0};
    HorzScrollBar.SetPosition(0);
    VertScrollBar.SetPosition(0);
    UpdateRange();
    Invalidate();
}

void TClipImageBox::SetCentered(bool centered) {
    centered_ = centered;
    Invalidate();
}

void TClipImageBox::UpdateRange() {
    const RECT client = ClientRect();
    HorzScrollBar.SetMax(std::max<int>(0, size_.cx - 1));
    HorzScrollBar.SetPage(static_cast<uint32_t>(std::max<LONG>(1, client.right)));
    VertScrollBar.SetMax(std::max<int>(0, size_.cy - 1));
    VertScrollBar.SetPage(static_cast<uint32_t>(std::max<LONG>(1, client.bottom)));
    HorzScrollBar.Reclamp();
    VertScrollBar.Reclamp();
}

POINT TClipImageBox::Origin() const {
    const RECT client = ClientRect();
    return {ClipCenterOffset(client.right, size_.cx, centered_) - HorzScrollBar.Position(),
            ClipCenterOffset(client.bottom, size_.cy, centered_) - VertScrollBar.Position()};
}

bool TClipImageBox::PixelAt(int x, int y, POINT& pixel, COLORREF& color) const {
    const POINT origin = Origin();
    pixel = {x - origin.x, y - origin.y};
    if (!bitmap_ || pixel.x < 0 || pixel.y < 0 || pixel.x >= size_.cx || pixel.y >= size_.cy)
        return false;
    const TMemoryDC dc(CreateCompatibleDC(nullptr));
    const TSelectObject selected(dc.get(), bitmap_.get());
    color = GetPixel(dc.get(), pixel.x, pixel.y);
    return color != CLR_INVALID;
}

void TClipImageBox::Paint(HDC dc, const RECT& client) {
    TFauxScrollBox::Paint(dc, client);
    if (!bitmap_)
        return;
    const POINT origin = Origin();
    const TMemoryDC source(CreateCompatibleDC(dc));
    const TSelectObject selected(source.get(), bitmap_.get());
    BitBlt(dc, origin.x, origin.y, size_.cx, size_.cy, source.get(), 0, 0, SRCCOPY);
}

void TClipImageBox::Scroll() {
    TFauxScrollBox::Scroll();
    Invalidate();
}

LRESULT TClipImageBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE)
        UpdateRange();
    return TFauxScrollBox::HandleMessage(message, wParam, lParam);
}

const TCommand<TFormClipbrd> TFormClipbrd::kMainMenu[] = {
    {{kSaveContent, kShortCutCtrl | 'S', "&Save Content...", 0, -1}, [](TFormClipbrd& f) { f.SaveContent(); }},
    {{kSaveRaw, VK_F12, "Save &Raw Content...", 0, -1}, [](TFormClipbrd& f) { f.SaveRawContent(); }},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kQuit, kShortCutAlt | 'Q', "&Quit", 0, -1}, [](TFormClipbrd& f) { f.Close(); }},
};

const TCommand<TFormClipbrd> TFormClipbrd::kOptionsMenu[] = {
    {{kCenterImage, 'C', "&Center Image", 0, -1}, [](TFormClipbrd& f) { f.CenterImage->Toggle(); }},
    {{kHexView, 'H', "&Hex View", 0, -1}, [](TFormClipbrd& f) { f.HexViewerVar->Toggle(); }},
};

const TCommand<TFormClipbrd> TFormClipbrd::kClipboardMenu[] = {
    {{kRefresh, kShortCutCtrl | 'R', "&Refresh", 0, -1}, [](TFormClipbrd& f) { f.Refresh(); }},
    {{kEditContents, kShortCutCtrl | 'E', "&Edit Contents...", 0, -1}, [](TFormClipbrd& f) { f.EditContents(); }},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kLock, VK_F10, "&Lock", 0, -1}, [](TFormClipbrd& f) { f.ToggleLock(); }},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kClear, kShortCutCtrl | VK_DELETE, "&Clear", 0, -1}, [](TFormClipbrd& f) { f.ClearClipboard(); }},
};

TFormClipbrd::TFormClipbrd(TWinControl* owner) : TKoUtilForm(owner, &ToolRecord(kClipboardIndex)) {
    TEasyConfig& c = Config();
    CenterImage = &TConfigVarBool::Define(c, Tool.Key, true, "center_image");
    HexViewerVar = &TConfigVarBool::Define(c, Tool.Key, false, "hex_viewer");

    statusBar_ = &Add<TNvStatusBar>();
    statusBar_->SetPanels(kPanelWidths);
    textView_ = &Add<TClipTextView>();
    textView_->SetAlign(TAlign::Client);
    textView_->Tag = kTagBackColor | kTagTextColor;
    imageBox_ = &Add<TClipImageBox>();
    imageBox_->SetAlign(TAlign::Client);
    imageBox_->Tag = kTagBackColor;
    imageBox_->SetVisible(false);
    imageBox_->OnMouseClick = [this](int x, int y) { PickColor(x, y); };
    imageBox_->OnMouseWheel = [this](int delta, const TShiftState& shift) {
        TFauxScrollBar& bar =
            shift.shift && !shift.ctrl && !shift.alt ? imageBox_->HorzScrollBar : imageBox_->VertScrollBar;
        bar.SetPosition(int64_t{bar.Position()} - delta);
        return imageBox_->Visible();
    };
    hexView_ = &Add<THexViewer>();
    hexView_->SetAlign(TAlign::Client);
    hexView_->Tag = kTagBackColor | kTagTextColor;
    hexView_->SetVisible(false);
    hexView_->HeaderColor = HsvToColor(static_cast<double>(GetTickCount() % 361), 0.6, 0.6);
    ActiveControl = textView_;

    AddMenu("&Main", kMainMenu);
    AddMenu("&Options", kOptionsMenu);
    AddMenu("&Clipboard", kClipboardMenu);
    formatsMenu_ = &MainMenu()->AddMenu("&Formats", std::vector<const TNvMenuItem*>{}, TNvMenuClick());

    WhenChanged(CenterImage, [this] {
        MainMenu()->SetChecked(kCenterImage, CenterImage->Value());
        imageBox_->SetCentered(CenterImage->Value());
    });
    WhenChanged(HexViewerVar, [this] {
        MainMenu()->SetChecked(kHexView, HexViewerVar->Value());
        hexView_->SetVisible(HexViewerVar->Value());
        if (HexViewerVar->Value())
            SetWindowPos(hexView_->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    });
}

// The window may go without a WM_DESTROY of its own reaching this class.
TFormClipbrd::~TFormClipbrd() {
    LeaveChain();
}

void TFormClipbrd::FormShown() {
    inChain_ = true;
    // Joining makes the system send the first change notice, which fills the view.
    nextViewer_ = SetClipboardViewer(Handle());
}

void TFormClipbrd::LeaveChain() {
    if (inChain_)
        ChangeClipboardChain(Handle(), nextViewer_);
    inChain_ = false;
    if (Handle() && GetOpenClipboardWindow() == Handle())
        CloseClipboard();
}

LRESULT TFormClipbrd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DRAWCLIPBOARD:
            if (nextViewer_)
                PostMessageA(nextViewer_, WM_DRAWCLIPBOARD, 0, 0);
            Refresh();
            return 0;
        case WM_CHANGECBCHAIN:
            if (reinterpret_cast<HWND>(wParam) == nextViewer_)
                nextViewer_ = reinterpret_cast<HWND>(lParam);
            else if (nextViewer_)
                SendMessageA(nextViewer_, WM_CHANGECBCHAIN, wParam, lParam);
            return 0;
        case WM_DESTROY:
            LeaveChain();
            break;
    }
    return TKoUtilForm::HandleMessage(message, wParam, lParam);
}

void TFormClipbrd::FormKeyDown(TKeyEvent& event) {
    const bool plain = !event.shift.ctrl && !event.shift.alt && !event.shift.shift;
    if (plain && (event.key == VK_ESCAPE || event.key == VK_F5)) {
        if (event.key == VK_ESCAPE)
            Close();
        else
            Refresh();
        ConsumeKey(event);
        return;
    }
    TKoUtilForm::FormKeyDown(event);
    if (!event.key || !plain)
        return;
    for (size_t i = 0; i < formatItems_.size(); ++i)
        if (formatItems_[i].ShortCut == event.key && !(formatItems_[i].Flags & kMenuDisabled)) {
            ChooseFormatItem(i);
            ConsumeKey(event);
            return;
        }
}

void TFormClipbrd::SetPanels(const std::vector<std::string>& texts) {
    for (size_t i = 0; i < texts.size() && i < static_cast<size_t>(kPanelCount); ++i)
        statusBar_->SetPanelText(static_cast<int>(i), texts[i]);
}

void TFormClipbrd::Refresh() {
    textView_->SetVisible(true);
    imageBox_->SetVisible(false);
    imageBox_->SetBitmap(nullptr);
    BuildFormatsMenu();
    MainMenu()->SetChecked(kLock, GetOpenClipboardWindow() == Handle());
    if (CountClipboardFormats() == 0) {
        MainMenu()->SetEnabled(kEditContents, false);
        SetPanels({"Name: n/a", "Raw Size: n/a", "Length: n/a", "Format: n/a", "Handle: n/a", "Formats: n/a",
                   "Checksum: n/a"});
        SetViewText("** The Clipboard is Empty **");
        hexView_->SetData(nullptr, 0);
        return;
    }
    UINT preferred[std::size(kClipPreferredFormats)];
    std::copy(std::begin(kClipPreferredFormats), std::end(kClipPreferredFormats), preferred);
    const int chosen = GetPriorityClipboardFormat(preferred, static_cast<int>(std::size(preferred)));
    if (chosen > 0) {
        ShowFormat(static_cast<unsigned>(chosen));
        CheckFormatItem(static_cast<unsigned>(chosen));
        return;
    }
    if (formatNumbers_.empty())
        return;
    const auto standard = std::find_if(formatNumbers_.begin(), formatNumbers_.end(), [](unsigned f) { return f < 17; });
    ChooseFormatItem(standard == formatNumbers_.end() ? 0 : static_cast<size_t>(standard - formatNumbers_.begin()));
}

void TFormClipbrd::BuildFormatsMenu() {
    std::vector<std::string> captions;
    std::vector<unsigned> numbers;
    const int count = CountClipboardFormats();
    statusBar_->SetPanelText(5, Format("Formats: %d", {count}));
    uint32_t flags = kMenuDisabled;
    if (count == 0) {
        captions.push_back("The Clipboard is Empty");
    } else if (TClipboardLock open(Handle()); open.IsOpen()) {
        flags = kMenuRadio;
        UINT format = 0;
        for (int i = 0; i < kMaxFormats && (format = EnumClipboardFormats(format)) != 0; ++i) {
            numbers.push_back(format);
            captions.push_back(ClipMenuCaption(format, FormatName(format)));
        }
    } else {
        captions.push_back("Failed to open Clipboard");
    }
    // The menu's entries point into the records and the records into the captions: both are replaced only once the
    // menu holds the new ones.
    std::vector<TNvMenuItem> items;
    items.reserve(captions.size());
    std::vector<const TNvMenuItem*> records;
    for (size_t i = 0; i < captions.size(); ++i) {
        const char key = flags == kMenuRadio ? ClipMenuKey(static_cast<int>(i)) : 0;
        items.push_back({static_cast<uint16_t>(i), static_cast<uint16_t>(static_cast<unsigned char>(key)),
                         captions[i].c_str(), flags, -1});
        records.push_back(&items.back());
    }
    MainMenu()->ReplaceItems(*formatsMenu_, records, [this](const TNvMenuItem& item) { ChooseFormatItem(item.Id); });
    formatItems_.swap(items);
    formatCaptions_.swap(captions);
    formatNumbers_.swap(numbers);
    DrawMenuBar(Handle());
}

void TFormClipbrd::ChooseFormatItem(size_t position) {
    if (position >= formatNumbers_.size())
        return;
    CheckFormatItem(formatNumbers_[position]);
    ShowFormat(formatNumbers_[position]);
}

void TFormClipbrd::CheckFormatItem(unsigned format) {
    const auto& items = formatsMenu_->Items();
    for (size_t i = 0; i < items.size() && i < formatNumbers_.size(); ++i)
        items[i]->SetChecked(formatNumbers_[i] == format);
}

// The whole text is kept for saving and editing; the view shows its first part.
void TFormClipbrd::SetViewText(std::string text) {
    shownText_ = std::move(text);
    const size_t firstLineEnd = shownText_.find('\n');
    const bool lines = firstLineEnd != std::string::npos && firstLineEnd < kLongLineLimit;
    textView_->ShowText(std::string_view(shownText_).substr(0, lines ? kTextViewLimit : kLongLineLimit));
}

void TFormClipbrd::ShowFormat(unsigned format) {
    SetViewText("");
    const bool picture = format == kClipBitmap;
    textView_->SetVisible(!picture);
    imageBox_->SetVisible(picture);
    (picture ? static_cast<TWinControl*>(imageBox_) : textView_)->SetFocus();
    const TClipboardLock open(Handle());
    if (!open.IsOpen())
        return;
    const TClipData data(format);
    const std::string_view bytes = data.Bytes();
    const std::string& prefix = HexDisplayPrefix();
    SetPanels({Format("%s  (Sequence: %s%.4x)", {FormatName(format), prefix, GetClipboardSequenceNumber()}),
               Format("Raw Size: %.0n", {static_cast<double>(bytes.size())}), "n/a",
               Format("Format: %s%.4x", {prefix, format}),
               Format("Handle: %s%.8x",
                      {prefix, static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(data.Handle()))})});
    statusBar_->SetPanelText(6, Format("CRC-32: 0x%.8x", {Crc32(bytes.data(), bytes.size())}));
    currentFormat_ = format;
    hexView_->SetData(bytes.data(), bytes.size());
    SetTextFont(format);
    if (format == kClipText || format == kClipOemText) {
        SetViewText(ClipTextUpToZero(bytes));
    } else if (picture) {
        // A copy of our own: the clipboard's bitmap belongs to the clipboard.
        imageBox_->SetBitmap(data.Handle() ? static_cast<HBITMAP>(CopyImage(data.Handle(), IMAGE_BITMAP, 0, 0, 0))
                                           : nullptr);
    } else if (format == kClipDrop) {
        std::string lines;
        for (const std::string& name : ClipDropFiles(bytes, WideToText))
            lines += name + "\r\n";
        SetViewText(lines);
    } else {
        SetViewText(ClipDottedText(bytes));
    }
    MainMenu()->SetEnabled(kEditContents, !picture);
    if (picture) {
        imageBox_->UpdateRange();
        const SIZE size = imageBox_->PictureSize();
        statusBar_->SetPanelText(2, Format("Size: %d x %d", {size.cx, size.cy}));
    } else {
        statusBar_->SetPanelText(2, Format("Length: %.0n", {static_cast<double>(shownText_.size())}));
    }
}

void TFormClipbrd::SetTextFont(unsigned format) {
    const bool oem = format == kClipOemText;
    LOGFONTA log = FontSpecToLogFont(oem ? "\"Terminal\" 9" : "\"Courier New\" 10");
    log.lfCharSet = oem ? OEM_CHARSET : ANSI_CHARSET;
    textView_->SetFont(TFontHandle(CreateFontIndirectA(&log)));
}

void TFormClipbrd::SaveContent() {
    TKoFileDialog dialog(Handle());
    const bool text = textView_->Visible();
    dialog.SetFilter(text ? "Text File (*.txt)|*.txt|" : "Bitmap Picture (*.bmp)|*.bmp|");
    dialog.DefaultExt = text ? "txt" : "bmp";
    if (!dialog.Execute(true))
        return;
    // The clipboard may have changed while the dialog was open: what the view shows now is saved.
    const bool saved = textView_->Visible() ? WriteWholeFile(dialog.FileName, shownText_)
                                            : SaveBitmapFile(dialog.FileName, imageBox_->Bitmap());
    if (!saved)
        MsgBox("Failed to save " + dialog.FileName, Tool.Title, MB_OK | MB_ICONERROR, Handle());
}

void TFormClipbrd::SaveRawContent() {
    TKoFileDialog dialog(Handle());
    dialog.SetFilter("Raw Data File (*.raw)|*.raw|");
    dialog.DefaultExt = "raw";
    if (!dialog.Execute(true))
        return;
    const TClipboardLock open(Handle());
    if (!open.IsOpen())
        return;
    const TClipData data(currentFormat_);
    const TFileHandle file(CreateFileA(dialog.FileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_ARCHIVE, nullptr));
    if (!file)
        return;
    std::string_view rest = data.Bytes();
    DWORD written = 0;
    while (!rest.empty() &&
           WriteFile(file.get(), rest.data(), static_cast<DWORD>(std::min<size_t>(rest.size(), 1 << 20)), &written,
                     nullptr) &&
           written > 0)
        rest.remove_prefix(written);
}

void TFormClipbrd::EditContents() {
    char folder[MAX_PATH + 1] = {};
    GetTempPathA(sizeof folder, folder);
    std::string name;
    for (int counter = 0; counter <= 0xFFFF; ++counter)
        if (!FileExists(name = ClipEditFileName(folder, counter)))
            break;
    WriteWholeFile(name, shownText_);
    ShellOpen(name);
    if (MsgBox("When done, click OK to update the clipboard.", "Update Clipboard Contents?",
               MB_OKCANCEL | MB_ICONINFORMATION, Handle()) == IDOK) {
        // An editor that moved, deleted or locked the file must not empty the clipboard.
        std::string text;
        if (FileExists(name) && ReadFileBytes(name, text))
            SetClipboardText(Handle(), text);
        else
            MsgBox("The edited file could not be read, so the clipboard is unchanged.", Tool.Title,
                   MB_OK | MB_ICONERROR, Handle());
    }
    DeleteFileA(name.c_str());
}

void TFormClipbrd::ToggleLock() {
    if (GetOpenClipboardWindow())
        CloseClipboard();
    else
        OpenClipboard(Handle());
    MainMenu()->SetChecked(kLock, GetOpenClipboardWindow() == Handle());
}

void TFormClipbrd::ClearClipboard() {
    const bool held = GetOpenClipboardWindow() == Handle();
    {
        const TClipboardLock open(Handle());
        if (open.IsOpen())
            EmptyClipboard();
    }
    // Under a lock the clipboard stays open, so no change notice comes.
    if (held)
        Refresh();
}

void TFormClipbrd::PickColor(int x, int y) {
    POINT pixel{};
    COLORREF color = 0;
    if (!imageBox_->PixelAt(x, y, pixel, color))
        return;
    std::string code = ClipColorCode(color);
    if (InputBox(Handle(), "Press OK to replace the clipboard content with the text code for this color", code, nullptr,
                 Format("Pixel Color @ %d x %d", {pixel.x, pixel.y}).c_str()))
        SetClipboardText(Handle(), code);
}
