// The all-tables run: the name list in name order, its limit of 2,001
// names, and which system tables are skipped, looked up and reported.
#include <cstdio>
#include <string>

#include "report_runner.h"

namespace testsupport {
namespace {

using namespace std::string_literals;

const std::string kBanner = "Printing Report for ALL Tables.\n";

std::string Report(const std::string& table, const std::string& locationLine) {
  return "Description of Table \"" + table + "\". Printed on Www Mmm dd hh:mm:ss yyyy\n\n" + locationLine +
         "\n\n\nEnd of Listing.\n\f";
}

// Created from T2005 down to T0001, so the ids run against the names.
ReportCase ManyTables() {
  std::string ddl, expected;
  char name[16];
  for (int i = 2005; i >= 1; --i) {
    std::snprintf(name, sizeof name, "T%04d", i);
    ddl += "CREATE TABLE "s + name + " NO FILE (C INTEGER);\n";
  }
  for (int i = 1; i <= 2001; ++i) {
    std::snprintf(name, sizeof name, "T%04d", i);
    expected += name + "\n"s;
  }
  return {{"OnlyTheFirst2001NamesInNameOrder"}, ddl, {"*", "/n"}, expected, kBanner};
}

INSTANTIATE_TEST_SUITE_P(
    TableList, ReportTest,
    ::testing::Values(ReportCase{"EmptyDictionaryPrintsOnlyTheBanner", "", {"*", "/abfix"}, "", kBanner},
                      ReportCase{"EmptyDictionaryTraced",
                                 "",
                                 {"*", "/d"},
                                 "Opening Data Dictionaries\n"
                                 "Op: 0, Buflen: 402, KeyNum: 0 Status: 0\n"
                                 "Op: 0, Buflen: 151, KeyNum: 0 Status: 0\n"
                                 "Op: 0, Buflen: 20, KeyNum: 0 Status: 0\n"
                                 "Data Dictionaries Opened: 0\n"
                                 "Op: 12, Buflen: 402, KeyNum: 1 Status: 9\n"
                                 "Closing Data Dictionaries\n"
                                 "Op: 1, Buflen: 402, KeyNum: 1 Status: 0\n"
                                 "Op: 1, Buflen: 151, KeyNum: 0 Status: 0\n"
                                 "Op: 1, Buflen: 20, KeyNum: 0 Status: 0\n"
                                 "Data Dictionaries Closed\n",
                                 kBanner},
                      ManyTables()),
    CaseName());

// X$Lost ends at a NUL byte inside its stored name, so the list holds it
// but a lookup by the listed text can't find it.
const std::string kSystemTables =
    "CREATE TABLE Alpha (A INTEGER);\n"
    "CREATE TABLE x$Rights (R INTEGER);\n"
    "CREATE TABLE X$File IN 'PVFILE.DDF' DICTIONARY NO FILE (F INTEGER);\n"
    "CREATE TABLE X_Plain NO FILE (P INTEGER);\n"
    "CREATE TABLE Order^Items NO FILE (I INTEGER);\n"
    "CREATE TABLE \"X$Lost\0Name\" NO FILE (L INTEGER);\n"s;

const std::string kLostLookup = "Error (X$Lost): Return Code was 1.\n";

INSTANTIATE_TEST_SUITE_P(
    AllTables, ReportTest,
    ::testing::Values(
        // Names only prints the stored name, carets and all.
        ReportCase{"SkippedWithoutX",
                   kSystemTables,
                   {"*", "/n"},
                   "Alpha\nOrder^Items\nX_Plain\n",
                   kBanner + kLostLookup},
        ReportCase{"ListedWithX",
                   kSystemTables,
                   {"*", "/nx"},
                   "Alpha\nOrder^Items\nX$File\nx$Rights\nX_Plain\n",
                   kBanner + kLostLookup},
        // The skipped X$File is still looked up, and under B its location,
        // a dictionary file, is opened without an owner name and refused.
        ReportCase{"SkippedTablesStillOpenTheirDataFile",
                   kSystemTables,
                   {"*", "/nb"},
                   "Alpha\nOrder^Items\nX_Plain\n",
                   kBanner + "Record Manager Error 51: Operation=0, File=PVFILE.DDF\n" + kLostLookup},
        ReportCase{"SkippedTablesTraced",
                   kSystemTables,
                   {"*", "/nbd"},
                   "golden:t1_table_list_system_trace.out",
                   kBanner + "Record Manager Error 51: Operation=0, File=PVFILE.DDF\n" + kLostLookup},
        ReportCase{"ReportsWithoutSystemTables",
                   kSystemTables,
                   {"*"},
                   Report("Alpha", "Data File located in Alpha.DAT ") +
                       Report("Order Items", "Data File located in Order^Items.DAT ") +
                       Report("X_Plain", "Data File located in X_Plain.DAT "),
                   kBanner + kLostLookup},
        ReportCase{"ReportsWithSystemTables",
                   kSystemTables,
                   {"*", "-X"},
                   Report("Alpha", "Data File located in Alpha.DAT ") +
                       Report("Order Items", "Data File located in Order^Items.DAT ") +
                       Report("X$File", "Dictionary File located in PVFILE.DDF ") +
                       Report("x$Rights", "Data File located in x$Rights.DAT ") +
                       Report("X_Plain", "Data File located in X_Plain.DAT "),
                   kBanner + kLostLookup}),
    CaseName());

}  // namespace
}  // namespace testsupport
