// Tile layout rectangles, compared as the box layouts' are: cells from an item
// size, from a column count, from both and from neither; paddings, gaps, the
// inset and the scroll position. (Hostile values: layout_nesting_test.)
#include <gtest/gtest.h>

#include <vector>

#include "ui/widgets/layout/tile_layout.h"

using namespace SkinUI;

namespace {

// Reports a scroll position of its own and keeps what the layout says it needs.
class CScrolledTile : public CTileLayoutUI {
public:
    SIZE GetScrollPos() const override { return pos; }
    void UpdateScrollBars(CUIRect, int cxNeeded, int cyNeeded) override { needed = SIZE{cxNeeded, cyNeeded}; }
    SIZE pos = {0, 0};
    SIZE needed = {-1, -1};
};

struct TileCase {
    const wchar_t* layout;               // the tile layout's attributes
    int width;                           // of the layout, placed at (10, 20), 300 high
    std::vector<const wchar_t*> children;
    std::vector<RECT> expected;          // relative to the layout's top-left corner
    SIZE needed;
};

TEST(TileLayout, PlacesCellsInRowsLeftToRightTopToBottom) {
    const TileCase kCases[] = {
        // The item size gives the cells; four fit across 220.
        {L"itemsize=\"50,40\"", 220, {L"", L"", L"", L"", L""},
         {{0, 0, 50, 40}, {50, 0, 100, 40}, {100, 0, 150, 40}, {150, 0, 200, 40}, {0, 40, 50, 80}}, {200, 80}},
        // A gap of 10 across and down leaves room for three.
        {L"itemsize=\"50,40\" childpadding=\"10\"", 220, {L"", L"", L"", L""},
         {{0, 0, 50, 40}, {60, 0, 110, 40}, {120, 0, 170, 40}, {0, 50, 50, 90}}, {170, 90}},
        // Three columns share 200 less two gaps; each row is as tall as its tallest child.
        {L"columns=\"3\" childpadding=\"10\"", 200,
         {L"height=\"30\"", L"height=\"50\"", L"", L"height=\"20\"", L""},
         {{0, 0, 60, 30}, {70, 0, 130, 50}, {140, 0, 200, 50}, {0, 60, 60, 80}, {70, 60, 130, 80}}, {200, 80}},
        // Both set: the column count wins; rows without heights take the item height.
        {L"columns=\"2\" itemsize=\"50,40\"", 200, {L"", L"", L""},
         {{0, 0, 100, 40}, {100, 0, 200, 40}, {0, 40, 100, 80}}, {200, 80}},
        // Neither: one column of square cells.
        {L"", 100, {L"", L""}, {{0, 0, 100, 100}, {0, 100, 100, 200}}, {100, 200}},
        // A child's padding and own width stay within its cell; the inset moves everything.
        {L"columns=\"2\" inset=\"5,5,5,5\"", 210, {L"padding=\"5,5,5,5\" height=\"30\"", L"width=\"40\""},
         {{10, 10, 100, 40}, {105, 5, 145, 45}}, {200, 40}},
        // An item wider than the layout still makes one column.
        {L"itemsize=\"300,20\"", 100, {L"", L"float=\"true\" pos=\"1,2,11,12\"", L""},
         {{0, 0, 300, 20}, {1, 2, 11, 12}, {0, 20, 300, 40}}, {300, 40}},
    };
    for (const TileCase& c : kCases) {
        SCOPED_TRACE(testing::Message() << "layout " << c.layout);
        CScrolledTile tile;
        tile.ApplyAttributeString(c.layout);
        std::vector<CControlUI*> children;
        for (const wchar_t* attributes : c.children) {
            children.push_back(new CControlUI);
            children.back()->ApplyAttributeString(attributes);
            tile.Add(children.back());
        }
        for (const LONG scroll : {0L, 25L}) {
            tile.pos = SIZE{0, scroll};
            tile.PlaceAt(CUIRect(10, 20, 10 + c.width, 320));
            for (size_t i = 0; i < children.size(); ++i) {
                CUIRect want = c.expected[i];
                if (!children[i]->IsFloat()) want.Offset(0, -scroll);
                want.Offset(10, 20);
                EXPECT_EQ(children[i]->GetPos(), want) << "child " << i << " scrolled " << scroll;
            }
            EXPECT_EQ(tile.needed.cx, c.needed.cx);
            EXPECT_EQ(tile.needed.cy, c.needed.cy);
        }
    }
}

}  // namespace
