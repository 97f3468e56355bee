// The text helpers' edge cases: what a name or location looks like after
// trimming, padding and caret conversion.
#include "morvel2/common/text_helpers.h"

#include <gtest/gtest.h>

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

}  // namespace
