#include "core/MemoryCanvasWin32.h"

TMemoryCanvas::TMemoryCanvas() : dc_(CreateCompatibleDC(nullptr)) {
    initialBitmap_ = dc_ ? GetCurrentObject(dc_.get(), OBJ_BITMAP) : nullptr;
    BITMAPINFOHEADER& h = header_.bmiHeader;
    h.biSize = sizeof(BITMAPINFOHEADER);
    h.biPlanes = 1;
    h.biBitCount = 32;
    h.biCompression = BI_RGB;
}

TMemoryCanvas::~TMemoryCanvas() {
    if (dc_ && initialBitmap_)
        SelectObject(dc_.get(), initialBitmap_);
}

void TMemoryCanvas::SetWidth(int width) {
    if (width == width_)
        return;
    width_ = width;
    needsRealloc_ = true;
}

void TMemoryCanvas::SetHeight(int height) {
    if (height == height_)
        return;
    height_ = height;
    needsRealloc_ = true;
}

void TMemoryCanvas::SetSize(int width, int height) {
    SetWidth(width);
    SetHeight(height);
    Update();
}

void TMemoryCanvas::Update() {
    if (OnBeforeUpdate)
        OnBeforeUpdate();
    if (needsRealloc_ && Reallocate() && OnResize)
        OnResize(dc_.get(), width_, height_);
}

// A size the platform cannot make (a minimised window's 0 x 0) keeps the picture there was and tries again later.
bool TMemoryCanvas::Reallocate() {
    if (!dc_ || width_ <= 0 || height_ <= 0)
        return false;
    BITMAPINFOHEADER& h = header_.bmiHeader;
    h.biWidth = width_;
    h.biHeight = TopDown ? -height_ : height_;
    h.biSizeImage = static_cast<DWORD>(width_) * static_cast<DWORD>(height_) * 4;
    void* bits = nullptr;
    TBitmapHandle fresh(CreateDIBSection(dc_.get(), &header_, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!fresh)
        return false;
    SelectObject(dc_.get(), fresh.get());
    bitmap_ = std::move(fresh);  // only a bitmap of ours is ever deleted, never the DC's own
    bits_ = bits;
    needsRealloc_ = false;
    return true;
}

DWORD TMemoryCanvas::Draw(HDC target, int x, int y) {
    Update();
    if (!BitBlt(target, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY))
        return GetLastError();
    return 0;
}

void TMemoryCanvas::Paint(HWND window) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    Draw(dc, 0, 0);
    EndPaint(window, &paint);
}
