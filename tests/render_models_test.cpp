// Buoy, tree and boat models drawn into a real frame and looked at from chosen cameras.
#include <gtest/gtest.h>

#include "race/race_state.h"
#include "render/boat_model.h"
#include "render/buoy_tree.h"
#include "render/projection.h"
#include "tests/render_canvas.h"

namespace {

using Models = RenderCanvas;

// True when the world point lands on (or beside) a pixel of that colour.
#define EXPECT_SEEN(canvas_x, canvas_y, canvas_z, colour)                 \
    do {                                                                  \
        ProjectPoint(canvas_x, canvas_y, canvas_z);                       \
        EXPECT_TRUE(Near(ProjX, ProjY, colour)) << ProjX << "," << ProjY; \
    } while (0)
#define EXPECT_NOT_SEEN(canvas_x, canvas_y, canvas_z, colour)              \
    do {                                                                   \
        ProjectPoint(canvas_x, canvas_y, canvas_z);                        \
        EXPECT_FALSE(Near(ProjX, ProjY, colour)) << ProjX << "," << ProjY; \
    } while (0)

constexpr uint8_t kRed = 249;

TEST_F(Models, BuoyFromAboveShowsItsBlockAndPyramidSizes) {
    PlaceCamera(0, 0, 2000, 0, 2700, 0);
    DrawBuoy(0, 0, 0, 700.0, kRed);
    EXPECT_EQ(DrawColour, kRed);
    // The white block is 466 across, the pyramid's base 232, in the buoy's colour.
    EXPECT_SEEN(233, 0, 23, 255);
    EXPECT_SEEN(0, -233, 23, 255);
    EXPECT_SEEN(116, 0, 23, kRed);
    EXPECT_SEEN(0, 116, 23, kRed);
    EXPECT_SEEN(58, 58, 361.5, kRed);  // halfway up an edge to the apex
    EXPECT_NOT_SEEN(175, 0, 23, kRed);
}

TEST_F(Models, BuoyUprightsNeedTheTopSquareInFront) {
    // Looking 10 degrees down from low over the water: the top square's near corners are
    // nearer than the foot's. At x -286.8 the top square is at depth 49, the foot at 53.
    PlaceCamera(-286.8, 0, 0, 0, 3500, 0);
    DrawBuoy(0, 0, 0, 700.0, kRed);
    EXPECT_SEEN(233, -233, 0, 255);         // foot outline
    EXPECT_NOT_SEEN(233, -233, 11.5, 255);  // no uprights, no top outline
    EXPECT_NOT_SEEN(233, -233, 23, 255);
    EXPECT_SEEN(104.4, -104.4, 90.7, kRed);  // the pyramid stands on its own test

    Clear();
    PlaceCamera(-300, 0, 0, 0, 3500, 0);
    DrawBuoy(0, 0, 0, 700.0, kRed);
    EXPECT_SEEN(233, -233, 11.5, 255);
    EXPECT_SEEN(233, -233, 23, 255);
}

TEST_F(Models, TreeBelowSize30IsAVerticalLine) {
    PlaceCamera(-1000, 0, 10, 0, 0, 0);
    DrawTree(0, 0, 0, 20);
    EXPECT_EQ(DrawColour, 0);
    EXPECT_EQ(Count(249), 0);  // the trunk's single point is drawn over
    const int crown = Count(250);
    EXPECT_GE(crown, 9);
    EXPECT_LE(crown, 11);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            if (At(x, y) == 250) {
                EXPECT_EQ(x, 320) << y;
            }
    EXPECT_EQ(At(320, 245), 0);  // the footprint, a point on the ground
}

// ---- Boats --------------------------------------------------------------------------------

class Boats : public RenderCanvas {
  protected:
    void SetUp() override {
        RenderCanvas::SetUp();
        PlayerX = PlayerY = 0.0f;
        PlayerZ = 150.0f;  // deck reference 100
        PlayerHeading = 0;
        PlayerRock = 0;
        BoatModelX = BoatModelY = 0.0f;
        BoatModelZ = 150.0f;
        BoatModelHeading = 0;
        BoatModelRock = 0.0f;
    }

    // Lowest row of the colour in the three middle columns, within rows 100..400.
    int LowestRowAtCentre(uint8_t colour) const {
        int lowest = -1;
        for (int y = 100; y <= 400; ++y)
            for (int x = 319; x <= 321; ++x)
                if (At(x, y) == colour) lowest = y;
        return lowest;
    }
};

TEST_F(Boats, HullCornersFollowTheHeading) {
    PlaceCamera(0, 0, 1124, 0, 2700, 0);  // straight down, half a pixel per unit at the hull
    for (int variant = 0; variant < 2; ++variant) {
        Clear();
        PlayerHeading = BoatModelHeading = 0;
        variant == 0 ? DrawPlayerBoat() : DrawOpponentBoat(3);
        EXPECT_EQ(DrawColour, 255);
        EXPECT_SEEN(200, -100, 100, 1);
        EXPECT_SEEN(-200, -100, 100, 1);
        EXPECT_SEEN(-200, 100, 100, 1);
        EXPECT_SEEN(200, 100, 100, 1);

        Clear();
        PlayerHeading = BoatModelHeading = 900;
        variant == 0 ? DrawPlayerBoat() : DrawOpponentBoat(3);
        EXPECT_SEEN(100, 200, 100, 1);
        EXPECT_SEEN(100, -200, 100, 1);
        EXPECT_SEEN(-100, -200, 100, 1);
        EXPECT_SEEN(-100, 200, 100, 1);
        EXPECT_NOT_SEEN(200, -100, 100, 1);
    }
    // The figure is in the main colour: white for the player, 254 - index for an opponent.
    EXPECT_GT(Count(251), 0);
    EXPECT_EQ(Count(255) > 0, true);
}

TEST_F(Boats, RockTiltsBowDownAndSternUp) {
    PlaceCamera(0, -1000, 100, 900, 0, 0);  // from the side, level with the deck
    PlayerRock = 7;
    DrawPlayerBoat();
    EXPECT_SEEN(200, -100, 93, 1);
    EXPECT_SEEN(-200, -100, 107, 1);
    EXPECT_NOT_SEEN(200, -100, 107, 1);

    Clear();
    BoatModelRock = 7.0f;
    DrawOpponentBoat(0);
    EXPECT_SEEN(200, -100, 93, 1);
    EXPECT_SEEN(-200, -100, 107, 1);
}

TEST_F(Boats, DeckShiftsAreWholeForThePlayerAndFractionalForOpponents) {
    // Straight down from 51.2 above the seat point D12 at height 180: ten pixels a unit there.
    // The seat is where the two lines to the sides meet; the player's sits at 700 / 12 = 58,
    // an opponent's at 58.33, a third of a unit further along the boat, 3 pixels up the screen.
    PlaceCamera(58, 0, 231.2, 0, 2700, 0);
    PlayerRock = 7;
    DrawPlayerBoat();
    EXPECT_EQ(LowestRowAtCentre(255), 240);

    Clear();
    BoatModelRock = 7.0f;
    DrawOpponentBoat(1);
    EXPECT_EQ(LowestRowAtCentre(253), 237);
}

TEST_F(Boats, ShadowStaysOnTheWaterWhenAirborne) {
    PlaceCamera(0, -1000, 98, 900, 0, 0);
    PlayerZ = 1000.0f;
    DrawPlayerBoat();
    // The shadow's outline runs along the horizon row, under the boat in the air.
    EXPECT_TRUE(Near(320, 240, 0));
    EXPECT_TRUE(Near(420, 240, 0));
    EXPECT_EQ(PlayerZ, 1000.0f);
}

}  // namespace
