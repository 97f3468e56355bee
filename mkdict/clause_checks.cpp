#include "clause_checks.h"

#include "morvel2/dictionary/dictionary_records.h"

namespace mkdict {

bool Fail(SourcePos pos, std::string reason, DescriptionError* error) {
  *error = {pos, std::move(reason)};
  return false;
}

std::string FoldCase(const std::string& name) {
  std::string folded = name;
  for (char& c : folded) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c == '^') c = ' ';
  }
  return folded;
}

bool CheckRange(const IntClause& number, int64_t low, int64_t high, const char* what,
                DescriptionError* error) {
  if (number.value >= low && number.value <= high) return true;
  return Fail(number.pos,
              std::string(what) + " must be " + std::to_string(low) + " to " + std::to_string(high), error);
}

bool RawBits(const IntClause& number, const char* what, uint32_t* bits, DescriptionError* error) {
  if (!CheckRange(number, INT32_MIN, UINT32_MAX, what, error)) return false;
  *bits = static_cast<uint32_t>(number.value);
  return true;
}

bool CheckText(const TextClause& text, size_t width, const std::string& what, DescriptionError* error) {
  if (text.text.empty()) return Fail(text.pos, "empty " + what, error);
  if (text.text.size() > width) {
    return Fail(text.pos, what + " longer than " + std::to_string(width) + " characters", error);
  }
  if (text.text.back() == ' ') return Fail(text.pos, what + " ends with a space", error);
  return true;
}

bool CheckName(const TextClause& name, const char* what, DescriptionError* error) {
  return CheckText(name, kNameWidth, std::string(what) + " name", error);
}

bool NumberSeries::Take(const std::optional<IntClause>& given, bool raw, SourcePos pos, const char* what,
                        int32_t* out, DescriptionError* error) {
  int64_t value = next;
  if (given) {
    uint32_t bits = 0;
    if (raw ? !RawBits(*given, what, &bits, error) : !CheckRange(*given, INT32_MIN, INT32_MAX, what, error)) {
      return false;
    }
    value = raw ? static_cast<int32_t>(bits) : given->value;
    pos = given->pos;
  } else if (value > INT32_MAX) {
    return Fail(pos, std::string("no ") + what + " left above " + std::to_string(INT32_MAX), error);
  }
  auto id = static_cast<int32_t>(value);
  if (!used.insert(id).second) {
    return Fail(pos, std::string("duplicate ") + what + " " + std::to_string(id), error);
  }
  if (int64_t{id} + 1 > next) next = int64_t{id} + 1;
  *out = id;
  return true;
}

}  // namespace mkdict
