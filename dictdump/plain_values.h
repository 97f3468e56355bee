// The commonest values written straight into the output, without building
// their shared text form first: integers of 1, 2, 4 or 8 bytes, packed
// decimals with the sign the builder writes, and padded strings of
// printable ASCII. Each is written exactly as its text form
// (value_text.h) reads; any other bytes are left to that form. A dump of
// such columns spends most of its time here.
#ifndef DICTDUMP_PLAIN_VALUES_H
#define DICTDUMP_PLAIN_VALUES_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string_view>

#include "morvel2/common/decimal_digits.h"
#include "morvel2/common/fixed_text.h"
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

// True when `word` holds no byte below 0x20, none of 0x7F or more and
// none equal to `quote`.
inline bool PlainAsciiWord(uint64_t word, char quote) {
  constexpr uint64_t kOnes = 0x0101010101010101, kHighs = 0x8080808080808080;
  const uint64_t quoted = word ^ (kOnes * static_cast<unsigned char>(quote));
  const uint64_t control = (word - kOnes * 0x20) & ~word;  // a byte below 0x20
  const uint64_t high = (word + kOnes) | word;             // a byte of 0x7F or more
  const uint64_t quotes = (quoted - kOnes) & ~quoted;      // a byte equal to the quote
  return ((control | high | quotes) & kHighs) == 0;
}

inline uint64_t LoadWord(const unsigned char* bytes) {
  uint64_t word = 0;
  std::memcpy(&word, bytes, 8);
  return word;
}

// True when every one of the first `length` of the `available` bytes of
// `text` is printable ASCII (0x20 to 0x7E) other than `quote`; eight bytes
// a step, the last step overlapping the one before it.
inline bool PlainAscii(const unsigned char* text, size_t length, size_t available, char quote) {
  if (length >= 8) {
    for (size_t i = 0; i + 8 < length; i += 8)
      if (!PlainAsciiWord(LoadWord(text + i), quote)) return false;
    return PlainAsciiWord(LoadWord(text + length - 8), quote);
  }
  if (available >= 8) {  // the bytes past `length` read as a plain 'A'
    const uint64_t kept = length == 0 ? 0 : ~uint64_t{0} >> (64 - 8 * length);
    return PlainAsciiWord((LoadWord(text) & kept) | (0x4141414141414141 & ~kept), quote);
  }
  for (size_t i = 0; i < length; ++i)
    if (text[i] < 0x20 || text[i] > 0x7E || text[i] == static_cast<unsigned char>(quote)) return false;
  return true;
}

// Writes the significant `digits` of a decimal (none for zero) with
// `places` of them after the point, as the shared form does: "0.05", "-12.30".
inline void PutDecimalText(std::string_view digits, bool negative, size_t places, char quote, Output* out) {
  char* at = out->Reserve(digits.size() + places + 8);
  if (quote != '\0') *at++ = quote;
  if (negative) *at++ = '-';
  if (digits.size() <= places) {
    *at++ = '0';
    if (places > 0) *at++ = '.';
    for (size_t i = digits.size(); i < places; ++i) *at++ = '0';
    at = std::copy(digits.begin(), digits.end(), at);
  } else {
    const size_t whole = digits.size() - places;
    at = std::copy(digits.begin(), digits.begin() + static_cast<ptrdiff_t>(whole), at);
    if (places > 0) *at++ = '.';
    at = std::copy(digits.begin() + static_cast<ptrdiff_t>(whole), digits.end(), at);
  }
  if (quote != '\0') *at++ = quote;
  out->Advance(at);
}

// A packed decimal (two digits a byte, the sign in the last half-byte) with
// its decimal places, as the shared form writes it; false for a sign other
// than 0xF or 0xD, a half-byte above 9 or a negative zero. Up to 17 digits
// (9 bytes) it is read as one integer, which is most of the time.
inline bool PutPlainPacked(std::span<const std::byte> bytes, size_t places, Output* out, char quote = '\0') {
  constexpr size_t kIntegerBytes = 9;
  if (bytes.empty() || bytes.size() > kPlainPackedBytes) return false;
  const auto sign = static_cast<unsigned>(bytes.back()) & 0xF;
  if (sign != 0xF && sign != 0xD) return false;
  char text[2 * kPlainPackedBytes];
  std::string_view digits;
  if (bytes.size() <= kIntegerBytes) {
    uint64_t value = 0;
    const size_t last = bytes.size() - 1;  // its low half holds the sign
    for (size_t i = 0; i < last; ++i) {
      const auto b = static_cast<unsigned>(bytes[i]);
      if ((b >> 4) > 9 || (b & 0xF) > 9) return false;
      value = value * 100 + (b >> 4) * 10 + (b & 0xF);
    }
    const unsigned high = static_cast<unsigned>(bytes[last]) >> 4;
    if (high > 9) return false;
    value = value * 10 + high;
    if (value != 0) {
      const auto count = static_cast<size_t>(DecimalDigitCount(value));
      PutDigitsBefore(text + count, value);
      digits = {text, count};
    }
  } else {
    const size_t count = bytes.size() * 2 - 1;
    size_t length = 0;  // digits from the first one other than zero
    for (size_t i = 0; i < count; ++i) {
      const auto b = static_cast<unsigned>(bytes[i / 2]);
      const unsigned digit = i % 2 == 0 ? b >> 4 : b & 0xF;
      if (digit > 9) return false;
      if (length != 0 || digit != 0) text[length++] = static_cast<char>('0' + digit);
    }
    digits = {text, length};
  }
  if (sign == 0xD && digits.empty()) return false;  // -0: the shared form checks it
  PutDecimalText(digits, sign == 0xD, places, quote, out);
  return true;
}

// Copies the first `length` of the `available` bytes at `from` to `to`,
// which has room for eight bytes more, eight at a time (the values are
// short: a call to memcpy costs more than the copy).
inline char* CopyShortText(char* to, const unsigned char* from, size_t length, size_t available) {
  if (length < 8) {
    if (available >= 8) {
      std::memcpy(to, from, 8);
    } else {
      for (size_t i = 0; i < length; ++i) to[i] = static_cast<char>(from[i]);
    }
    return to + length;
  }
  for (size_t i = 0; i + 8 < length; i += 8) std::memcpy(to + i, from + i, 8);
  std::memcpy(to + length - 8, from + length - 8, 8);  // the last eight, which may overlap
  return to + length;
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
    const size_t length = LengthWithoutTrailingSpaces(reinterpret_cast<const char*>(text), bytes.size());
    if (!PlainAscii(text, length, bytes.size(), quote)) return false;
    char* at = out->Reserve(length + 10);
    *at++ = quote;
    at = CopyShortText(at, text, length, bytes.size());
    *at++ = quote;
    out->Advance(at);
    return true;
  }
  if (form == PlainForm::kPacked) return PutPlainPacked(bytes, shape.decimals, out);
  uint64_t value = 0;      // little-endian, as the files are
  switch (bytes.size()) {  // sizes the compiler knows copy without a call
    case 1: value = static_cast<uint8_t>(bytes[0]); break;
    case 2: std::memcpy(&value, bytes.data(), 2); break;
    case 4: std::memcpy(&value, bytes.data(), 4); break;
    default: std::memcpy(&value, bytes.data(), 8); break;
  }
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
