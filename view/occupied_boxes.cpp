#include "view/occupied_boxes.h"

#include <algorithm>

namespace okap {

namespace {

// Cells are 512 logical units square (a view is 10000 wide); a box over
// more than this many cells is kept aside and asked every time.
constexpr int kCellShift = 9;
constexpr long long kMostCells = 256;

TBox Normalised(const TBox& b) {
    return {{std::min(b.tl.x, b.br.x), std::max(b.tl.y, b.br.y)}, {std::max(b.tl.x, b.br.x), std::min(b.tl.y, b.br.y)}};
}

uint64_t CellKey(int cx, int cy) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(cx)) << 32) | static_cast<uint32_t>(cy);
}

// The cells a normalised box lies over, as column and row ranges.
struct CellRange {
    int x0, x1, y0, y1;
    long long Count() const { return (static_cast<long long>(x1) - x0 + 1) * (static_cast<long long>(y1) - y0 + 1); }
};

CellRange CellsOf(const TBox& b) { return {b.tl.x >> kCellShift, b.br.x >> kCellShift, b.br.y >> kCellShift, b.tl.y >> kCellShift}; }

}  // namespace

bool BoxesOverlap(const TBox& a, const TBox& b) {
    const TBox p = Normalised(a);
    const TBox q = Normalised(b);
    return p.tl.x < q.br.x && q.tl.x < p.br.x && p.br.y < q.tl.y && q.br.y < p.tl.y;
}

void OccupiedBoxes::Add(const TBox& box) {
    const TBox b = Normalised(box);
    const auto number = static_cast<uint32_t>(boxes.size());
    boxes.push_back(b);
    const CellRange range = CellsOf(b);
    if (range.Count() > kMostCells) {
        large.push_back(number);
        return;
    }
    for (int x = range.x0; x <= range.x1; ++x)
        for (int y = range.y0; y <= range.y1; ++y) cells[CellKey(x, y)].push_back(number);
}

bool OccupiedBoxes::Overlaps(const TBox& box, const std::function<bool(size_t)>& counts) const {
    const TBox b = Normalised(box);
    const auto hits = [&](uint32_t number) { return BoxesOverlap(b, boxes[number]) && (!counts || counts(number)); };
    if (std::ranges::any_of(large, hits)) return true;
    const CellRange range = CellsOf(b);
    if (range.Count() > kMostCells) {
        // A box this large is asked against every box once.
        for (uint32_t number = 0; number < boxes.size(); ++number)
            if (hits(number)) return true;
        return false;
    }
    for (int x = range.x0; x <= range.x1; ++x) {
        for (int y = range.y0; y <= range.y1; ++y) {
            const auto found = cells.find(CellKey(x, y));
            if (found != cells.end() && std::ranges::any_of(found->second, hits)) return true;
        }
    }
    return false;
}

}  // namespace okap
