#pragma once
// The boxes that what a paint has drawn takes up (labels, legends, texts,
// symbols), asked whether a new box would cover any of them. The boxes are
// filed under square cells of the logical plane, so that a question looks
// only at the boxes near it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

#include "core/coordinates.h"

namespace okap {

// Two boxes share some area; boxes that only touch along an edge or at a
// corner do not. Either box may have its corners in any order.
bool BoxesOverlap(const TBox& a, const TBox& b);

class OccupiedBoxes {
public:
    // Takes box up; it is numbered by the order of adding, from 0.
    void Add(const TBox& box);
    // True when box shares some area with an added box for whose number
    // counts holds (with no counts, any added box).
    bool Overlaps(const TBox& box, const std::function<bool(size_t)>& counts = nullptr) const;
    size_t Size() const { return boxes.size(); }

private:
    std::vector<TBox> boxes;
    std::unordered_map<uint64_t, std::vector<uint32_t>> cells;
    std::vector<uint32_t> large;  // boxes over too many cells to file, asked every time
};

}  // namespace okap
