#include "core/NvImageListWin32.h"

#include "core/HandlesWin32.h"
#include "core/WinControlWin32.h"

TNvImageList::TNvImageList(int width, int height, UINT flags)
    : list_(ImageList_Create(width, height, flags, 16, 16)), width_(width), height_(height) {}

TNvImageList::~TNvImageList() {
    if (list_)
        ImageList_Destroy(list_);
}

int TNvImageList::Count() const {
    return ImageList_GetImageCount(list_);
}

void TNvImageList::SetBkColor(TColor color) {
    ImageList_SetBkColor(list_, color);
}

int TNvImageList::AddResourceBitmaps(int firstId) {
    int added = 0;
    for (int id = firstId; id < 65535; ++id) {
        TBitmapHandle bitmap(static_cast<HBITMAP>(
            LoadImageA(AppInstance(), MAKEINTRESOURCEA(id), IMAGE_BITMAP, width_, height_, LR_DEFAULTCOLOR)));
        if (!bitmap)
            break;
        // The mask comes from the picture's own corner colour.
        if (ImageList_AddMasked(list_, bitmap.get(), CLR_DEFAULT) >= 0)
            ++added;
    }
    return added;
}

int TNvImageList::AddIcon(HICON icon) {
    return ImageList_ReplaceIcon(list_, -1, icon);
}

void TNvImageList::CutTo(int count) {
    for (int i = Count() - 1; i >= count; --i)
        ImageList_Remove(list_, i);
}
