#include "report_date.h"

#include <cctype>

namespace testsupport {

namespace {

// Whether `text` at `at` has the form "Www Mmm dd hh:mm:ss yyyy": letters
// where the pattern has letters, digits where it has digits, the day of
// month possibly padded with a space.
bool IsPrintedDate(const std::string& text, size_t at) {
  static const char pattern[] = "Aaa Aaa 99 99:99:99 9999";
  constexpr size_t length = sizeof pattern - 1;
  if (at + length > text.size()) return false;
  for (size_t i = 0; i < length; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[at + i]);
    switch (pattern[i]) {
      case 'A':
        if (!std::isupper(c)) return false;
        break;
      case 'a':
        if (!std::islower(c)) return false;
        break;
      case '9':
        if (!std::isdigit(c) && !(i == 8 && c == ' ')) return false;
        break;
      default:
        if (c != static_cast<unsigned char>(pattern[i])) return false;
    }
  }
  return true;
}

}  // namespace

std::string MaskDate(const std::string& report) {
  static const std::string title = "Printed on ";
  static const std::string mask = "Www Mmm dd hh:mm:ss yyyy";
  std::string masked = report;
  for (size_t at = masked.find(title); at != std::string::npos; at = masked.find(title, at + 1)) {
    const size_t date = at + title.size();
    if (IsPrintedDate(masked, date)) masked.replace(date, mask.size(), mask);
  }
  return masked;
}

}  // namespace testsupport
