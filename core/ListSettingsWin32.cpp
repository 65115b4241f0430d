#include "core/ListSettingsWin32.h"

void BindListSettings(TKoUtilForm& form,
                      TNvListView& list,
                      const TNvColumn* columns,
                      TConfigVarInt& sortIndex,
                      TConfigVarBool& sortReverse,
                      TConfigVarIntArray& columnWidths) {
    list.OnColumnClick = [&list, &sortIndex, &sortReverse](int) {
        if (sortIndex.Value() != list.SortColumn())
            sortIndex.SetValue(list.SortColumn());
        if (sortReverse.Value() != list.SortDescending())
            sortReverse.SetValue(list.SortDescending());
    };
    list.OnColumnResized = [&columnWidths](int column, int width) {
        if (column >= 0 && width >= 0)
            columnWidths.SetItem(column, width);
    };
    form.WhenChanged(&sortIndex, [&list, &sortIndex] { list.SetSortColumn(sortIndex.Value()); });
    form.WhenChanged(&sortReverse, [&list, &sortReverse] { list.SetSortDescending(sortReverse.Value()); });
    form.WhenChanged(&columnWidths, [&list, columns, &columnWidths] {
        for (int i = 0; i < list.ColumnCount(); ++i) {
            const int stored = i < columnWidths.Count() ? columnWidths.Item(i) : 0;
            const int width = stored > 0 ? stored : columns[i].Width;
            if (list.ColumnWidth(i) != width)
                list.SetColumnWidth(i, width);
        }
    });
}
