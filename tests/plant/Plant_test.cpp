// The plant: picking the stem nearest to a point, and the press and drag
// actions on it.
#include "plant/Plant.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "app/World.h"
#include "plant/Stem.h"
#include "support/StemTree.h"

namespace {

class PlantTest : public ::testing::Test {
  protected:
    void SetUp() override {
        World::instance().setBounds(32, 16, 0, -16);
        seedRandom(11);
    }
    void TearDown() override { clearPlant(plant); }

  public:
    Stem* addRoot(float x, float y, float angle = 90, float length = 1) {
        Stem* root = makeStem(nullptr, x, y, angle, length);
        plant.addRoot(root);
        return root;
    }

    Plant plant;
};

TEST_F(PlantTest, AnEmptyPlantFindsNothingAndIgnoresThePointer) {
    EXPECT_EQ(plant.findNearest(0, 10), nullptr);
    plant.press(0, 10, true, false, true);
    Stem outside;
    plant.hovered = &outside;
    plant.drag(0, 10, false, false);
    EXPECT_EQ(plant.hovered, nullptr);
    plant.drag(0, 10, true, false);
    plant.drag(0, 10, false, true);
    plant.update(0.016f);
}

float tipDistanceSq(const Stem* stem, float x, float y) {
    const float dx = x - (stem->x + stem->tipOffsetX());
    const float dy = y - (stem->y + stem->tipOffsetY());
    return dx * dx + dy * dy;
}

// Two tips at the same distance from the search point, which is returned in
// x and y; the first stem listed is the one met first in pre-order.
struct Tie {
    Stem* first;
    Stem* second;
};

TEST_F(PlantTest, TiesGoToTheStemMetFirstInPreorder) {
    struct Case {
        const char* name;
        Tie (*build)(PlantTest& test, Stem* root, float& x, float& y);
    };
    const Case cases[] = {
        {"a parent over its child of length 0",
         [](PlantTest&, Stem* root, float& x, float& y) {
             Stem* parent = makeChild(root, 90, 5);
             x = parent->x + 1;
             y = parent->y + parent->tipOffsetY();
             return Tie{parent, makeChild(parent, 0, 0)};
         }},
        {"an earlier sibling over a later one",
         [](PlantTest&, Stem* root, float& x, float& y) {
             x = 0;
             y = 10;
             Stem* first = makeStem(root, -2, 10, 90, 0);
             return Tie{first, makeStem(root, 2, 10, 90, 0)};
         }},
        {"an earlier child's descendant over a later child",
         [](PlantTest&, Stem* root, float& x, float& y) {
             x = 0;
             y = 10;
             Stem* early = makeStem(root, -5, 10, 90, 0);
             Stem* below = makeStem(early, -2, 10, 90, 0);
             return Tie{below, makeStem(root, 2, 10, 90, 0)};
         }},
        {"an earlier root over a later one",
         [](PlantTest& test, Stem*, float& x, float& y) {
             x = 0;
             y = 10;
             Stem* first = test.addRoot(-3, 10, 90, 0);
             return Tie{first, test.addRoot(3, 10, 90, 0)};
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clearPlant(plant);
        Stem* root = addRoot(0, 3.75f, 270, 1);  // its tip below, out of the way
        float x = 0;
        float y = 0;
        const Tie tie = c.build(*this, root, x, y);
        ASSERT_EQ(tipDistanceSq(tie.first, x, y), tipDistanceSq(tie.second, x, y));
        EXPECT_EQ(plant.findNearest(x, y), tie.first);

        NearestSearch search{plant.roots.front(), 1.0e9f};
        for (Stem* r : plant.roots) {
            r->searchNearest(search, x, y);
        }
        EXPECT_EQ(search.best, tie.first);
    }
}

TEST_F(PlantTest, APointerOutsideTheWorldPicksAsFromTheNearestBoundPoint) {
    struct Case {
        float x, y;   // outside the world
        int nearest;  // from the clamped point; the raw point is nearer the other
    };
    // Tips: (16, 24) and (24, 40) near the right edge; (-16, 2) and (-30, -6)
    // near the bottom-left corner.
    const Case cases[] = {{40, 30, 0}, {-40, -10, 2}};
    Stem* root = addRoot(0, 3.75f, 270, 1);
    std::vector<Stem*> tips = {makeStem(root, 16, 23.2f, 90, 1), makeStem(root, 24, 39.2f, 90, 1),
                               makeStem(root, -16, 1.2f, 90, 1), makeStem(root, -30, -6.8f, 90, 1)};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "pointer (" << c.x << ", " << c.y << ")");
        Stem* expected = tips[static_cast<std::size_t>(c.nearest)];
        ASSERT_NE(plant.findNearest(c.x, c.y), expected);  // the raw point disagrees
        plant.drag(c.x, c.y, false, false);
        EXPECT_EQ(plant.hovered, expected);
        plant.press(c.x, c.y, true, false, true);
        EXPECT_EQ(expected->state, Budding);
        expected->state = Grown;
    }
}

TEST_F(PlantTest, OnlyALeftPressBudsAndNoPressTouchesTheHoveredStem) {
    struct Case {
        bool leftDown, rightDown, buttonDown;
        bool buds;
    };
    const Case cases[] = {
        {true, false, true, true},   {true, true, true, true},    {false, true, true, false},
        {false, false, true, false}, {true, false, false, false}, {false, false, false, false},
    };
    Stem* root = addRoot(0, 3.75f);
    Stem* target = makeStem(root, 5, 10, 90, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.leftDown << c.rightDown << c.buttonDown);
        target->state = Grown;
        target->extraShoots = 0;
        plant.hovered = root;
        plant.press(5, 10, c.leftDown, c.rightDown, c.buttonDown);
        EXPECT_EQ(target->state, c.buds ? Budding : Grown);
        EXPECT_EQ(target->extraShoots, c.buds ? 1 : 0);
        EXPECT_EQ(root->state, Grown);
        EXPECT_EQ(plant.hovered, root);
    }
}

TEST_F(PlantTest, DragBudsCutsOrMarksTheNearestStem) {
    enum Effect { Buds, Cuts, Marks };
    struct Case {
        bool leftDown, rightDown;
        Effect effect;
    };
    const Case cases[] = {
        {true, false, Buds}, {true, true, Buds}, {false, true, Cuts}, {false, false, Marks}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "left " << c.leftDown << ", right " << c.rightDown);
        clearPlant(plant);
        Stem* root = addRoot(0, 3.75f);
        Stem* branch = makeChild(root, 90, 2);
        Stem* twig = makeChild(makeChild(branch, 60, 1), 120, 1);
        Stem* other = makeChild(root, 0, 3);
        const float x = branch->x + branch->tipOffsetX();
        const float y = branch->y + branch->tipOffsetY();

        plant.drag(twig->x, twig->y + 5, false, false);  // marks a stem that a cut destroys
        ASSERT_NE(plant.hovered, nullptr);
        plant.drag(x, y, c.leftDown, c.rightDown);

        EXPECT_EQ(plant.hovered, c.effect == Marks ? branch : nullptr);
        EXPECT_EQ(branch->state, c.effect == Buds ? Budding : Grown);
        EXPECT_EQ(branch->children.size(), c.effect == Cuts ? 0u : 1u);
        EXPECT_EQ(root->children.size(), 2u);
        EXPECT_EQ(other->children.size(), 0u);
        EXPECT_TRUE(treeInvariantsHold(plant));
        // The plant steps what is left, and only that.
        plant.update(0.016f);
        EXPECT_EQ(
            preorder(plant.roots).size(),
            c.effect == Cuts ? 3u : 5u + (c.effect == Buds ? branch->children.size() - 1 : 0u));
    }
}

TEST_F(PlantTest, ARightDragAtTheRootLeavesTheRootAlone) {
    Stem* root = addRoot(0, 3.75f);
    makeChild(makeChild(root, 80, 1), 100, 1);
    makeChild(root, 20, 1);
    plant.drag(0, 3.75f + 0.8f, false, true);
    EXPECT_EQ(preorder(plant.roots), std::vector<Stem*>{root});
    EXPECT_EQ(root->height, 0);
    plant.update(0.016f);
    EXPECT_EQ(root->age, 0.016f);
}

TEST_F(PlantTest, PlainMovementMarksTheNearestStemHoweverFar) {
    Stem* root = addRoot(0, 3.75f);
    Stem* right = makeChild(root, 0, 2);
    plant.drag(-16, 32, false, false);
    EXPECT_EQ(plant.hovered, root);
    plant.drag(16, 32, false, false);
    EXPECT_EQ(plant.hovered, right);
}

void clampToWorld(float& x, float& y) {
    const World& world = World::instance();
    x = std::min(std::max(x, static_cast<float>(world.left)), static_cast<float>(world.right));
    y = std::min(std::max(y, static_cast<float>(world.bottom)), static_cast<float>(world.top));
}

// The stem nearest to a point inside the world, found by the tree walk from
// each root.
Stem* walkNearest(const Plant& plant, float x, float y) {
    NearestSearch search{plant.roots.front(), 1.0e9f};
    for (Stem* root : plant.roots) {
        root->searchNearest(search, x, y);
    }
    return search.best;
}

// One frame of a plant as seen from outside: which stem a left drag picked
// and every stem's fields, in pre-order.
struct Frame {
    std::size_t picked = 0;
    std::vector<float> fields;
};

// Grows a plant of two roots for a few hundred frames with drags, cuts and
// buds in between, all chosen from one seed. With treeWalk the stems are
// stepped and picked by the tree walk from each root; otherwise by the plant.
std::vector<Frame> simulate(Plant& plant, bool treeWalk) {
    std::srand(4321);
    for (float x : {0.0f, 6.0f}) {
        Stem* root = new Stem();
        root->attach(nullptr, 0);
        root->x = x;
        root->y = 3.75f;
        plant.addRoot(root);
    }
    std::vector<Frame> frames;
    for (int frame = 0; frame < 300; ++frame) {
        std::srand(static_cast<unsigned>(frame) * 7919u);
        const unsigned action = static_cast<unsigned>(std::rand());
        const std::vector<Stem*> stems = preorder(plant.roots);
        const std::size_t pick = action / 8 % stems.size();
        Frame record;
        // Cuts keep the plant from growing without end.
        switch (stems.size() > 1500 ? 2 : action % 8) {
            case 0:  // a left drag at a stem's tip
            case 1: {
                float x = stems[pick]->x + stems[pick]->tipOffsetX();
                float y = stems[pick]->y + stems[pick]->tipOffsetY();
                clampToWorld(x, y);
                Stem* nearest = treeWalk ? walkNearest(plant, x, y) : plant.findNearest(x, y);
                record.picked = indexOf(stems, nearest);
                if (treeWalk) {
                    nearest->bud();
                } else {
                    plant.drag(x, y, true, false);
                }
                break;
            }
            case 2: {  // a right drag at a stem's base
                float x = stems[pick]->x;
                float y = stems[pick]->y;
                clampToWorld(x, y);
                if (treeWalk) {
                    walkNearest(plant, x, y)->prune();
                } else {
                    plant.drag(x, y, false, true);
                }
                break;
            }
            case 3:  // changes made straight on the tree
                stems[pick]->prune();
                stems[pick]->bud();
                break;
            case 4:  // many stems budding in one frame draw in pre-order
                if (stems.size() < 100) {
                    for (Stem* stem : stems) {
                        stem->bud();
                    }
                }
                break;
            default:
                break;
        }
        const float dt = 0.01f + static_cast<float>(action % 5) * 0.02f;
        if (treeWalk) {
            for (Stem* root : plant.roots) {
                root->update(dt);
            }
        } else {
            plant.update(dt);
        }
        for (const Stem* stem : preorder(plant.roots)) {
            record.fields.insert(
                record.fields.end(),
                {stem->x, stem->y, stem->angle, stem->sway, stem->length, stem->width, stem->age,
                 static_cast<float>(stem->state), static_cast<float>(stem->height),
                 static_cast<float>(stem->children.size())});
        }
        frames.push_back(record);
        if (!treeInvariantsHold(plant)) {
            ADD_FAILURE() << "frame " << frame << ": " << treeInvariantsHold(plant).message();
            break;
        }
    }
    return frames;
}

// The plant steps and picks its stems through a list of its own; it must act
// exactly as the tree walk does, through budding, cuts and changes made
// straight on the stems.
TEST_F(PlantTest, StepsAndPicksExactlyAsTheTreeWalk) {
    std::vector<Frame> walked;
    {
        Plant reference;
        walked = simulate(reference, true);
        clearPlant(reference);
    }
    const std::vector<Frame> stepped = simulate(plant, false);
    ASSERT_EQ(stepped.size(), walked.size());
    for (std::size_t i = 0; i < walked.size(); ++i) {
        ASSERT_EQ(stepped[i].picked, walked[i].picked) << "frame " << i;
        ASSERT_EQ(stepped[i].fields, walked[i].fields) << "frame " << i;
    }
    EXPECT_GT(walked.back().fields.size() / 10, 200u);
}

}  // namespace
