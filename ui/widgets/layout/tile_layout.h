// CTileLayoutUI: places its children in rows, left to right and top to bottom.
//
// - "columns" fixes the column count: the content width, less the gaps, is
//   shared equally among the columns, and each row is as tall as the tallest
//   desired height of its children (with their paddings). A row whose children
//   have no height of their own takes the height of "itemsize", else it is as
//   tall as a column is wide.
// - "itemsize" alone fixes each cell (width and height); the column count is
//   as many cells as fit across the width, at least one.
// - With both, the column count wins. With neither, there is one column.
//
// "childpadding" is the gap between cells, across and down. A child fills its
// cell less its own padding, unless it has a size of its own (kept within the
// cell). The rows scroll: the layout asks the container's scroll position and
// reports the height it needs through UpdateScrollBars.
#pragma once

#include "ui/controls/container.h"

namespace SkinUI {

class CTileLayoutUI : public CContainerUI {
public:
    // Column counts above this are taken as this.
    static constexpr int kMaxColumns = 4096;

    CTileLayoutUI();

    const wchar_t* GetClass() const override;          // "TileLayoutUI"
    void* GetInterface(const wchar_t* name) override;  // "TileLayout"
    void ApplyAttribute(const wchar_t* name, const wchar_t* value) override;
    void PlaceAt(CUIRect rc, bool invalidate = true) override;

    // Stored unscaled; a part of 0 or less is not set.
    SIZE GetItemSize() const;  // scaled
    void SetItemSize(SIZE size);
    // 0 or less: the count follows from the item size.
    int GetColumns() const { return m_nColumns; }
    void SetColumns(int columns);
    // The column count of the last layout.
    int GetColumnsInUse() const { return m_nColumnsInUse; }

private:
    SIZE m_szItem;
    int m_nColumns;
    int m_nColumnsInUse;
};

}  // namespace SkinUI
