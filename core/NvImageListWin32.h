#pragma once
#include <windows.h>

#include <commctrl.h>

#include "core/KoLib.h"

// An owned image list of small pictures; controls that show it only borrow it.
class TNvImageList {
  public:
    explicit TNvImageList(int width = 16, int height = 16, UINT flags = ILC_COLOR24 | ILC_MASK);
    ~TNvImageList();
    TNvImageList(const TNvImageList&) = delete;
    TNvImageList& operator=(const TNvImageList&) = delete;

    HIMAGELIST Handle() const { return list_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const;
    void SetBkColor(TColor color);

    // Adds the bitmap resources firstId, firstId + 1, ... up to the first one missing; returns how many.
    int AddResourceBitmaps(int firstId);
    // A copy of the icon; returns its position or -1.
    int AddIcon(HICON icon);
    // Removes the images from position count on.
    void CutTo(int count);

  private:
    HIMAGELIST list_;
    int width_;
    int height_;
};
