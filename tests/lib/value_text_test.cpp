// The one text form of a column value: for every column shape and every byte
// string, the printed form reads back as exactly those bytes (hex when no
// other form does). Bytes are random, or a valid value with bytes changed.
#include "morvel2/dictionary/value_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "morvel2/dictionary/column_types.h"

namespace {

// A valid value of each kind, to start from.
ValueText SampleOf(ValueClass valueClass) {
  switch (valueClass) {
    case ValueClass::kLogical:
    case ValueClass::kBit: return {ValueKind::kBoolean, "TRUE"};
    case ValueClass::kDate: return {ValueKind::kString, "2024-07-15"};
    case ValueClass::kTime: return {ValueKind::kString, "13:45:30.25"};
    case ValueClass::kTimestamp: return {ValueKind::kString, "2024-07-15 13:45:30.25"};
    case ValueClass::kGuid: return {ValueKind::kString, "00112233-4455-6677-8899-aabbccddeeff"};
    case ValueClass::kPaddedString:
    case ValueClass::kLengthString:
    case ValueClass::kZeroString:
    case ValueClass::kWideString:
    case ValueClass::kWideZeroString: return {ValueKind::kString, "ab"};
    default: return {ValueKind::kNumber, "-1.5"};
  }
}

// Bytes that matter to some form: zero, space, digits, signs, overpunch
// letters, the high bytes of common floats and years.
const unsigned char kTellingBytes[] = {0x00, 0x01, 0x20, '0',  '5',  '9',  '-',  '+',  '{',  '}', 'A',
                                       'J',  'p',  0x7F, 0x80, 0xC3, 0xE8, 0x07, 0xFF, 0x0D, 0x0F};

TEST(ValueText, EveryPrintedFormReadsBackAsItsBytes) {
  std::mt19937 random(20261209);
  auto pick = [&](size_t count) { return static_cast<size_t>(random() % count); };
  int printed[2] = {0, 0};  // hex, another form
  ValueText text;           // reused, as the dump tools do: no trace of the last value may stay
  for (int code = 0; code <= 40; ++code) {
    const ColumnType type = DescribeColumnType(code);
    for (uint32_t size : {0u, 1u, 2u, 3u, 4u, 5u, 8u, 16u, 17u}) {
      for (uint16_t decimals : {0, 2}) {
        const ColumnShape shape{code, size, decimals, 0};
        std::vector<std::byte> sample(size);
        std::string reason;
        const bool hasSample = ParseValueText(shape, SampleOf(type.valueClass), sample, &reason);
        for (int round = 0; round < 200; ++round) {
          std::vector<std::byte> bytes = sample;
          if (!hasSample || round % 4 == 0) {
            for (std::byte& b : bytes) b = static_cast<std::byte>(random());
          }
          for (int change = round % 3; change > 0 && size > 0; --change) {
            bytes[pick(size)] = static_cast<std::byte>(kTellingBytes[pick(sizeof kTellingBytes)]);
          }
          FormatValueTextInto(shape, bytes, &text);
          std::vector<std::byte> back(size);
          ASSERT_TRUE(ParseValueText(shape, text, back, &reason))
              << "type " << code << " size " << size << ": " << text.text << ": " << reason;
          ASSERT_EQ(back, bytes) << "type " << code << " size " << size << " printed " << text.text;
          ++printed[text.kind != ValueKind::kHex];
        }
      }
    }
  }
  // A good share came out in a form other than hex (most shapes have none:
  // raw types, sizes a type does not allow).
  EXPECT_GT(printed[1], 15000);
  EXPECT_GT(printed[0], 15000);
}

}  // namespace
