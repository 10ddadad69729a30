#include "view/data_label_placement.h"

#include <algorithm>
#include <numeric>
#include <optional>

#include "core/geometry.h"

namespace okap {

namespace {

// A box a label may take and the point DrawText draws it from.
struct Candidate {
    TBox box;
    POINT origin;
};

// A box of size whose top-left corner is at (left, top), summed without
// overflow.
TBox BoxAt(long long left, long long top, TSize size) {
    return {{SafeInt(left), SafeInt(top)}, {SafeInt(left + size.cx), SafeInt(top - size.cy)}};
}

// The boxes around the symbol, in the order they are tried: right, left,
// above, below, then the corners (upper right, upper left, lower right,
// lower left). Beside the symbol a label keeps a fifth of its height off
// it, level with the data point; above and below it is centred on the
// point; at a corner it touches the symbol's box at that corner.
std::vector<TBox> AroundSymbol(const TBox& symbolBox, POINT anchor, TSize size) {
    const TBox s{{std::min(symbolBox.tl.x, symbolBox.br.x), std::max(symbolBox.tl.y, symbolBox.br.y)},
                 {std::max(symbolBox.tl.x, symbolBox.br.x), std::min(symbolBox.tl.y, symbolBox.br.y)}};
    const long long gap = std::max(1, size.cy / 5);
    const long long level = static_cast<long long>(anchor.y) + size.cy / 2;  // top of a label level with the point
    const long long centred = static_cast<long long>(anchor.x) - size.cx / 2;
    const long long right = s.br.x, left = s.tl.x, top = s.tl.y, bottom = s.br.y;
    return {
        BoxAt(right + gap, level, size),
        BoxAt(left - gap - size.cx, level, size),
        BoxAt(centred, top + gap + size.cy, size),
        BoxAt(centred, bottom - gap, size),
        BoxAt(right, top + size.cy, size),
        BoxAt(left - size.cx, top + size.cy, size),
        BoxAt(right, bottom, size),
        BoxAt(left - size.cx, bottom, size),
    };
}

std::vector<Candidate> Candidates(DeviceContext& dc, const PendingLabel& label, const TextStyle& style) {
    const std::optional<TBox> styled = TextBox(dc, label.anchor.x, label.anchor.y, style, label.text);
    if (!styled) return {};  // too small to draw
    std::vector<Candidate> candidates{{*styled, label.anchor}};
    // A turned label keeps its turn and so its own place.
    if (style.font->escapement != 0) return candidates;
    const TSize size = dc.GetTextExtent(*style.font, label.text);
    for (const TBox& box : AroundSymbol(label.symbol, label.anchor, size)) {
        if (box == *styled) continue;
        candidates.push_back({box, TextOriginFor(box.tl, size, style)});
    }
    return candidates;
}

}  // namespace

std::vector<PlacedLabel> PlaceDataLabels(DeviceContext& dc, DataLabels& labels, OccupiedBoxes& taken,
                                         const TBox& view, const std::function<bool()>& cancelled) {
    std::vector<size_t> order(labels.labels.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::ranges::stable_sort(order, [&](size_t a, size_t b) {
        const PendingLabel& p = labels.labels[a];
        const PendingLabel& q = labels.labels[b];
        if (p.layer != q.layer) return p.layer < q.layer;
        if (p.dataClass != q.dataClass) return p.dataClass > q.dataClass;
        return p.value > q.value;
    });

    std::vector<PlacedLabel> placed;
    size_t tried = 0;
    for (const size_t index : order) {
        if (cancelled && ++tried % 256 == 0 && cancelled()) break;
        const PendingLabel& label = labels.labels[index];
        const LayerSymbols& layer = labels.layers[static_cast<size_t>(label.layer)];
        const TextStyle& style = layer.styles[static_cast<size_t>(label.dataClass)];
        const std::vector<Candidate> candidates = Candidates(dc, label, style);
        // First a box over no other symbol of its class or a higher one,
        // then one over none of a higher class.
        const std::function<bool(size_t)> sameOrHigher = [&](size_t symbol) {
            return static_cast<int>(symbol) != label.symbolNumber && layer.symbolClasses[symbol] >= label.dataClass;
        };
        const std::function<bool(size_t)> higher = [&](size_t symbol) {
            return layer.symbolClasses[symbol] > label.dataClass;
        };
        const Candidate* chosen = nullptr;
        for (const std::function<bool(size_t)>* covered : {&sameOrHigher, &higher}) {
            for (const Candidate& c : candidates) {
                if (BoxInBox(view, c.box) && !taken.Overlaps(c.box) && !layer.symbols.Overlaps(c.box, *covered)) {
                    chosen = &c;
                    break;
                }
            }
            if (chosen) break;
        }
        if (!chosen) continue;
        taken.Add(chosen->box);
        placed.push_back({&style, &label.text, chosen->origin, chosen->box});
    }
    return placed;
}

}  // namespace okap
