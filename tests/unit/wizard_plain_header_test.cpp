// Page headers without a Header.bmp: a ground the title can be read on, and
// texts that do not overlap when the script places none.
#include <gtest/gtest.h>

#include "wizard/plain_header.h"

TEST(PlainHeader, ReadableGroundAndPlaces) {
  EXPECT_EQ(PlainHeaderColour(0x000000), 0xFFFFFFu);  // black title: white header
  EXPECT_EQ(PlainHeaderColour(0x7F3F00), 0xFFFFFFu);  // dark blue
  EXPECT_EQ(PlainHeaderColour(0xFFFFFF), 0x404040u);  // white title: dark header
  EXPECT_EQ(PlainHeaderColour(0x00FFFF), 0x404040u);  // yellow

  HeaderTextPlaces none;  // a script without the header keys
  const HeaderTextPlaces usual = PlainHeaderPlaces(none);
  EXPECT_EQ(usual.titleX, 15);
  EXPECT_EQ(usual.titleY, 10);
  EXPECT_EQ(usual.textX, 25);
  EXPECT_EQ(usual.textY, 30);
  EXPECT_EQ(usual.titleFlags, 256);
  HeaderTextPlaces own;
  own.titleX = 5;
  own.textX = 5;
  own.textY = 20;
  own.titleFlags = 512;
  const HeaderTextPlaces kept = PlainHeaderPlaces(own);
  EXPECT_EQ(kept.textY, 20);
  EXPECT_EQ(kept.titleFlags, 512);
}
