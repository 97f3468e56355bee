// Dates, times, timestamps (proleptic Gregorian, no time zone) and GUIDs.
#include <cstdio>

#include "value_forms.h"

namespace valueforms {
namespace {

constexpr uint64_t kMicrosPerSecond = 1000000;
constexpr uint64_t kSecondsPerDay = 86400;

bool Reason(const char* text, std::string* reason) {
  *reason = text;
  return false;
}

// Reads `count` digits at text[at], into *out.
bool Digits(const std::string& text, size_t at, size_t count, unsigned* out) {
  if (at + count > text.size()) return false;
  unsigned value = 0;
  for (size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
  }
  *out = value;
  return true;
}

bool IsLeapYear(unsigned year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

unsigned DaysInMonth(unsigned year, unsigned month) {
  static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsDate(unsigned year, unsigned month, unsigned day) {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

// Days from 0001-01-01 to the date.
uint64_t DayNumber(unsigned year, unsigned month, unsigned day) {
  uint64_t y = year - 1;
  uint64_t days = y * 365 + y / 4 - y / 100 + y / 400;
  for (unsigned m = 1; m < month; ++m) days += DaysInMonth(year, m);
  return days + day - 1;
}

void DateOfDay(uint64_t dayNumber, unsigned* year, unsigned* month, unsigned* day) {
  constexpr uint64_t kDaysIn400Years = 146097;
  *year = static_cast<unsigned>(dayNumber / kDaysIn400Years * 400 + 1);
  dayNumber %= kDaysIn400Years;
  for (;;) {
    uint64_t length = IsLeapYear(*year) ? 366 : 365;
    if (dayNumber < length) break;
    dayNumber -= length;
    ++*year;
  }
  for (*month = 1; dayNumber >= DaysInMonth(*year, *month); ++*month) dayNumber -= DaysInMonth(*year, *month);
  *day = static_cast<unsigned>(dayNumber + 1);
}

// "YYYY-MM-DD" at text[0]; 0: not that shape, -1: no such date.
int ReadDate(const std::string& text, unsigned* year, unsigned* month, unsigned* day) {
  if (text.size() < 10 || text[4] != '-' || text[7] != '-' || !Digits(text, 0, 4, year) ||
      !Digits(text, 5, 2, month) || !Digits(text, 8, 2, day)) {
    return 0;
  }
  return IsDate(*year, *month, *day) ? 1 : -1;
}

// "HH:MM:SS" at text[at], then a fraction of 1 to `maxFraction` digits
// scaled to that many; 0: not that shape, -1: no such time.
int ReadTime(const std::string& text, size_t at, size_t maxFraction, unsigned* hours, unsigned* minutes,
             unsigned* seconds, unsigned* fraction) {
  if (text.size() < at + 8 || text[at + 2] != ':' || text[at + 5] != ':' || !Digits(text, at, 2, hours) ||
      !Digits(text, at + 3, 2, minutes) || !Digits(text, at + 6, 2, seconds)) {
    return 0;
  }
  *fraction = 0;
  size_t end = at + 8;
  if (end < text.size()) {
    size_t count = text.size() - end - 1;
    if (text[end] != '.' || count < 1 || count > maxFraction || !Digits(text, end + 1, count, fraction)) {
      return 0;
    }
    for (; count < maxFraction; ++count) *fraction *= 10;
  }
  return *hours < 24 && *minutes < 60 && *seconds < 60 ? 1 : -1;
}

// ".fraction" of `digits` digits, trailing zeros dropped unless `keepZeros`;
// "" for zero.
std::string FractionText(unsigned fraction, int digits, bool keepZeros) {
  if (fraction == 0) return "";
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, ".%0*u", digits, fraction);
  std::string text = buffer;
  while (!keepZeros && text.back() == '0') text.pop_back();
  return text;
}

std::string DateText(unsigned year, unsigned month, unsigned day) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%04u-%02u-%02u", year, month, day);
  return buffer;
}

std::string TimeText(unsigned hours, unsigned minutes, unsigned seconds) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%02u:%02u:%02u", hours % 100, minutes % 100, seconds % 100);
  return buffer;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsGuidDash(size_t at) { return at == 8 || at == 13 || at == 18 || at == 23; }

bool ParseGuid(const std::string& text, std::span<std::byte> field) {
  if (text.size() != 36) return false;
  size_t byte = 0;
  for (size_t at = 0; at < text.size(); ++at) {
    if (IsGuidDash(at)) {
      if (text[at] != '-') return false;
      continue;
    }
    int high = HexDigit(text[at]);
    int low = at + 1 < text.size() ? HexDigit(text[at + 1]) : -1;
    if (high < 0 || low < 0 || byte >= field.size()) return false;
    field[byte++] = static_cast<std::byte>(high << 4 | low);
    ++at;
  }
  return byte == field.size();
}

std::string GuidText(std::span<const std::byte> bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string text;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
    text += kHex[static_cast<unsigned>(bytes[i]) >> 4];
    text += kHex[static_cast<unsigned>(bytes[i]) & 0xF];
  }
  return text;
}

}  // namespace

bool ParseCalendar(const ColumnType& type, const ValueText& value, std::span<std::byte> field,
                   std::string* reason) {
  const std::string& text = value.text;
  bool isString = value.kind == ValueKind::kString;
  unsigned year = 0, month = 0, day = 0, hours = 0, minutes = 0, seconds = 0, fraction = 0;
  switch (type.valueClass) {
    case ValueClass::kDate: {
      int date = isString && text.size() == 10 ? ReadDate(text, &year, &month, &day) : 0;
      if (date == 0) return Reason("a date 'YYYY-MM-DD' is needed", reason);
      if (date < 0) return Reason("no such date", reason);
      field[0] = static_cast<std::byte>(day);
      field[1] = static_cast<std::byte>(month);
      StoreLittleEndian(year, field.subspan(2, 2));
      return true;
    }
    case ValueClass::kTime: {
      int time = isString ? ReadTime(text, 0, 2, &hours, &minutes, &seconds, &fraction) : 0;
      if (time == 0) return Reason("a time 'HH:MM:SS[.hh]' is needed", reason);
      if (time < 0) return Reason("no such time", reason);
      field[0] = static_cast<std::byte>(fraction);
      field[1] = static_cast<std::byte>(seconds);
      field[2] = static_cast<std::byte>(minutes);
      field[3] = static_cast<std::byte>(hours);
      return true;
    }
    case ValueClass::kTimestamp: {
      int date = isString && text.size() > 10 && text[10] == ' ' ? ReadDate(text, &year, &month, &day) : 0;
      int time = date != 0 ? ReadTime(text, 11, 6, &hours, &minutes, &seconds, &fraction) : 0;
      if (date == 0 || time == 0) {
        return Reason("a timestamp 'YYYY-MM-DD HH:MM:SS[.ffffff]' is needed", reason);
      }
      if (date < 0 || time < 0) return Reason("no such timestamp", reason);
      uint64_t second = DayNumber(year, month, day) * kSecondsPerDay + hours * 3600 + minutes * 60 + seconds;
      StoreLittleEndian(second * kMicrosPerSecond + fraction, field);
      return true;
    }
    default:
      if (!isString || !ParseGuid(text, field)) {
        return Reason("a GUID 'xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx' is needed", reason);
      }
      return true;
  }
}

bool FormatCalendar(const ColumnType& type, std::span<const std::byte> bytes, ValueText* value) {
  value->kind = ValueKind::kString;
  auto at = [&](size_t i) { return static_cast<unsigned>(bytes[i]); };
  switch (type.valueClass) {
    case ValueClass::kDate: {
      auto year = static_cast<unsigned>(LoadLittleEndian(bytes.subspan(2, 2)));
      if (!IsDate(year, at(1), at(0))) return false;
      value->text = DateText(year, at(1), at(0));
      return true;
    }
    case ValueClass::kTime:
      if (at(3) > 23 || at(2) > 59 || at(1) > 59 || at(0) > 99) return false;
      value->text = TimeText(at(3), at(2), at(1)) + FractionText(at(0), 2, true);
      return true;
    case ValueClass::kTimestamp: {
      uint64_t micros = LoadLittleEndian(bytes);
      uint64_t second = micros / kMicrosPerSecond;
      uint64_t dayNumber = second / kSecondsPerDay;
      if (dayNumber > DayNumber(9999, 12, 31)) return false;
      unsigned year = 0, month = 0, day = 0;
      DateOfDay(dayNumber, &year, &month, &day);
      auto inDay = static_cast<unsigned>(second % kSecondsPerDay);
      value->text = DateText(year, month, day) + " " + TimeText(inDay / 3600, inDay / 60 % 60, inDay % 60) +
                    FractionText(static_cast<unsigned>(micros % kMicrosPerSecond), 6, false);
      return true;
    }
    default: value->text = GuidText(bytes); return true;
  }
}

}  // namespace valueforms
