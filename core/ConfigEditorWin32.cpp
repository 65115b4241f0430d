#include "core/ConfigEditorWin32.h"

#include "core/ConfigEditorRows.h"
#include "core/KoDialogsWin32.h"
#include "core/KoLibWin32.h"

namespace {
constexpr uint16_t kCommandEdit = 1;
constexpr uint16_t kCommandReset = 2;
}  // namespace

const TCommand<TConfigEditor> TConfigEditor::kMenu[] = {
    {{kCommandEdit, 0, "&Edit Variable...", 0, -1}, [](TConfigEditor& f) { f.EditSelected(); }},
    {{0, 0, "-", 0, -1}, nullptr},
    {{kCommandReset, VK_DELETE, "Reset to &Default", 0, -1}, [](TConfigEditor& f) { f.ResetSelected(); }},
};
const TCommand<TConfigEditor> TConfigEditor::kKeys[] = {
    {{0, VK_ESCAPE, nullptr, 0, -1}, [](TConfigEditor& f) { f.Close(); }},
    {{0, VK_RETURN, nullptr, 0, -1}, [](TConfigEditor& f) { f.EditSelected(); }},
    {{0, VK_LEFT, nullptr, 0, -1}, [](TConfigEditor& f) { f.Step(-1); }},
    {{0, VK_RIGHT, nullptr, 0, -1}, [](TConfigEditor& f) { f.Step(1); }},
    {{0, 0x4000 | 'S', nullptr, 0, -1},
     [](TConfigEditor& f) {
         if (f.Edited)
             f.Edited->Save();
         f.List->Invalidate();
     }},
};

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
    List->SetAlign(TAlign::Client);
    List->DoubleBuffered = true;
    ActiveControl = List;
    OnResize = [this] { List->Invalidate(); };
    menu_ = &AddPopupMenu(kMenu);
    AddKeys(kKeys);
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

void TConfigEditor::Step(int delta) {
    if (TConfigVar* var = SelectedVariable())
        StepVariable(*var, delta);
    List->Invalidate();
}

void TConfigEditor::ResetSelected() {
    if (TConfigVar* var = SelectedVariable())
        var->Reset();
    List->Invalidate();
}

LRESULT TConfigEditor::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CONTEXTMENU:
            if (reinterpret_cast<HWND>(wParam) == List->Handle()) {
                menu_->PopupFor(lParam, List->Handle());
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
    FillSolid(dc, row, static_cast<TColor>((selected ? ColorMark : ColorBack)->Value()));

    RECT marker{row.left + 4, row.top + 4, row.left + 4 + 8, row.bottom - 4};
    FillSolid(dc, marker, TypeMarkerColor(*var));

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
