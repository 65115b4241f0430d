#include "core/ConfigEditorWin32.h"

#include "core/ConfigEditorRows.h"
#include "core/KoDialogsWin32.h"

namespace {
constexpr uint16_t kCommandEdit = 1;
constexpr uint16_t kCommandReset = 2;

const TNvMenuItem kEditorMenu[] = {
    {kCommandEdit, 0, "&Edit Variable...", 0, -1},
    {0, 0, "-", 0, -1},
    {kCommandReset, VK_DELETE, "Reset to &Default", 0, -1},
};
}  // namespace

TConfigEditor::TConfigEditor(TWinControl* owner, TKoUtilForm* toolWindow)
    : TKoUtilForm(owner, &ToolRecord(kConfigEditorIndex)), toolWindow_(toolWindow) {
    // Its own task-bar button, above everything, and no owner window.
    SetWindowLongPtrA(Handle(), GWLP_HWNDPARENT, 0);
    SetWindowLongA(Handle(), GWL_EXSTYLE, GetWindowLongA(Handle(), GWL_EXSTYLE) | WS_EX_APPWINDOW);
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    List = &Add<TNvListBox>(
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
        0);
    List->Tag = kTagBackColor | kTagFixedFont;
    List->SetItemHeight(kRowHeight);
    List->OnDblClick = [this](const TMouseEvent&) { EditSelected(); };
    List->OnDrawItem = [this](const TDrawItemEvent& event) { DrawRow(event); };
    OnResize = [this] {
        const RECT r = ClientRect();
        List->SetBounds(0, 0, r.right, r.bottom);
        List->Invalidate();
    };
    OnResize();
    menu_ = &Add<TNvPopupMenu>(
        [this](const TNvMenuItem& item) {
            if (item.Id == kCommandEdit) {
                EditSelected();
            } else if (item.Id == kCommandReset) {
                if (TConfigVar* var = SelectedVariable())
                    var->Reset();
                List->Invalidate();
            }
        },
        static_cast<int>(std::size(kEditorMenu)) - 1, kEditorMenu);
}

TConfigEditor::~TConfigEditor() {
    Detach();
}

void TConfigEditor::Detach() {
    if (!Edited)
        return;
    Edited->OnChange = savedOnChange_;
    savedOnChange_ = nullptr;
    Edited = nullptr;
}

void TConfigEditor::Edit(TEasyConfig& config) {
    if (Edited == &config)
        return;
    Detach();
    Edited = &config;
    savedOnChange_ = config.OnChange;
    config.OnChange = [this](TConfigVar& var) {
        if (savedOnChange_)
            savedOnChange_(var);  // the tool window still reacts
        List->Invalidate();
    };
    Fill();
    if (toolWindow_)
        SetText(std::string(toolWindow_->Tool.Title) + " -> " + CaptionText);
    if (!IsZoomed(Handle())) {
        const int rows = std::min(kMaxVisibleRows, config.Count());
        const RECT client = ClientRect();
        const RECT listClient = List->ClientRect();
        SetClientSize(client.right, rows * kRowHeight + (client.bottom - listClient.bottom));
    }
}

void TConfigEditor::Fill() {
    List->Clear();
    // Newest first: a tool's own settings above the shared ones.
    for (int i = Edited->Count() - 1; i >= 0; --i)
        List->AddItem(Edited->Items(i)->FullName(), reinterpret_cast<LPARAM>(Edited->Items(i)));
    if (List->ItemIndex() < 0 && List->Count() > 0)
        List->SetItemIndex(0);
}

TConfigVar* TConfigEditor::SelectedVariable() const {
    const int row = List->ItemIndex();
    return row >= 0 ? reinterpret_cast<TConfigVar*>(List->ItemData(row)) : nullptr;
}

void TConfigEditor::EditSelected() {
    TConfigVar* var = SelectedVariable();
    if (!var)
        return;
    if (EditTogglesInPlace(*var)) {
        StepVariable(*var, 1);
    } else {
        std::string text = var->GetAsText();
        if (InputBox(Handle(), EditPrompt(*var), text))
            var->SetAsText(text);
    }
    List->Invalidate();
}

void TConfigEditor::FormKeyDown(TKeyEvent& event) {
    const TShiftState& s = event.shift;
    const bool none = !s.shift && !s.ctrl && !s.alt;
    TConfigVar* var = SelectedVariable();
    bool handled = true;
    if (event.key == VK_ESCAPE && none) {
        Close();
    } else if (event.key == VK_RETURN && none) {
        EditSelected();
    } else if ((event.key == VK_LEFT || event.key == VK_RIGHT) && none) {
        if (var)
            StepVariable(*var, event.key == VK_LEFT ? -1 : 1);
        List->Invalidate();
    } else if (event.key == VK_DELETE && none) {
        if (var)
            var->Reset();
        List->Invalidate();
    } else if (event.key == 'S' && s.ctrl && !s.shift && !s.alt) {
        if (Edited)
            Edited->Save();
        List->Invalidate();
    } else {
        handled = HandleShortcut(event.key, s);
    }
    if (handled) {
        ConsumeKey(event);
    }
}

LRESULT TConfigEditor::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wParam) == List->Handle()) {
                POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                if (at.x == -1 && at.y == -1) {  // from the keyboard: at the list's corner
                    at = {0, 0};
                    ClientToScreen(List->Handle(), &at);
                }
                menu_->Popup(at.x, at.y);
                return 0;
            }
            break;
        case WM_DESTROY:
            if (Edited) {
                TEasyConfig* edited = Edited;
                Detach();
                edited->Save();
            }
            break;
    }
    return TKoUtilForm::HandleMessage(message, wParam, lParam);
}

void TConfigEditor::DrawRow(const TDrawItemEvent& event) {
    if (event.index < 0 || !Edited)
        return;
    const auto* var = reinterpret_cast<const TConfigVar*>(List->ItemData(event.index));
    if (!var)
        return;
    HDC dc = event.dc;
    const RECT row = event.rect;
    const bool selected = event.selected;
    TBrushHandle back(CreateSolidBrush(static_cast<TColor>((selected ? ColorMark : ColorBack)->Value())));
    FillRect(dc, &row, back.get());

    RECT marker{row.left + 4, row.top + 4, row.left + 4 + 8, row.bottom - 4};
    TBrushHandle markerBrush(CreateSolidBrush(TypeMarkerColor(*var)));
    FillRect(dc, &marker, markerBrush.get());

    RECT text{marker.right + 4, row.top, row.right - 5, row.bottom};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, static_cast<TColor>((selected ? ColorMarkText : ColorText)->Value()));
    const std::string left = RowLeftText(*var);
    const std::string right = RowRightText(*var);
    DrawTextA(dc, left.c_str(), -1, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    DrawTextA(dc, right.c_str(), -1, &text, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

    if (event.raw->itemState & ODS_FOCUS) {
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(0, 0, 0));
        DrawFocusRect(dc, &row);
    }
}
