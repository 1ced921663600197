#include "mesh/ElementOrder.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

// The depth-first walk over the vertex orders: candidates in ascending index,
// so complete orders are met in lexicographic order; a prefix whose last pair
// turns the wrong way is abandoned with every order that starts with it.
//
// Every prefix starts with vertex 0 (below). Whether it can be completed
// depends only on its last vertex and the set it holds. A prefix is dropped
// when the rest cannot be strongly connected to it, which is necessary for
// a completion; since of any two vertices at least one may follow the other
// (the two cross products are exact negatives), the graph is semicomplete,
// where being strongly connected is also enough for a cycle through every
// vertex (Camion), so an element with no accepted order is refused at the
// root. Where the walk still grows long, the states found dead are
// remembered, which bounds it by 2^n · n states instead of n!.
class OrderSearch {
public:
    explicit OrderSearch(const std::vector<MeshVertex>& vertices) : n_(vertices.size()), ok_(n_ * n_) {
        double cx = 0.0, cy = 0.0;
        for (const MeshVertex& v : vertices) cx += v.x, cy += v.y;
        cx /= static_cast<double>(n_);
        cy /= static_cast<double>(n_);
        for (size_t i = 0; i < n_; ++i) {
            for (size_t j = 0; j < n_; ++j) {
                const double ax = vertices[i].x - cx, ay = vertices[i].y - cy;
                const double bx = vertices[j].x - cx, by = vertices[j].y - cy;
                ok_[i * n_ + j] = ax * by - ay * bx <= 0.0;
                if (n_ <= 64 && i != j && ok_[i * n_ + j]) {
                    successors_[i] |= uint64_t{1} << j;
                    predecessors_[j] |= uint64_t{1} << i;
                }
            }
        }
    }

    // The first accepted order, or an empty one.
    std::vector<size_t> First() {
        order_.clear();
        usedMask_ = 0;
        used_.assign(n_, false);
        // The test is cyclic: every rotation of an accepted order is
        // accepted, so if any is, one starts with vertex 0, and the first
        // in lexicographic order does.
        Push(0);
        return Extend() ? order_ : std::vector<size_t>{};
    }

private:
    static constexpr size_t kMaxRemembered = 20;  // 2^20 · 20 bits of dead states
    static constexpr size_t kStepsBeforeRemembering = 256;

    bool Ok(size_t from, size_t to) const { return ok_[from * n_ + to]; }

    void Push(size_t i) {
        used_[i] = true;
        usedMask_ |= uint64_t{1} << (i % 64);  // exact for n ≤ 64, where it is read
        order_.push_back(i);
    }
    void Pop() {
        used_[order_.back()] = false;
        usedMask_ &= ~(uint64_t{1} << (order_.back() % 64));
        order_.pop_back();
    }

    // A necessary condition for completing the prefix: in the graph of the
    // vertices still to place and one vertex x standing for the prefix (x
    // leads where its last vertex may lead, and is reached from where vertex
    // 0 may be reached), every vertex reaches x and x reaches every vertex.
    bool Completable() const {
        if (n_ > 64) return true;
        const uint64_t all = n_ == 64 ? ~uint64_t{0} : (uint64_t{1} << n_) - 1;
        const uint64_t rest = all & ~usedMask_;
        return Spreads(successors_[order_.back()] & rest, successors_, rest) &&
               Spreads(predecessors_[order_.front()] & rest, predecessors_, rest);
    }
    // Whether following `arcs` from `from` within `within` reaches all of it.
    static bool Spreads(uint64_t from, const uint64_t* arcs, uint64_t within) {
        uint64_t reached = from, open = from;
        while (open != 0) {
            const int v = std::countr_zero(open);
            open &= open - 1;
            const uint64_t fresh = arcs[v] & within & ~reached;
            reached |= fresh;
            open |= fresh;
        }
        return reached == within;
    }

    size_t StateIndex() const { return static_cast<size_t>(usedMask_) * n_ + order_.back(); }

    bool Extend() {
        if (order_.size() == n_) return Ok(order_.back(), order_.front());
        if (dead_.empty() && n_ <= kMaxRemembered && ++steps_ > kStepsBeforeRemembering)
            dead_.assign((size_t{1} << n_) * n_, false);
        if (!dead_.empty() && dead_[StateIndex()]) return false;
        if (!Completable()) return false;
        for (size_t i = 0; i < n_; ++i) {
            if (used_[i] || !Ok(order_.back(), i)) continue;
            Push(i);
            if (Extend()) return true;
            Pop();
        }
        if (!dead_.empty()) dead_[StateIndex()] = true;
        return false;
    }

    size_t n_;
    std::vector<bool> ok_;  // the z component of (v[i] - c) × (v[j] - c) is not positive
    std::vector<size_t> order_;
    std::vector<bool> used_;
    // For n ≤ 64, as bits: the used vertices, and the vertices each may
    // follow and precede.
    uint64_t usedMask_ = 0;
    uint64_t predecessors_[64] = {};
    uint64_t successors_[64] = {};
    size_t steps_ = 0;
    std::vector<bool> dead_;  // by used set and last vertex
};

}  // namespace

bool OrderElementClockwise(MeshElement& element) {
    if (element.vertices.empty()) return true;  // the empty order is accepted
    const std::vector<size_t> order = OrderSearch(element.vertices).First();
    if (order.empty()) return false;
    std::vector<MeshVertex> sorted;
    sorted.reserve(order.size());
    for (size_t i : order) sorted.push_back(element.vertices[i]);
    element.vertices = std::move(sorted);
    return true;
}
