// Strings: CHAR, LSTRING and ZSTRING as bytes; WSTRING and WZSTRING as
// UTF-16LE, written and printed as UTF-8.
#include <cstring>
#include <string_view>

#include "value_forms.h"

namespace valueforms {
namespace {

bool Reason(const char* text, std::string* reason) {
  *reason = text;
  return false;
}

// Decodes UTF-8 into UTF-16 code units. Returns false on malformed input.
bool ToUtf16(const std::string& text, std::u16string* units) {
  for (size_t i = 0; i < text.size();) {
    auto byte = static_cast<unsigned char>(text[i]);
    int extra = byte < 0x80           ? 0
                : (byte >> 5) == 0x6  ? 1
                : (byte >> 4) == 0xE  ? 2
                : (byte >> 3) == 0x1E ? 3
                                      : -1;
    if (extra < 0 || (extra > 0 && i + extra >= text.size())) return false;
    uint32_t point = extra == 0 ? byte : byte & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      point = (point << 6) | (next & 0x3F);
    }
    i += extra + 1;
    if (point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) return false;
    if (point >= 0x10000) {
      point -= 0x10000;
      units->push_back(static_cast<char16_t>(0xD800 + (point >> 10)));
      units->push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
    } else {
      units->push_back(static_cast<char16_t>(point));
    }
  }
  return true;
}

// Encodes UTF-16 code units as UTF-8. Returns false on a lone surrogate.
bool FromUtf16(const std::u16string& units, std::string* text) {
  for (size_t i = 0; i < units.size(); ++i) {
    uint32_t point = units[i];
    if (point >= 0xD800 && point <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
        units[i + 1] <= 0xDFFF) {
      point = 0x10000 + ((point - 0xD800) << 10) + (units[++i] - 0xDC00);
    } else if (point >= 0xD800 && point <= 0xDFFF) {
      return false;
    }
    if (point < 0x80) {
      *text += static_cast<char>(point);
    } else if (point < 0x800) {
      *text += static_cast<char>(0xC0 | point >> 6);
      *text += static_cast<char>(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
      *text += static_cast<char>(0xE0 | point >> 12);
      *text += static_cast<char>(0x80 | (point >> 6 & 0x3F));
      *text += static_cast<char>(0x80 | (point & 0x3F));
    } else {
      *text += static_cast<char>(0xF0 | point >> 18);
      *text += static_cast<char>(0x80 | (point >> 12 & 0x3F));
      *text += static_cast<char>(0x80 | (point >> 6 & 0x3F));
      *text += static_cast<char>(0x80 | (point & 0x3F));
    }
  }
  return true;
}

// A string form is printed only for UTF-8 text without control characters,
// so that a description stays plain text.
bool Printable(const std::string& text) {
  bool ascii = true;
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return false;
    ascii = ascii && byte < 0x80;
  }
  std::u16string units;
  return ascii || ToUtf16(text, &units);
}

}  // namespace

bool ParseString(const ColumnType& type, const ValueText& value, std::span<std::byte> field,
                 std::string* reason) {
  if (value.kind != ValueKind::kString) return Reason("a string is needed", reason);
  const std::string& text = value.text;
  size_t size = field.size();
  switch (type.valueClass) {
    case ValueClass::kPaddedString:
      if (text.size() > size) return Reason("string too long", reason);
      if (size == 0) return true;  // a column of no bytes holds only ''
      std::memset(field.data(), ' ', size);
      std::memcpy(field.data(), text.data(), text.size());
      return true;
    case ValueClass::kZeroString:
      if (text.size() + 1 > size) return Reason("string too long", reason);
      std::memcpy(field.data(), text.data(), text.size());
      return true;
    case ValueClass::kLengthString:
      if (text.size() + 1 > size || text.size() > 255) return Reason("string too long", reason);
      field[0] = static_cast<std::byte>(text.size());
      std::memcpy(field.data() + 1, text.data(), text.size());
      return true;
    default: {
      std::u16string units;
      if (!ToUtf16(text, &units)) return Reason("string is not valid UTF-8", reason);
      bool padded = type.valueClass == ValueClass::kWideString;
      if (units.size() * 2 + (padded ? 0 : 2) > size) return Reason("string too long", reason);
      if (padded) {
        for (size_t i = 0; i + 1 < size; i += 2) field[i] = std::byte{' '};
      }
      for (size_t i = 0; i < units.size(); ++i) {
        field[2 * i] = static_cast<std::byte>(units[i] & 0xFF);
        field[2 * i + 1] = static_cast<std::byte>(units[i] >> 8);
      }
      return true;
    }
  }
}

bool FormatString(const ColumnType& type, std::span<const std::byte> bytes, ValueText* value) {
  const std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  value->kind = ValueKind::kString;
  switch (type.valueClass) {
    case ValueClass::kPaddedString: value->text.assign(raw.substr(0, raw.find_last_not_of(' ') + 1)); break;
    case ValueClass::kZeroString: value->text.assign(raw.substr(0, raw.find('\0'))); break;
    case ValueClass::kLengthString: {
      if (raw.empty()) return false;
      size_t length = static_cast<unsigned char>(raw[0]);
      if (length + 1 > raw.size()) return false;
      value->text.assign(raw.substr(1, length));
      break;
    }
    default: {
      std::u16string units;
      for (size_t i = 0; i + 1 < raw.size(); i += 2) {
        units += static_cast<char16_t>(static_cast<unsigned char>(raw[i]) |
                                       static_cast<unsigned char>(raw[i + 1]) << 8);
      }
      if (type.valueClass == ValueClass::kWideString) {
        while (!units.empty() && units.back() == u' ') units.pop_back();
      } else {
        units = units.substr(0, units.find(u'\0'));
      }
      value->text.clear();
      if (!FromUtf16(units, &value->text)) return false;
    }
  }
  return Printable(value->text);
}

}  // namespace valueforms
