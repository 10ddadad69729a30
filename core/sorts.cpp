// Exchange sorts for the few dozen values the clipper and the drawing code
// order at a time. Neighbours are swapped only when strictly out of order,
// so equal keys keep their order.

#include <cstdint>
#include <utility>

#include "core/geometry.h"

namespace okap {

namespace {

// Sorts v[from..to] by key(v[i]); order 0 ascending, 1 descending.
template <class T, class Key>
void ExchangeSort(T* v, int from, int to, int order, Key key) {
    bool swapped = true;
    while (swapped) {
        swapped = false;
        for (int i = from; i < to; ++i) {
            const auto left = key(v[i]);
            const auto right = key(v[i + 1]);
            if (order == 1 ? left < right : right < left) {
                std::swap(v[i], v[i + 1]);
                swapped = true;
            }
        }
    }
}

}  // namespace

void SortLong(int32_t* v, int n, int order) {
    ExchangeSort(v, 0, n - 1, order, [](int32_t x) { return x; });
}

void SortInt(int* v, int n, int order) {
    ExchangeSort(v, 0, n - 1, order, [](int x) { return x; });
}

void SortFill(FillPoint* v, int from, int to, int key, int order) {
    ExchangeSort(v, from, to, order, [key](const FillPoint& p) { return key == 1 ? p.point.y : p.point.x; });
}

}  // namespace okap
