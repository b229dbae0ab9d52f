#include "dialog_placement.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  const char* what;
  PlacementRect reference;
  int width, height, button;
  bool systemMenu;
  int x, y;
};

TEST(CenterPosition, CentresAThirdDownAndStaysOnScreen) {
  const Case cases[] = {
      {"centred, shifted by the button width", {0, 0, 1000, 700}, 400, 300, 18, true, 282, 133},
      {"no system menu: two thirds of the shift", {0, 0, 1000, 700}, 400, 300, 18, false, 288, 133},
      {"offset owner", {100, 50, 500, 350}, 200, 150, 18, true, 182, 100},
      {"dialog wider and taller than its owner", {300, 200, 400, 300}, 500, 400, 18, true, 282, 200},
      {"pushed back from the right edge", {900, 0, 1600, 700}, 400, 300, 0, true, 624, 133},
      {"pushed back from the bottom", {0, 600, 1000, 900}, 400, 300, 18, true, 282, 468},
      {"larger than the screen", {0, 0, 1024, 768}, 1200, 900, 18, true, 0, 0},
  };
  for (const Case& c : cases) {
    const PlacementPoint at =
        CenterPosition(c.reference, c.width, c.height, c.button, c.systemMenu, 1024, 768);
    EXPECT_EQ(at.x, c.x) << c.what;
    EXPECT_EQ(at.y, c.y) << c.what;
  }
}

}  // namespace
