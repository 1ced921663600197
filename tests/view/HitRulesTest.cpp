// The rules picks decide by: the selection buffer's records, the nearest
// hit, and label rectangles.

#include <gtest/gtest.h>

#include <vector>

#include "view/LabelHitTest.h"
#include "view/SelectionHits.h"

namespace {

TEST(SelectionHits, RecordsAreReadUpToTheBufferEnd) {
    // count, min, max, names...
    const std::vector<uint32_t> buffer = {2, 10, 50, 2, 7, 4, 5, 40, 1, 1, 0, 3, 3, 9, 9};
    const auto hits = ParseHits(buffer.data(), buffer.size(), 3);
    ASSERT_EQ(hits.size(), 2u) << "the third record runs past the end";
    EXPECT_EQ(hits[0].names, (std::vector<uint32_t>{2, 7}));
    EXPECT_EQ(hits[1].maxDepth, 40u);
    EXPECT_EQ(hits[1].names, (std::vector<uint32_t>{1, 1, 0, 3}));
    EXPECT_TRUE(ParseHits(buffer.data(), buffer.size(), 0).empty());
}

TEST(SelectionHits, TheNearestHitDecidesAndHidesOtherKindsBehindIt) {
    struct Case {
        const char* name;
        std::vector<HitRecord> hits;
        uint32_t tag;
        std::optional<uint32_t> second;  // the decoded record's second name
    };
    const Case cases[] = {
        {"nearest of the kind", {{0, 90, {2, 5}}, {0, 30, {2, 6}}}, 2, 6},
        {"first of equals", {{0, 30, {2, 7}}, {0, 30, {2, 8}}}, 2, 7},
        {"another kind in front", {{0, 30, {1, 1}}, {0, 60, {2, 8}}}, 2, std::nullopt},
        {"equal depth, the kind after another", {{0, 30, {1, 1}}, {0, 30, {2, 9}}}, 2, 9},
        {"depths compare unsigned", {{0, 0x80000000u, {2, 1}}, {0, 0x7fffffffu, {2, 2}}}, 2, 2},
        {"no hits", {}, 2, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto hit = NearestHitTagged(c.hits, c.tag);
        ASSERT_EQ(hit.has_value(), c.second.has_value()) << c.name;
        if (hit) {
            EXPECT_EQ(hit->names[1], *c.second) << c.name;
        }
    }
    const std::vector<HitRecord> mixed = {{0, 50, {7}}, {0, 20, {4}}};
    EXPECT_EQ(NearestHit(mixed)->names[0], 4u) << "an axis tag line: any first name";
}

TEST(LabelHits, RectanglesCentredOnTheAnchorAndTheNearestLabelWins) {
    // 21 × 11 pixels round (100, 50): 10 and 5 either side, edges included.
    const LabelTarget label{100, 50, 21, 11, 5000, 7};
    struct Case {
        int x, y;
        bool inside;
    };
    const Case cases[] = {{90, 45, true}, {110, 55, true}, {89, 50, false}, {111, 50, false}, {100, 44, false},
                          {100, 56, false}};
    for (const Case& c : cases) EXPECT_EQ(LabelContains(label, c.x, c.y), c.inside) << c.x << "," << c.y;

    const std::vector<LabelTarget> overlapping = {{100, 50, 40, 12, 9000.5, 1}, {105, 52, 40, 12, 9000.25, 2},
                                                  {102, 51, 40, 12, 9000.25, 3}};
    EXPECT_EQ(NearestLabelHit(overlapping, 103, 51), 2) << "nearer by a quarter millimetre; the first of equals";
    EXPECT_EQ(NearestLabelHit(overlapping, 300, 51), std::nullopt);
}

}  // namespace
