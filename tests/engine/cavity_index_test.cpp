#include "engine/cavity_index.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>

namespace tesu {
namespace {

// Insertions of many sizes, small ones and ones that make the table grow,
// with vp numbers spread like those of a real mesh or packed together, each
// answered like a map.
TEST(CavityIndex, AnswersLikeAMapAcrossManyInsertions) {
    auto index = std::make_unique<CavityIndex>();
    std::mt19937 random(7);
    for (int insertion = 0; insertion < 300; ++insertion) {
        index->start();
        std::map<int, int> expected;
        const int size = 1 + insertion * 37 % 5000;
        const bool packed = insertion % 3 == 0;
        std::uniform_int_distribution<int> spread(1, 16'000'000);
        const int base = spread(random);
        for (int position = 1; position <= size; ++position) {
            int v = packed ? base + position : spread(random);
            while (expected.count(v) != 0) v = spread(random);
            index->add(v, position);
            expected[v] = position;
        }
        for (const auto& [v, position] : expected) ASSERT_EQ(index->position(v), position) << v;
        for (int probe = 0; probe < 200; ++probe) {
            const int v = spread(random);
            ASSERT_EQ(index->position(v), expected.count(v) != 0 ? expected[v] : 0) << v;
        }
    }
}

// A full cavity, then another one of other vps: the new insertion must not
// see the last one's entries, though they lie all over its probe chains.
TEST(CavityIndex, ForgetsTheLastInsertion) {
    auto index = std::make_unique<CavityIndex>();
    index->start();
    for (int position = 1; position <= 511; ++position) index->add(1000 + 7 * position, position);
    index->start();
    for (int position = 1; position <= 511; ++position) index->add(1001 + 7 * position, position);
    for (int position = 1; position <= 511; ++position) {
        ASSERT_EQ(index->position(1000 + 7 * position), 0);
        ASSERT_EQ(index->position(1001 + 7 * position), position);
    }
}

}  // namespace
}  // namespace tesu
