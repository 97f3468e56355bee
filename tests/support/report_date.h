// The report's title carries the time it was printed: tests mask it.
#ifndef TESTS_SUPPORT_REPORT_DATE_H
#define TESTS_SUPPORT_REPORT_DATE_H

#include <string>

namespace testsupport {

// The title's date and time, whatever they are, as "Www Mmm dd hh:mm:ss yyyy".
std::string MaskDate(const std::string& report);

}  // namespace testsupport

#endif  // TESTS_SUPPORT_REPORT_DATE_H
