#include "tools/number/NumberInfoWin32.h"

#include "core/Format.h"
#include "core/NvLabelWin32.h"

namespace {
constexpr int kStripHeight = 32;
constexpr size_t kPieceBytes = 4096;
// Shorter lists stay one paragraph that the output wraps itself; longer ones would cost it too much time.
constexpr size_t kLongListBytes = 4096;
constexpr UINT_PTR kReflowTimer = 1;
constexpr UINT kReflowDelayMs = 300;  // a drag of the window's edge is over, or nearly
}  // namespace

void ShowInfoLines(TNvRichOutput& output, const TInfoLines& lines) {
    std::vector<TRichLine> pieces;
    const auto columns = static_cast<size_t>(output.VisibleColumns());
    for (TInfoLine& piece : CutIntoPieces(lines, columns, kPieceBytes, kLongListBytes))
        pieces.push_back({piece.color, piece.bold, std::move(piece.text), piece.list, piece.continues});
    output.ShowLines(std::move(pieces));
}

// Enter in the number or the query list works the Calculate button.
const TCommand<TFormNumInfo> TFormNumInfo::kKeys[] = {
    {{0, VK_RETURN, nullptr, 0, -1}, [](TFormNumInfo& f) { f.Calculate(); }},
};

TFormNumInfo::TFormNumInfo(TWinControl* owner)
    : TKoUtilForm(owner, &ToolRecord(kNumberInfoIndex)), system_(DataFolder), frequency_(PerformanceFrequency()) {
    TEasyConfig& c = Config();
    QueryIndex = &TConfigVarInt::Define(c, Tool.Key, 0, "query_index");
    QueryIndex->SetMin(0);
    QueryIndex->SetMax(kNumberInfoQueryCount - 1);
    QueryValue = &TConfigVarInt::Define(c, Tool.Key, 0, "query_value");

    button_ = &Add<TNvButton>("&Calculate");
    button_->SetBounds(4, 4, 80, 24);
    button_->Tag = kTagVariableFont;
    button_->OnClick = [this] { Calculate(); };
    Add<TNvLabel>("Number:", RECT{88, 5, 144, 27}, TAlignment::Right).Tag = kTagVariableFont;
    number_ = &Add<TNvEdit>();
    number_->SetBounds(148, 5, 120, 22);
    number_->Tag = kTagFixedFont;
    number_->OnKeyPress = [](TCharEvent& event) { event.ch = FilterNumberKey(event.ch); };
    Add<TNvLabel>("Query:", RECT{272, 5, 320, 27}, TAlignment::Right).Tag = kTagVariableFont;
    query_ = &Add<TNvComboBox>();
    query_->Tag = kTagVariableFont;
    for (int i = 0; i < kNumberInfoQueryCount; ++i)
        query_->AddItem(NumberInfoQueryItem(i));
    const RECT r = ClientRect();
    query_->SetBounds(324, 5, r.right - 328, 300);
    query_->SetAnchors(kAnchorLeft | kAnchorTop | kAnchorRight);
    output_ = &Add<TNvRichOutput>();
    output_->Tag = kTagFixedFont;
    output_->SetBounds(0, kStripHeight, r.right, r.bottom - kStripHeight);
    output_->SetAnchors(kAnchorAll);
    // Rows cut for one width are cut again for another, once the resizing has paused.
    output_->OnResize = [this] {
        if (HasLongList(shownLines_) && output_->VisibleColumns() != shownColumns_)
            StartTimer(kReflowTimer, kReflowDelayMs);
    };
    OnTimer = [this](UINT_PTR id) {
        if (id != kReflowTimer)
            return;
        StopTimer(kReflowTimer);
        if (output_->VisibleColumns() != shownColumns_)
            Show(shownLines_);
    };
    AddKeys(kKeys);

    WhenChanged(QueryIndex, [this] {
        query_->SetItemIndex(QueryIndex->Value());
        if (!calculating_)
            RunQuery();
    });
    WhenChanged(QueryValue, [this] {
        if (NumberEditNeedsRewrite(number_->Text(), QueryValue->Value()))
            number_->SetText(Format("%d", {QueryValue->Value()}));
        if (!calculating_)
            RunQuery();
    });
}

void TFormNumInfo::AfterConstruction() {
    TKoUtilForm::AfterConstruction();
    RunQuery();
}

void TFormNumInfo::Calculate() {
    // Both settings change here; the answer is worked out once, not once for each.
    calculating_ = true;
    QueryIndex->SetValue(query_->ItemIndex());
    QueryValue->SetValue(StrToIntDef(number_->Text(), QueryValue->Value()));
    calculating_ = false;
    RunQuery();
}

void TFormNumInfo::RunQuery() {
    if (!Ready)
        return;
    HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
    output_->SetRedraw(false);
    output_->Clear();
    shownLines_.clear();
    const auto n = static_cast<uint32_t>(QueryValue->Value());
    const int64_t start = PerformanceCounter();
    TInfoLines lines = RunGuarded([&] { return RunNumberInfoQuery(query_->ItemIndex(), n, system_); });
    const int64_t end = PerformanceCounter();
    lines.push_back(DurationLine(DurationMicroseconds(start, end, frequency_)));
    Show(std::move(lines));
    // A long list goes on filling: the output keeps the wait cursor until it is complete.
    if (!output_->Filling())
        SetCursor(previous);
}

void TFormNumInfo::Show(TInfoLines lines) {
    shownColumns_ = output_->VisibleColumns();
    ShowInfoLines(*output_, lines);
    shownLines_ = std::move(lines);
}

bool TFormNumInfo::HasLongList(const TInfoLines& lines) {
    for (const TInfoLine& line : lines)
        if (line.list && line.text.size() >= kLongListBytes)
            return true;
    return false;
}

LRESULT TFormNumInfo::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETCURSOR && output_->Filling()) {
        SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        return TRUE;
    }
    return TKoUtilForm::HandleMessage(message, wParam, lParam);
}
