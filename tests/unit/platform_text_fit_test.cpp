// Texts shortened to the room they have.
#include <gtest/gtest.h>

#include <string>

#include "platform/text_fit.h"

namespace {

// A room of `columns` characters on each of `lines` lines, wrapping at
// blanks as a static text does (a word longer than a line does not fit).
struct Room {
  size_t columns;
  int lines;
  int asked = 0;
};

bool FitsRoom(const std::string &text, void *context) {
  Room *room = (Room *)context;
  room->asked++;
  int used = 1;
  size_t column = 0;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find(' ', at);
    if (end == std::string::npos) end = text.size();
    size_t word = end - at;
    if (word > room->columns) return false;
    size_t needed = column == 0 ? word : column + 1 + word;
    if (needed > room->columns) {
      used++;
      column = word;
    } else {
      column = needed;
    }
    at = end + 1;
  }
  return used <= room->lines;
}

TEST(TextFit, AFittingTextIsLeftAlone) {
  Room room = {20, 2};
  EXPECT_EQ("Install for me", ShortenToFit("Install for me", FitsRoom, &room));
  EXPECT_EQ(1, room.asked);
  EXPECT_EQ("", ShortenToFit("", FitsRoom, &room));
}

TEST(TextFit, ALongTextEndsInDotsWithinItsLines) {
  const std::string title = "Welcome to the installation of A Very Long Product Name version 1.0";
  Room room = {24, 2};
  std::string shown = ShortenToFit(title, FitsRoom, &room);
  EXPECT_TRUE(FitsRoom(shown, &room));
  ASSERT_GT(shown.size(), 3u);
  EXPECT_EQ("...", shown.substr(shown.size() - 3));
  EXPECT_EQ(0u, title.find(shown.substr(0, shown.size() - 3)));
  // The longest beginning: up to the next character that is no blank, it
  // would not fit.
  size_t next = title.find_first_not_of(' ', shown.size() - 3);
  ASSERT_NE(std::string::npos, next);
  EXPECT_FALSE(FitsRoom(title.substr(0, next + 1) + "...", &room));
  // A binary search, not a walk through every length.
  room.asked = 0;
  ShortenToFit(title, FitsRoom, &room);
  EXPECT_LE(room.asked, 10);
}

TEST(TextFit, NoBlankOrLineBreakBeforeTheDots) {
  Room room = {10, 1};
  EXPECT_EQ("Launch...", ShortenToFit("Launch  Demo Product now", FitsRoom, &room));
  EXPECT_EQ("Line...", ShortenToFit("Line\r\n\r\nmore text here", FitsRoom, &room));
}

TEST(TextFit, NothingFitsGivesTheDotsAlone) {
  Room room = {2, 1};
  EXPECT_EQ("...", ShortenToFit("Abbrechen", FitsRoom, &room));
  EXPECT_EQ("Text", ShortenToFit("Text", nullptr, nullptr));
}

}  // namespace
