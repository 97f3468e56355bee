// The commonest values written straight into the output, without building
// their shared text form first: integers of 1, 2, 4 or 8 bytes, packed
// decimals with the sign the builder writes, and padded strings of
// printable ASCII. Each is written exactly as its text form
// (value_text.h) reads; any other bytes are left to that form. A dump of
// such columns spends most of its time here.
#ifndef DICTDUMP_PLAIN_VALUES_H
#define DICTDUMP_PLAIN_VALUES_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "morvel2/dictionary/column_types.h"
#include "morvel2/dictionary/value_text.h"
#include "output.h"

namespace dictdump {

enum class PlainForm { kNone, kSigned, kUnsigned, kPacked, kAsciiPadded };

constexpr size_t kPlainPackedBytes = 16;  // longer packed decimals take the shared form

// The plain form of a column's values, or kNone: for a number (`quoted`
// false) or a string (`quoted` true), as the output wants it.
inline PlainForm PlainFormOf(const ColumnShape& shape, bool quoted) {
  const ColumnType type = DescribeColumnType(shape.typeCode);
  if (!AllowsSize(type, shape.size)) return PlainForm::kNone;
  const bool wholeWord = shape.size == 1 || shape.size == 2 || shape.size == 4 || shape.size == 8;
  if (quoted)
    return type.valueClass == ValueClass::kPaddedString ? PlainForm::kAsciiPadded : PlainForm::kNone;
  switch (type.valueClass) {
    case ValueClass::kSignedInteger: return wholeWord ? PlainForm::kSigned : PlainForm::kNone;
    case ValueClass::kUnsignedInteger: return wholeWord ? PlainForm::kUnsigned : PlainForm::kNone;
    case ValueClass::kPackedDecimal:
      // Places past the digits are rare: left to the shared form.
      return shape.size > 0 && shape.size <= kPlainPackedBytes && shape.decimals <= 2 * shape.size - 1
                 ? PlainForm::kPacked
                 : PlainForm::kNone;
    default: return PlainForm::kNone;
  }
}

// True when every one of the `length` bytes is printable ASCII (0x20 to
// 0x7E) other than `quote`; eight bytes a step.
inline bool PlainAscii(const unsigned char* text, size_t length, char quote) {
  constexpr uint64_t kOnes = 0x0101010101010101, kHighs = 0x8080808080808080;
  const uint64_t quotes = kOnes * static_cast<unsigned char>(quote);
  size_t i = 0;
  for (; i + 8 <= length; i += 8) {
    uint64_t word = 0;
    std::memcpy(&word, text + i, 8);
    const uint64_t quoted = word ^ quotes;
    const uint64_t control = (word - kOnes * 0x20) & ~word;  // a byte below 0x20
    const uint64_t high = (word + kOnes) | word;             // a byte of 0x7F or more
    const uint64_t quote = (quoted - kOnes) & ~quoted;       // a byte equal to the quote
    if ((control | high | quote) & kHighs) return false;
  }
  for (; i < length; ++i)
    if (text[i] < 0x20 || text[i] > 0x7E || text[i] == static_cast<unsigned char>(quote)) return false;
  return true;
}

// A packed decimal (two digits a byte, the sign in the last half-byte) with
// its decimal places, as the shared form writes it; false for a sign other
// than 0xF or 0xD, a half-byte above 9 or a negative zero.
inline bool PutPlainPacked(std::span<const std::byte> bytes, size_t places, Output* out, char quote = '\0') {
  if (bytes.empty() || bytes.size() > kPlainPackedBytes) return false;
  uint8_t digits[2 * kPlainPackedBytes] = {};
  const size_t count = bytes.size() * 2 - 1;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned>(bytes[i]);
    digits[2 * i] = static_cast<uint8_t>(b >> 4);
    digits[2 * i + 1] = static_cast<uint8_t>(b & 0xF);
  }
  const unsigned sign = digits[count];
  if (sign != 0xF && sign != 0xD) return false;
  size_t first = count;  // the first digit other than zero
  for (size_t i = 0; i < count; ++i) {
    if (digits[i] > 9) return false;
    if (first == count && digits[i] != 0) first = i;
    digits[i] = static_cast<uint8_t>('0' + digits[i]);
  }
  if (sign == 0xD && first == count) return false;  // -0: the shared form checks it
  char text[4 * kPlainPackedBytes + 2];
  char* at = text;
  if (quote != '\0') *at++ = quote;
  if (sign == 0xD) *at++ = '-';
  const size_t significant = count - first;
  if (significant <= places) {
    *at++ = '0';
    if (places > 0) *at++ = '.';
    for (size_t i = significant; i < places; ++i) *at++ = '0';
    for (size_t i = first; i < count; ++i) *at++ = static_cast<char>(digits[i]);
  } else {
    for (size_t i = first; i < count - places; ++i) *at++ = static_cast<char>(digits[i]);
    if (places > 0) *at++ = '.';
    for (size_t i = count - places; i < count; ++i) *at++ = static_cast<char>(digits[i]);
  }
  if (quote != '\0') *at++ = quote;
  out->Put(std::string_view(text, static_cast<size_t>(at - text)));
  return true;
}

// Writes the value of `bytes` (the whole column) in its plain form, a
// string between `quote`s, and returns true; false, with nothing written,
// when the value needs its shared text form (a string with a byte outside
// printable ASCII or a quote, an AUTOINC of zero).
inline bool PutPlainValue(PlainForm form, const ColumnShape& shape, std::span<const std::byte> bytes,
                          char quote, Output* out) {
  if (form == PlainForm::kNone || bytes.size() != shape.size) return false;
  if (form == PlainForm::kAsciiPadded) {
    const auto* text = reinterpret_cast<const unsigned char*>(bytes.data());
    size_t length = bytes.size();
    constexpr uint64_t kSpaces = 0x2020202020202020;
    for (uint64_t word = 0; length >= 8; length -= 8) {  // padding eight spaces at a time
      std::memcpy(&word, text + length - 8, 8);
      if (word != kSpaces) break;
    }
    while (length > 0 && text[length - 1] == ' ') --length;
    if (!PlainAscii(text, length, quote)) return false;
    out->Put(quote);
    out->Put(std::string_view(reinterpret_cast<const char*>(text), length));
    out->Put(quote);
    return true;
  }
  if (form == PlainForm::kPacked) return PutPlainPacked(bytes, shape.decimals, out);
  uint64_t value = 0;  // little-endian, as the files are
  std::memcpy(&value, bytes.data(), bytes.size());
  if (value == 0 && shape.typeCode == kTypeAutoIncrement) return false;  // numbered by mkdict: hex
  if (form == PlainForm::kUnsigned) {
    out->PutUnsigned(value);
  } else {
    const unsigned unused = 64 - 8 * static_cast<unsigned>(bytes.size());
    out->PutSigned(static_cast<int64_t>(value << unused) >> unused);
  }
  return true;
}

}  // namespace dictdump

#endif  // DICTDUMP_PLAIN_VALUES_H
