#include "mesh/ElementOrder.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace {

// The depth-first walk over the vertex orders: candidates in ascending index,
// so complete orders are met in lexicographic order; a prefix whose last pair
// turns the wrong way is abandoned with every order that starts with it.
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
            }
        }
    }

    // The first accepted order, or an empty one.
    std::vector<size_t> First() {
        order_.clear();
        used_.assign(n_, false);
        return Extend() ? order_ : std::vector<size_t>{};
    }

private:
    bool Ok(size_t from, size_t to) const { return ok_[from * n_ + to]; }

    bool Extend() {
        if (order_.size() == n_) return Ok(order_.back(), order_.front());
        for (size_t i = 0; i < n_; ++i) {
            if (used_[i] || (!order_.empty() && !Ok(order_.back(), i))) continue;
            used_[i] = true;
            order_.push_back(i);
            if (Extend()) return true;
            order_.pop_back();
            used_[i] = false;
        }
        return false;
    }

    size_t n_;
    std::vector<bool> ok_;  // the z component of (v[i] - c) × (v[j] - c) is not positive
    std::vector<size_t> order_;
    std::vector<bool> used_;
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
