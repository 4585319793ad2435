// A stem's growth, sway, budding, heights and pruning.
#include "plant/Stem.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <vector>

#include "app/World.h"
#include "plant/Plant.h"
#include "support/StemTree.h"

namespace {

constexpr unsigned kSeed = 2024;

class StemTest : public ::testing::Test {
  protected:
    void SetUp() override {
        World::instance().setBounds(32, 16, 0, -16);
        seedRandom(kSeed);
    }
};

// Owns a root built by hand for one test.
struct Root {
    explicit Root(Stem* stem) : stem(stem) {}
    ~Root() { delete stem; }
    Stem* operator->() const { return stem; }
    Stem* stem;
};

TEST_F(StemTest, ConstructionDrawsOnlyTheGrowthSeed) {
    const RandSequence sequence(kSeed);
    Stem stem;
    EXPECT_EQ(stem.growthSeed, static_cast<float>(sequence.at(0) % 10000) * 0.0001f);
    EXPECT_EQ(sequence.drawsBefore(std::rand()), 1u);

    EXPECT_EQ(stem.x, 0.0f);
    EXPECT_EQ(stem.y, 1.0f);
    EXPECT_EQ(stem.angle, 90.0f);
    EXPECT_EQ(stem.sway, 0.0f);
    EXPECT_EQ(stem.length, 1.0f);
    EXPECT_EQ(stem.width, 1.25f);
    EXPECT_EQ(stem.age, 0.0f);
    EXPECT_EQ(stem.stateTime, 0.0f);
    EXPECT_EQ(stem.state, Growing);
    EXPECT_EQ(stem.extraShoots, 0);
    EXPECT_EQ(stem.height, 0);
    EXPECT_TRUE(stem.children.empty());

    Stem parent;
    stem.attach(&parent, 7);
    EXPECT_EQ(stem.parent, &parent);
    EXPECT_EQ(stem.depth, 7);
}

TEST_F(StemTest, GrowsLinearlyOneFrameBehindAndEndsAtFullSize) {
    struct Case {
        float growthSeed;
        std::vector<float> frames;  // s
        float length;               // after the last frame
        float width;
        StemState state;
    };
    // Growing time 0.25 s and full length 0.875 for a seed of 0.5.
    const Case cases[] = {
        {0.5f, {0.1f}, 0.0f, 0.0f, Growing},  // the first update leaves it at 0
        {0.5f,
         {0.1f, 0.1f},
         static_cast<float>(0.875 * (0.1f / 0.25)),
         static_cast<float>(0.05 * (0.1f / 0.25)),
         Growing},
        {0.5f, {0.1f, 0.1f, 0.1f}, 0.875f, 0.05f, Budding},  // completes exactly
        {0.5f, {0.3f}, 0.875f, 0.05f, Budding},              // a first update may complete it
        {0.0f, {0.016f}, 0.5f, 0.05f, Budding},              // no growing time at all
        {0.0f, {0.0f}, 0.5f, 0.05f, Budding},
    };
    for (const Case& c : cases) {
        Stem stem;
        stem.attach(nullptr, 0);
        stem.growthSeed = c.growthSeed;
        for (float dt : c.frames) {
            stem.update(dt);
        }
        SCOPED_TRACE(::testing::Message()
                     << "seed " << c.growthSeed << ", " << c.frames.size() << " frames");
        EXPECT_FLOAT_EQ(stem.length, c.length);
        EXPECT_FLOAT_EQ(stem.width, c.width);
        if (c.state == Budding) {
            EXPECT_EQ(stem.length, c.length);  // exactly the full size, not nearly
            EXPECT_EQ(stem.width, c.width);
            EXPECT_EQ(stem.stateTime, 0.0f);
        }
        EXPECT_EQ(stem.state, c.state);
        EXPECT_TRUE(std::isfinite(stem.length) && std::isfinite(stem.width));
    }
}

TEST_F(StemTest, SwaysFasterWithDepthUpToSixteen) {
    struct Case {
        int depth;
        double rate;  // radians per second
    };
    const Case cases[] = {{0, 0.0}, {1, 0.25}, {4, 1.0}, {16, 4.0}, {30, 4.0}};
    for (const Case& c : cases) {
        Stem stem;
        stem.attach(nullptr, c.depth);
        stem.state = Grown;
        for (int frame = 0; frame < 3; ++frame) {
            stem.update(0.5f);
        }
        EXPECT_EQ(stem.sway, static_cast<float>(std::sin(1.5 * c.rate) * 10))
            << "depth " << c.depth;
    }
}

TEST_F(StemTest, WidthFollowsTheHeightBelow) {
    Root root(makeStem(nullptr, 0, 3.75f, 90, 1));
    Stem* child = makeChild(root.stem, 90, 1);
    makeChild(makeChild(child, 90, 1), 90, 1);
    root->update(0.016f);
    EXPECT_EQ(root->height, 3);
    EXPECT_EQ(root->width, static_cast<float>(4 * 0.05));
    EXPECT_EQ(child->width, static_cast<float>(3 * 0.05));
}

TEST_F(StemTest, ChildFollowsItsParentsSwayedTipWithoutLag) {
    Root root(makeStem(nullptr, 0, 3.75f, 90, 1));
    Stem* parent = makeChild(root.stem, 70, 1.2f);
    Stem* child = makeChild(parent, 100, 0.8f);
    for (int frame = 0; frame < 10; ++frame) {
        root->update(0.1f);
        ASSERT_NE(parent->sway, 0.0f);
        ASSERT_EQ(child->x, parent->x + parent->tipOffsetX());
        ASSERT_EQ(child->y, parent->y + parent->tipOffsetY());
    }
    // The tip lies at 0.8 of the length along the swayed heading.
    const double heading = (parent->angle + parent->sway) * 0.017453292519943295;
    EXPECT_FLOAT_EQ(parent->tipOffsetX(), static_cast<float>(std::cos(heading) * 1.2f * 0.8));
    EXPECT_FLOAT_EQ(parent->tipOffsetY(), static_cast<float>(std::sin(heading) * 1.2f * 0.8));
}

TEST_F(StemTest, TipFollowsEveryChangeOfHeadingSwayAndLength) {
    Stem stem;
    struct Step {
        float angle, sway, length;
        float tipX, tipY;
    };
    const Step steps[] = {
        {90, 0, 1, 0, 0.8f}, {0, 0, 1, 0.8f, 0},    {0, 0, 2, 1.6f, 0},
        {0, 90, 2, 0, 1.6f}, {180, 0, 2, -1.6f, 0}, {0, 0, 0, 0, 0},
    };
    for (const Step& s : steps) {
        stem.angle = s.angle;
        stem.sway = s.sway;
        stem.length = s.length;
        EXPECT_NEAR(stem.tipOffsetX(), s.tipX, 1e-6) << s.angle << " + " << s.sway;
        EXPECT_NEAR(stem.tipOffsetY(), s.tipY, 1e-6) << s.angle << " + " << s.sway;
    }
}

// A budding stem standing at the given base, with one shoot asked for.
struct BudCase {
    float x, y;
    bool buds;
};

TEST_F(StemTest, BudsOnTheBoundsButNeverBeyondThem) {
    const float beyond = 1e-3f;
    const BudCase cases[] = {
        {16, 10, true},
        {-16, 10, true},
        {0, 0, true},
        {0, 32, true},
        {16, 32, true},
        {-16, 0, true},
        {16 + beyond, 10, false},
        {-16 - beyond, 10, false},
        {0, -beyond, false},
        {0, 32 + beyond, false},
        {std::nextafter(16.0f, 17.0f), 32, false},
    };
    for (const BudCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "base (" << c.x << ", " << c.y << ")");
        Root stem(makeStem(nullptr, c.x, c.y, 90, 1));
        stem->bud();
        const RandSequence sequence(300 + static_cast<unsigned>(&c - cases));
        stem->update(0.016f);

        EXPECT_EQ(stem->state, Grown);
        EXPECT_EQ(stem->extraShoots, 0);
        const std::size_t shoots = static_cast<std::size_t>(sequence.at(0) % 3 + 1);
        EXPECT_EQ(stem->children.size(), c.buds ? shoots : 0u);
        // One count drawn in every case, then a seed and an angle per shoot.
        EXPECT_EQ(sequence.drawsBefore(std::rand()), 1 + 2 * stem->children.size());
    }
}

TEST_F(StemTest, BudRequestAddsOneToThreeShootsAfterTheExistingOnes) {
    Root root(makeStem(nullptr, 0, 3.75f, 80, 1));
    Stem* first = makeChild(root.stem, 60, 1);
    Stem* second = makeChild(root.stem, 100, 1);
    root->update(0.016f);

    // Several requests between two updates make one extra shoot.
    root->bud();
    root->bud();
    root->bud();
    const RandSequence sequence(77);
    root->update(0.016f);

    const std::size_t shoots = static_cast<std::size_t>(sequence.at(0) % 3 + 1);
    ASSERT_EQ(root->children.size(), 2 + shoots);
    const float tipX = root->x + root->tipOffsetX();
    const float tipY = root->y + root->tipOffsetY();
    EXPECT_EQ(root->children[0], first);
    EXPECT_EQ(root->children[1], second);
    EXPECT_EQ(root->state, Grown);
    EXPECT_EQ(root->extraShoots, 0);
    EXPECT_EQ(root->height, 1);
    for (std::size_t i = 0; i < shoots; ++i) {
        SCOPED_TRACE(::testing::Message() << "shoot " << i);
        const Stem* shoot = root->children[2 + i];
        // Per shoot: its growth seed, then its angle offset.
        const float seedValue = static_cast<float>(sequence.at(1 + 2 * i) % 10000) * 0.0001f;
        const float u = static_cast<float>(sequence.at(2 + 2 * i) % 10000) * 0.0001f;
        EXPECT_EQ(shoot->growthSeed, seedValue);
        EXPECT_EQ(shoot->angle, root->angle + (-25.0f + u * 50.0f));
        EXPECT_EQ(shoot->parent, root.stem);
        EXPECT_EQ(shoot->depth, 1);
        EXPECT_EQ(shoot->x, tipX);
        EXPECT_EQ(shoot->y, tipY);
        // Its first update came in the same frame.
        EXPECT_EQ(shoot->age, 0.016f);
        EXPECT_NE(shoot->sway, 0.0f);
    }
}

TEST_F(StemTest, BudRequestOnAGrowingStemFreezesItsLength) {
    Root stem(makeStem(nullptr, 0, 3.75f, 90, 1));
    stem->state = Growing;
    stem->length = 1;
    stem->growthSeed = 0.5f;  // 0.25 s to grow to 0.875
    stem->update(0.1f);
    stem->update(0.1f);
    const float frozen = stem->length;
    ASSERT_GT(frozen, 0.0f);
    ASSERT_LT(frozen, 0.875f);

    stem->bud();
    std::srand(5);
    stem->update(0.1f);
    EXPECT_EQ(stem->state, Grown);
    EXPECT_EQ(stem->width, 0.05f);  // full width for the height it had
    ASSERT_FALSE(stem->children.empty());
    EXPECT_FLOAT_EQ(stem->children[0]->y, stem->y + frozen * 0.8f);  // from the current tip
    for (int frame = 0; frame < 20; ++frame) {
        stem->update(0.1f);
    }
    const int height = stem->height;  // the next update widens for this one
    stem->update(0.1f);
    EXPECT_EQ(stem->length, frozen);
    EXPECT_EQ(stem->width, static_cast<float>((height + 1) * 0.05));
}

TEST_F(StemTest, HeightsFollowAddsAndOnlyAChangeTravelsUp) {
    Root root(makeStem(nullptr, 0, 3.75f, 90, 1));
    Stem* a = makeChild(root.stem, 90, 1);
    Stem* b = makeChild(a, 90, 1);
    EXPECT_EQ(root->height, 2);
    EXPECT_EQ(a->height, 1);
    EXPECT_EQ(b->height, 0);

    Stem* side = makeChild(root.stem, 45, 1);
    EXPECT_EQ(root->height, 2);
    makeChild(makeChild(side, 45, 1), 45, 1);
    EXPECT_EQ(side->height, 2);
    EXPECT_EQ(root->height, 3);

    // The walk stops at the first stem whose height stays: a wrong value
    // above it is left as it was.
    root->height = 99;
    makeChild(side, 45, 1);
    EXPECT_EQ(side->height, 2);
    EXPECT_EQ(root->height, 99);

    // A change travels all the way.
    makeChild(b, 90, 1);
    EXPECT_EQ(b->height, 1);
    EXPECT_EQ(a->height, 2);
    EXPECT_EQ(root->height, 3);
}

TEST_F(StemTest, PruningDestroysTheStemsBelowAndLowersOnlyChangedHeights) {
    Root top(makeStem(nullptr, 0, 3.75f, 90, 1));
    Stem* root = makeChild(top.stem, 90, 1);
    Stem* longBranch = makeChild(root, 90, 1);
    makeChild(makeChild(makeChild(longBranch, 90, 1), 90, 1), 90, 1);  // height 3
    Stem* shortBranch = makeChild(root, 45, 1);
    Stem* twig = makeChild(makeChild(shortBranch, 45, 1), 45, 1);
    Stem* leaf = makeChild(twig, 30, 1);  // shortBranch's height 3 as well
    ASSERT_EQ(root->height, 4);

    // A leaf: nothing changes.
    const uint64_t before = stemTreeVersion();
    leaf->prune();
    EXPECT_EQ(stemTreeVersion(), before);
    EXPECT_EQ(twig->children.size(), 1u);
    EXPECT_EQ(twig->height, 1);

    // The short branch drops to 0, the root keeps 4 through the long branch,
    // and the walk stops there: the wrong value above it stays.
    top->height = 99;
    shortBranch->angle = 33;
    shortBranch->prune();
    EXPECT_TRUE(shortBranch->children.empty());
    EXPECT_EQ(shortBranch->height, 0);
    EXPECT_EQ(root->height, 4);
    EXPECT_EQ(top->height, 99);
    EXPECT_EQ(shortBranch->state, Grown);
    EXPECT_EQ(shortBranch->angle, 33.0f);
    EXPECT_EQ(stemTreeVersion(), before + 3);  // three stems destroyed

    // A change travels as far as it goes.
    longBranch->prune();
    EXPECT_EQ(root->height, 1);
    EXPECT_EQ(top->height, 2);
    EXPECT_EQ(root->children.size(), 2u);

    // A pruned stem does not bud again by itself.
    for (int frame = 0; frame < 50; ++frame) {
        top->update(0.05f);
    }
    EXPECT_TRUE(longBranch->children.empty());
    EXPECT_TRUE(shortBranch->children.empty());
    EXPECT_EQ(longBranch->state, Grown);
}

// A chain of grown stems, built from its far end so that each add is cheap.
Stem* makeChain(int count, float length) {
    std::vector<Stem*> stems;
    for (int i = 0; i < count; ++i) {
        Stem* stem = new Stem();
        stem->angle = 90;
        stem->length = length;
        stem->state = Grown;
        stems.push_back(stem);
    }
    stems[0]->attach(nullptr, 0);
    for (int i = count - 1; i > 0; --i) {
        stems[static_cast<std::size_t>(i)]->attach(stems[static_cast<std::size_t>(i) - 1], i);
        stems[static_cast<std::size_t>(i) - 1]->addChild(stems[static_cast<std::size_t>(i)]);
    }
    return stems[0];
}

// A player can grow one long chain; no walk over it may run out of call stack.
TEST_F(StemTest, AVeryLongChainIsSteppedSearchedPrunedAndDestroyed) {
    constexpr int kChain = 300000;
    Plant plant;
    Stem* root = makeChain(kChain, 0.001f);
    root->y = 3.75f;
    plant.addRoot(root);
    EXPECT_EQ(root->height, kChain - 1);

    root->update(0.016f);
    plant.update(0.016f);
    Stem* last = root;
    while (!last->children.empty()) {
        last = last->children[0];
    }
    EXPECT_EQ(last->depth, kChain - 1);
    EXPECT_EQ(last->age, 0.032f);
    EXPECT_TRUE(treeInvariantsHold(plant));
    EXPECT_GT(last->y, 200.0f);

    NearestSearch search{root, 1.0e9f};
    root->searchNearest(search, 0, 1000);
    EXPECT_EQ(search.best, last);
    EXPECT_EQ(plant.findNearest(0, 1000), last);

    root->children[0]->prune();
    EXPECT_EQ(root->height, 1);
    Stem* again = makeChain(kChain, 1);
    again->attach(root->children[0], 2);
    root->children[0]->addChild(again);
    plant.drag(0, 3.75f + 0.0008f, false, true);  // cuts below the root
    EXPECT_TRUE(root->children.empty());
    Stem* rest = makeChain(kChain, 1);
    rest->attach(root, 1);
    root->addChild(rest);
    // The rest goes with the plant, one stem at a time.
}

}  // namespace
