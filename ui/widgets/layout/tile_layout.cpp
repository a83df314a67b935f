#include "ui/widgets/layout/tile_layout.h"

#include <algorithm>
#include <vector>

#include "ui/controls/attribute_values.h"

namespace SkinUI {

namespace {

// Far from the int range however many rows a layout holds.
const long long kFarCoordinate = 1 << 30;

LONG Coordinate(long long v) { return static_cast<LONG>(std::max(-kFarCoordinate, std::min(v, kFarCoordinate))); }

// The child's desired size in a cell of `cell` less its padding, kept within
// the cell (0 where it has none of its own) and then within its limits.
SIZE SizeInCell(CControlUI* child, SIZE cell, bool fillHeight) {
    const CUIRect pad = child->GetPadding();
    const SIZE room = {std::max(0L, cell.cx - pad.left - pad.right), std::max(0L, cell.cy - pad.top - pad.bottom)};
    SIZE sz = child->MeasureDesired(room);
    sz.cx = sz.cx > 0 ? std::min(sz.cx, room.cx) : room.cx;
    if (sz.cy <= 0) {
        sz.cy = fillHeight ? room.cy : 0;
    } else if (fillHeight) {
        sz.cy = std::min(sz.cy, room.cy);
    }
    sz.cx = std::max<LONG>(std::min<LONG>(sz.cx, child->GetMaxWidth()), child->GetMinWidth());
    sz.cy = std::max<LONG>(std::min<LONG>(sz.cy, child->GetMaxHeight()), child->GetMinHeight());
    return sz;
}

}  // namespace

CTileLayoutUI::CTileLayoutUI() : m_szItem{0, 0}, m_nColumns(0), m_nColumnsInUse(1) {}

const wchar_t* CTileLayoutUI::GetClass() const { return L"TileLayoutUI"; }

void* CTileLayoutUI::GetInterface(const wchar_t* name) {
    if (name != nullptr && ::_wcsicmp(name, L"TileLayout") == 0) return this;
    return CContainerUI::GetInterface(name);
}

void CTileLayoutUI::ApplyAttribute(const wchar_t* name, const wchar_t* value) {
    if (name != nullptr && attr::NameIs(name, L"itemsize")) {
        SetItemSize(attr::ToSize(value));
    } else if (name != nullptr && attr::NameIs(name, L"columns")) {
        SetColumns(attr::ToInt(value));
    } else {
        CContainerUI::ApplyAttribute(name, value);
    }
}

SIZE CTileLayoutUI::GetItemSize() const { return ScaleSize(m_szItem); }

void CTileLayoutUI::SetItemSize(SIZE size) {
    size.cx = std::max(0L, std::min<LONG>(size.cx, attr::kMaxCoordinate));
    size.cy = std::max(0L, std::min<LONG>(size.cy, attr::kMaxCoordinate));
    if (size.cx == m_szItem.cx && size.cy == m_szItem.cy) return;
    m_szItem = size;
    MarkDirty();
}

void CTileLayoutUI::SetColumns(int columns) {
    columns = std::max(0, std::min(columns, kMaxColumns));
    if (columns == m_nColumns) return;
    m_nColumns = columns;
    MarkDirty();
}

void CTileLayoutUI::PlaceAt(CUIRect rc, bool invalidate) {
    // The tiles are placed here: only the control's own placement is wanted.
    CControlUI::PlaceAt(rc, invalidate);  // NOLINT(bugprone-parent-virtual-call)
    const CUIRect content = GetClientPos();
    if (m_items.IsEmpty()) {
        UpdateScrollBars(content, 0, 0);
        return;
    }
    const long long width = std::max(0, content.GetWidth());
    const long long gap = std::max(0, GetChildPadding());
    const SIZE item = GetItemSize();

    long long columns = 1;
    long long cellWidth = width;
    if (m_nColumns > 0) {
        columns = m_nColumns;
        cellWidth = std::max(0LL, (width - (columns - 1) * gap) / columns);
    } else if (item.cx > 0) {
        columns = std::max(1LL, std::min<long long>((width + gap) / (item.cx + gap), kMaxColumns));
        cellWidth = item.cx;
    }
    m_nColumnsInUse = static_cast<int>(columns);
    // Fixed cells when the item size decides the columns; otherwise rows follow their children.
    const bool fixedRows = m_nColumns <= 0 && item.cy > 0;
    const long long fallbackHeight = item.cy > 0 ? item.cy : cellWidth;

    const SIZE scroll = GetScrollPos();
    const long long left = static_cast<long long>(content.left) - scroll.cx;
    long long y = static_cast<long long>(content.top) - scroll.cy;
    long long cyNeeded = 0;
    int rows = 0;

    std::vector<int> row;
    row.reserve(static_cast<size_t>(std::min<long long>(columns, m_items.GetSize())));
    const LONG cellCx = static_cast<LONG>(std::min<long long>(cellWidth, attr::kMaxCoordinate * 4));
    for (int i = 0; i <= m_items.GetSize(); ++i) {
        CControlUI* child = GetItemAt(i);
        if (child != nullptr) {
            if (!child->IsVisible()) continue;
            if (child->IsFloat()) {
                PlaceFloatChild(i);
                continue;
            }
            row.push_back(i);
            if (static_cast<long long>(row.size()) < columns) continue;
        }
        if (row.empty()) break;

        // The row's height: the cell's, or the tallest child with its padding.
        long long rowHeight = fixedRows ? item.cy : 0;
        if (!fixedRows) {
            for (int index : row) {
                CControlUI* c = GetItemAt(index);
                const CUIRect pad = c->GetPadding();
                const SIZE sz = SizeInCell(c, SIZE{cellCx, 0}, false);
                if (sz.cy > 0) rowHeight = std::max<long long>(rowHeight, sz.cy + pad.top + pad.bottom);
            }
            if (rowHeight == 0) rowHeight = fallbackHeight;
        }
        const LONG cellCy = static_cast<LONG>(std::min<long long>(rowHeight, attr::kMaxCoordinate * 4));

        long long x = left;
        for (int index : row) {
            CControlUI* c = GetItemAt(index);
            const CUIRect pad = c->GetPadding();
            const SIZE sz = SizeInCell(c, SIZE{cellCx, cellCy}, true);
            const long long l = x + pad.left;
            const long long t = y + pad.top;
            c->PlaceAt(CUIRect(Coordinate(l), Coordinate(t), Coordinate(l + sz.cx), Coordinate(t + sz.cy)), false);
            x += cellWidth + gap;
        }
        if (rows > 0) cyNeeded += gap;
        cyNeeded += rowHeight;
        y += rowHeight + gap;
        ++rows;
        row.clear();
    }
    const long long cxNeeded = columns * cellWidth + (columns - 1) * gap;
    UpdateScrollBars(content, Coordinate(cxNeeded), Coordinate(cyNeeded));
}

}  // namespace SkinUI
