#pragma once
#include "core/KoUtilFormWin32.h"
#include "core/NvListViewWin32.h"

// An owner-data report list of the window's theme colours and variable font, filling its client area.
template <size_t N>
TNvListView& AddClientList(TKoUtilForm& form, const TNvColumn (&columns)[N]) {
    auto& list = form.Add<TNvListView>(TNvListView::kOwnerDataStyle);
    list.Tag = kTagBackColor | kTagTextColor | kTagVariableFont;
    list.SetAlign(TAlign::Client);
    list.AddColumns(columns);
    return list;
}

// Keeps a list's sort column, direction and column widths and the window's settings the same both ways: header
// clicks and column drags change the settings, settings loaded or edited change the list. A column without a
// stored width has its width from the column table.
void BindListSettings(TKoUtilForm& form,
                      TNvListView& list,
                      const TNvColumn* columns,
                      TConfigVarInt& sortIndex,
                      TConfigVarBool& sortReverse,
                      TConfigVarIntArray& columnWidths);
template <size_t N>
void BindListSettings(TKoUtilForm& form,
                      TNvListView& list,
                      const TNvColumn (&columns)[N],
                      TConfigVarInt& sortIndex,
                      TConfigVarBool& sortReverse,
                      TConfigVarIntArray& columnWidths) {
    sortIndex.SetMin(0);
    sortIndex.SetMax(static_cast<int>(N) - 1);
    BindListSettings(form, list, static_cast<const TNvColumn*>(columns), sortIndex, sortReverse, columnWidths);
}
