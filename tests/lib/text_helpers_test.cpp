// The text helpers' edge cases: what a name or location looks like after
// trimming, padding and caret conversion.
#include "morvel2/common/text_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

std::string Trimmed(const char* text) {
  char buffer[64];
  std::strcpy(buffer, text);
  TrimTrailingSpaces(buffer);
  return buffer;
}

TEST(TrimTrailingSpaces, KeepsTheFirstCharacterAndInnerSpaces) {
  EXPECT_EQ(Trimmed("Order Items   "), "Order Items");
  EXPECT_EQ(Trimmed("   "), " ");
  EXPECT_EQ(Trimmed(" "), " ");
  EXPECT_EQ(Trimmed(""), "");
  EXPECT_EQ(Trimmed("  a"), "  a");
}

TEST(PadWithSpaces, FillsToTheWidthWithoutATerminator) {
  char buffer[8];
  std::memset(buffer, 'z', sizeof buffer);
  buffer[7] = '\0';  // so that the second call still gets a terminated text
  std::strcpy(buffer, "ab");
  PadWithSpaces(buffer, 5);
  EXPECT_EQ(std::string(buffer, 6), std::string("ab   z"));
  PadWithSpaces(buffer, 5);  // already that long: unchanged
  EXPECT_EQ(std::string(buffer, 6), std::string("ab   z"));
}

TEST(CaretConversion, TurnsEveryCaretOrSpace) {
  char buffer[] = "Order^Items^^x";
  CaretsToSpaces(buffer);
  EXPECT_STREQ(buffer, "Order Items  x");
  SpacesToCarets(buffer);
  EXPECT_STREQ(buffer, "Order^Items^^x");
}

TEST(CopyText, StopsAtTheLimitOrTheTerminator) {
  char buffer[6];
  CopyText(buffer, "abcdefgh", 5);
  EXPECT_STREQ(buffer, "abcde");
  CopyText(buffer, "ab", 5);
  EXPECT_STREQ(buffer, "ab");
  const char field[4] = {'w', 'x', 'y', 'z'};  // fixed width, no terminator
  CopyFixedText(buffer, field, 4);
  EXPECT_STREQ(buffer, "wxyz");
}

// A stored name as the report prints it, in one pass, against the three
// steps it replaces; widths around the 16-byte steps of the padding scan.
TEST(CopyStoredName, EqualsCopyCaretsAndTrimInTurn) {
  const std::string names[] = {"Order^Items",
                               "Items^^",
                               "^",
                               "^ ^ ",
                               "",
                               "a",
                               "Name_With_16char",
                               std::string("x\0y^  ", 6),
                               "^^^^^^^^^^^^^^^^^^^^",
                               "Seventeen_chars_x"};
  for (const std::string& name : names) {
    for (int width : {1, 4, 15, 16, 17, 31, 40, 128}) {
      std::string field(static_cast<size_t>(width), ' ');
      field.replace(0, std::min(name.size(), field.size()), name.substr(0, field.size()));
      char expected[129], actual[129];
      CopyFixedText(expected, field.data(), width);
      CaretsToSpaces(expected);
      TrimTrailingSpaces(expected);
      CopyStoredName(actual, field.data(), width);
      EXPECT_STREQ(actual, expected) << '"' << name << "\" width " << width;
    }
  }
}

}  // namespace
