// Buoy, tree, boat and scenery models drawn into a real frame and looked at from chosen cameras.
#include <gtest/gtest.h>

#include "race/race_state.h"
#include "render/boat_model.h"
#include "render/buoy_tree.h"
#include "render/projection.h"
#include "render/scenery.h"
#include "testing/render_canvas.h"

namespace {

constexpr uint8_t kRed = 249;
constexpr uint8_t kLettering = 249;
constexpr uint8_t kStand = 247;

struct Sight {
    double x, y, z;
    uint8_t colour;
    bool seen = true;
};

class Models : public RenderCanvas {
  protected:
    // Each world point lands on (or beside) a pixel of its colour, or not.
    void ExpectSeen(std::initializer_list<Sight> sights) {
        for (const Sight& s : sights) {
            ProjectPoint(s.x, s.y, s.z);
            EXPECT_EQ(Near(ProjX, ProjY, s.colour), s.seen)
                << s.x << "," << s.y << "," << s.z << " colour " << int(s.colour);
        }
    }
};

// From above: the white block 466 across, the pyramid's base 232 in the buoy's colour. Low
// over the water the uprights need the top square in front of the foot (at x -286.8 the top
// is at depth 49, the foot at 53).
TEST_F(Models, BuoySizesAndUprights) {
    PlaceCamera(0, 0, 2000, 0, 2700, 0);
    DrawBuoy(0, 0, 0, 700.0, kRed);
    EXPECT_EQ(DrawColour, kRed);
    ExpectSeen({{233, 0, 23, 255},
                {0, -233, 23, 255},
                {116, 0, 23, kRed},
                {0, 116, 23, kRed},
                {58, 58, 361.5, kRed},
                {175, 0, 23, kRed, false}});

    Clear();
    PlaceCamera(-286.8, 0, 0, 0, 3500, 0);
    DrawBuoy(0, 0, 0, 700.0, kRed);
    ExpectSeen({{233, -233, 0, 255},
                {233, -233, 11.5, 255, false},
                {233, -233, 23, 255, false},
                {104.4, -104.4, 90.7, kRed}});  // the pyramid stands on its own test
    Clear();
    PlaceCamera(-300, 0, 0, 0, 3500, 0);
    DrawBuoy(0, 0, 0, 700.0, kRed);
    ExpectSeen({{233, -233, 11.5, 255}, {233, -233, 23, 255}});
}

// Below size 30 a tree is a vertical line of crown colour over a point on the ground; the
// trunk's single point is drawn over.
TEST_F(Models, TreeBelowSize30IsAVerticalLine) {
    PlaceCamera(-1000, 0, 10, 0, 0, 0);
    DrawTree(0, 0, 0, 20);
    EXPECT_EQ(DrawColour, 0);
    EXPECT_EQ(Count(249), 0);
    const int crown = Count(250);
    EXPECT_TRUE(crown >= 9 && crown <= 11) << crown;
    int inColumn = 0;
    for (int y = 0; y < 480; ++y) inColumn += At(320, y) == 250;
    EXPECT_EQ(inColumn, crown);
    EXPECT_EQ(At(320, 245), 0);
}

TEST_F(Models, BillboardReadsSevenCharactersInsideTheBoard) {
    PlaceCamera(5500, 5000, 1500, 2700, 0, 0);  // out on the water, facing the board
    DrawScenery();
    EXPECT_EQ(DrawColour, 248);

    // Every stroke lies inside the lettering box on the board.
    ProjectPoint(9200, -1000, 1900);
    const int left = ProjX, top = ProjY;
    ProjectPoint(1700, -1000, 1200);
    const int right = ProjX, bottom = ProjY;
    int columnsWithInk = 0, characters = 0, gap = 1000;
    for (int x = 0; x < 640; ++x) {
        bool ink = false;
        for (int y = 0; y < 480; ++y) {
            if (At(x, y) != kLettering) continue;
            ink = true;
            EXPECT_TRUE(x >= left - 1 && x <= right + 1 && y >= top - 1 && y <= bottom + 1)
                << x << "," << y;
        }
        if (ink) {
            ++columnsWithInk;
            if (gap >= 10) ++characters;  // a gap between characters is about 25 pixels here
            gap = 0;
        } else {
            ++gap;
        }
    }
    EXPECT_EQ(characters, 7);
    EXPECT_GT(columnsWithInk, 250);

    // The first character's small inner stroke (ta) at the reader's left, the high-x end; the
    // board's frame and posts in white.
    ExpectSeen({{9200 - 800 * 0.5, -1000, 1200 + 700 * 0.46, kLettering},
                {5500, -1000, 2000, 255},
                {3000, -1000, 500, 255}});
}

// Both stands run six sections to y 21000; the flagpole's pennant points toward -y.
TEST_F(Models, BothStandsRunSixSectionsToY21000) {
    PlaceCamera(12000, 12000, 1500, 0, 0, 0);  // facing the east stand
    DrawScenery();
    ExpectSeen({{25000, 19500, 0, kStand},  // sixth section, water's side
                {28000, 21000, 1500, kStand},
                {28000, 4500, 3000, kStand},  // first section, back top
                {28000, 22500, 3000, kStand, false}});
    Clear();
    PlaceCamera(20000, 12000, 1500, 1800, 0, 0);  // facing the west stand
    DrawScenery();
    ExpectSeen({{-3000, 19500, 0, kStand},
                {-5000, 21000, 1500, kStand},
                {-5000, 4500, 3000, kStand},
                {-2000, 21000, 2500, 255},
                {-2000, 20000, 4250, 250},
                {-2000, 2000, 4250, 248},
                {-5000, 22500, 3000, kStand, false}});
}

class Boats : public Models {
  protected:
    void SetUp() override {
        Models::SetUp();
        PlayerX = PlayerY = 0.0f;
        PlayerZ = 150.0f;  // deck reference 100
        PlayerHeading = PlayerRock = 0;
        opponentPose = {0.0f, 0.0f, 150.0f, 0, 0.0f};
    }
    BoatModelPose opponentPose;
    // Lowest row of the colour in the three middle columns, within rows 100..400.
    int LowestRowAtCentre(uint8_t colour) const {
        int lowest = -1;
        for (int y = 100; y <= 400; ++y)
            for (int x = 319; x <= 321; ++x)
                if (At(x, y) == colour) lowest = y;
        return lowest;
    }
};

// Seen straight down at half a pixel per unit: the hull's corners turn with the heading, and
// the figure is in the main colour (white for the player, 254 - index for an opponent).
TEST_F(Boats, HullCornersFollowTheHeading) {
    PlaceCamera(0, 0, 1124, 0, 2700, 0);
    for (int opponent : {0, 1}) {
        for (int heading : {0, 900}) {
            Clear();
            PlayerHeading = opponentPose.heading = heading;
            opponent ? DrawOpponentBoat(opponentPose, 3) : DrawPlayerBoat();
            EXPECT_EQ(DrawColour, 255);
            EXPECT_GT(Count(opponent ? 251 : 255), 0);
            const double a = heading ? 100 : 200, b = heading ? 200 : 100;
            ExpectSeen({{a, -b, 100, 1},
                        {-a, -b, 100, 1},
                        {-a, b, 100, 1},
                        {a, b, 100, 1},
                        {200, -100, 100, 1, heading == 0}});
        }
    }
}

// Rock tilts the bow down and the stern up; the deck shifts are whole for the player and
// fractional for opponents: seen from 51.2 above the seat point at height 180 (ten pixels a
// unit), the player's seat sits at 700 / 12 = 58, an opponent's at 58.33, 3 pixels up.
TEST_F(Boats, RockTiltsTheHullAndShiftsTheDeck) {
    PlaceCamera(0, -1000, 100, 900, 0, 0);
    PlayerRock = 7;
    opponentPose.rock = 7.0f;
    DrawPlayerBoat();
    ExpectSeen({{200, -100, 93, 1}, {-200, -100, 107, 1}, {200, -100, 107, 1, false}});
    Clear();
    DrawOpponentBoat(opponentPose, 0);
    ExpectSeen({{200, -100, 93, 1}, {-200, -100, 107, 1}});

    Clear();
    PlaceCamera(58, 0, 231.2, 0, 2700, 0);
    DrawPlayerBoat();
    EXPECT_EQ(LowestRowAtCentre(255), 240);
    Clear();
    DrawOpponentBoat(opponentPose, 1);
    EXPECT_EQ(LowestRowAtCentre(253), 237);
}

// The shadow's outline runs along the horizon row, under the boat in the air.
TEST_F(Boats, ShadowStaysOnTheWaterWhenAirborne) {
    PlaceCamera(0, -1000, 98, 900, 0, 0);
    PlayerZ = 1000.0f;
    DrawPlayerBoat();
    EXPECT_TRUE(Near(320, 240, 0) && Near(420, 240, 0));
    EXPECT_EQ(PlayerZ, 1000.0f);
}

}  // namespace
