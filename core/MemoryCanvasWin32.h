#pragma once
#include <windows.h>

#include <functional>

#include "core/HandlesWin32.h"

// An off-screen 32-bit surface: a window draws its whole picture here and copies it to the screen in one transfer.
// The bitmap is made again only when the size really changed.
class TMemoryCanvas {
  public:
    TMemoryCanvas();
    ~TMemoryCanvas();
    TMemoryCanvas(const TMemoryCanvas&) = delete;
    TMemoryCanvas& operator=(const TMemoryCanvas&) = delete;

    HDC DC() const { return dc_.get(); }
    HBITMAP Bitmap() const { return bitmap_.get(); }
    // First byte of the pixels (blue, green, red, unused), rows bottom-up unless TopDown; null before the first
    // successful Update.
    void* Bits() const { return bits_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    RECT Bounds() const { return {0, 0, width_, height_}; }
    bool NeedsRealloc() const { return needsRealloc_; }
    const BITMAPINFO& Header() const { return header_; }

    // Set before the first Update (or followed by a size change) to take effect.
    bool TopDown = false;

    void SetWidth(int width);
    void SetHeight(int height);
    void SetSize(int width, int height);
    void Update();
    // Copies the whole surface to (x, y) of the target; 0 or the platform's error code.
    DWORD Draw(HDC target, int x, int y);
    // Answers a window's WM_PAINT with the whole surface.
    void Paint(HWND window);

    std::function<void()> OnBeforeUpdate;
    std::function<void(HDC dc, int width, int height)> OnResize;

  private:
    bool Reallocate();

    TMemoryDC dc_;
    BITMAPINFO header_{};
    HGDIOBJ initialBitmap_;  // not owned: the DC's own bitmap, put back before the DC goes
    TBitmapHandle bitmap_;   // declared after dc_: deleted once it is no longer selected
    void* bits_ = nullptr;
    int width_ = 640;
    int height_ = 360;
    bool needsRealloc_ = true;
};
