// The command line end to end: the argument count, every spelling of the
// option list, the master password, and which table name wins.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "named_case.h"
#include "report_runner.h"
#include "temp_dir.h"

namespace testsupport {
namespace {

// Customers has data-file rows, so B shows real statistics and the
// unique-value column differs with and without B.
constexpr const char* kShop = R"(
CREATE TABLE Customers (
  Id      INTEGER,
  Name    CHAR(20) CASE INSENSITIVE,
  Balance DECIMAL(6,2) NULL
);
CREATE UNIQUE INDEX ById ON Customers (Id);
CREATE INDEX ByName ON Customers (Name CASE INSENSITIVE, Id) MODIFIABLE;
INSERT INTO Customers VALUES (1, 'Ada', 10.50), (2, 'Grace', 0), (3, 'ada', 1);
CREATE TABLE Orders (Number INTEGER, Customer INTEGER);
)";

const std::string kPassword51(51, 'k');
const std::string kPassword52(52, 'k');

enum class Dictionary { kShop, kCaseKeptPassword, kLongestPassword, kNone };

// Each dictionary is built once and only read by the runs.
const std::string& Folder(Dictionary dictionary) {
  switch (dictionary) {
    case Dictionary::kShop: return SharedDictionary(kShop);
    case Dictionary::kCaseKeptPassword:
      return SharedDictionary("SET MASTER PASSWORD 'Abc';\n" + std::string(kShop));
    case Dictionary::kLongestPassword: return SharedDictionary(kShop, {"--password", kPassword51});
    case Dictionary::kNone: break;
  }
  static TempDir none;
  return none.path().native();
}

const std::string kPlain =
    "Description of Table \"Customers\". Printed on Www Mmm dd hh:mm:ss yyyy\n\n"
    "Data File located in Customers.DAT \n\n" +
    kTrailer;
const std::string kWrongPassword =
    "Record Manager Error 51: Operation=0, File=PVFILE.DDF\n"
    "Error (Login): Return Code was 51.\n" +
    kNotInDatabase;
const std::string kTooLong = "The master password is longer than 51 characters.\n";
const std::string kBanner = "Printing Report for ALL Tables.\n";

struct CommandLineCase : NamedCase {
  Dictionary dictionary;
  std::vector<std::string> args;
  std::string expectedOut;  // "golden:NAME" reads tests/morvel2/golden/NAME
  std::string expectedErr;
  int expectedExitCode;
};

std::string Expected(const std::string& text) {
  const std::string prefix = "golden:";
  return text.starts_with(prefix) ? ReadGolden(text.substr(prefix.size())) : text;
}

class CommandLineTest : public ::testing::TestWithParam<CommandLineCase> {};

TEST_P(CommandLineTest, PrintsExactly) {
  const CommandLineCase& c = GetParam();
  const ProcessResult result = RunMorvel2(Folder(c.dictionary), c.args);
  EXPECT_EQ(MaskDate(result.out), Expected(c.expectedOut));
  EXPECT_EQ(result.err, Expected(c.expectedErr));
  EXPECT_EQ(result.exitCode, c.expectedExitCode);
}

INSTANTIATE_TEST_SUITE_P(
    ArgumentCount, CommandLineTest,
    ::testing::Values(
        CommandLineCase{"NoArguments", Dictionary::kShop, {}, "", "golden:t1_usage.out", 1},
        CommandLineCase{"FourArguments",
                        Dictionary::kShop,
                        {"Customers", "/f", "/i", "/b"},
                        "",
                        "golden:t1_usage.out",
                        1},
        CommandLineCase{
            "FiveArguments", Dictionary::kShop, {"a", "b", "c", "d", "e"}, "", "golden:t1_usage.out", 1},
        CommandLineCase{"UnknownLettersStillCount",
                        Dictionary::kShop,
                        {"Customers", "/z", "/z", "/z"},
                        "",
                        "golden:t1_usage.out",
                        1},
        CommandLineCase{"UsageWithoutADictionary", Dictionary::kNone, {}, "", "golden:t1_usage.out", 1},
        CommandLineCase{"ThreeArgumentsRun", Dictionary::kShop, {"Customers", "/z", "-"}, kPlain, "", 0}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    OptionSpellings, CommandLineTest,
    ::testing::Values(
        CommandLineCase{"NoOptions", Dictionary::kShop, {"Customers"}, kPlain, "", 0},
        CommandLineCase{"SlashAlone", Dictionary::kShop, {"Customers", "/"}, kPlain, "", 0},
        CommandLineCase{"DashAlone", Dictionary::kShop, {"Customers", "-"}, kPlain, "", 0},
        CommandLineCase{"NoKnownLetter", Dictionary::kShop, {"Customers", "/z"}, kPlain, "", 0},
        CommandLineCase{"WIsAccepted", Dictionary::kShop, {"Customers", "/w"}, kPlain, "", 0},
        CommandLineCase{"CChangesNothing", Dictionary::kShop, {"Customers", "/c"}, kPlain, "", 0},
        CommandLineCase{"XOnlyMattersForAllTables", Dictionary::kShop, {"Customers", "/XWC"}, kPlain, "", 0},
        CommandLineCase{
            "Fields", Dictionary::kShop, {"Customers", "/f"}, "golden:t1_customers_fields.out", "", 0},
        CommandLineCase{"FieldsAndIndexes",
                        Dictionary::kShop,
                        {"Customers", "/fi"},
                        "golden:t1_customers_fields_indexes.out",
                        "",
                        0},
        CommandLineCase{"DashUpperCaseLikeSlash",
                        Dictionary::kShop,
                        {"Customers", "-FI"},
                        "golden:t1_customers_fields_indexes.out",
                        "",
                        0},
        CommandLineCase{"LettersInTwoArguments",
                        Dictionary::kShop,
                        {"Customers", "/i", "-f"},
                        "golden:t1_customers_fields_indexes.out",
                        "",
                        0},
        CommandLineCase{"OffsetsFromZero",
                        Dictionary::kShop,
                        {"Customers", "/ofi"},
                        "golden:t1_customers_offsets_indexes.out",
                        "",
                        0},
        CommandLineCase{
            "Indexes", Dictionary::kShop, {"Customers", "/i"}, "golden:t1_customers_indexes.out", "", 0},
        CommandLineCase{
            "UImpliesI", Dictionary::kShop, {"Customers", "/u"}, "golden:t1_customers_indexes.out", "", 0},
        CommandLineCase{
            "UpperCaseU", Dictionary::kShop, {"Customers", "-U"}, "golden:t1_customers_indexes.out", "", 0},
        CommandLineCase{"All", Dictionary::kShop, {"Customers", "/a"}, "golden:t1_customers_all.out", "", 0},
        CommandLineCase{
            "DashAll", Dictionary::kShop, {"Customers", "-a"}, "golden:t1_customers_all.out", "", 0},
        CommandLineCase{"EachLetterOfAll",
                        Dictionary::kShop,
                        {"Customers", "/bfi"},
                        "golden:t1_customers_all.out",
                        "",
                        0},
        CommandLineCase{"AnyOrderAndCase",
                        Dictionary::kShop,
                        {"Customers", "/IcUbF"},
                        "golden:t1_customers_all.out",
                        "",
                        0},
        CommandLineCase{"NamesOnly", Dictionary::kShop, {"Customers", "/n"}, "Customers\n", "", 0},
        CommandLineCase{"NamesOnlyIgnoresTheRest",
                        Dictionary::kShop,
                        {"Customers", "/abfiou", "-N"},
                        "Customers\n",
                        "",
                        0}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    TableNames, CommandLineTest,
    ::testing::Values(
        CommandLineCase{
            "FirstNameWins", Dictionary::kShop, {"Customers", "Orders", "/n"}, "Customers\n", "", 0},
        CommandLineCase{
            "FirstNameWinsTheOtherWay", Dictionary::kShop, {"Orders", "/n", "Customers"}, "Orders\n", "", 0},
        CommandLineCase{"SlashArgumentIsNoName",
                        Dictionary::kShop,
                        {"/Customers"},
                        "",
                        "Error (): Return Code was 1.\n" + kNotInDatabase,
                        0},
        CommandLineCase{
            "DashArgumentIsNoName", Dictionary::kShop, {"-Customers", "Orders", "/n"}, "Orders\n", "", 0},
        CommandLineCase{"StarAfterANameRunsAll",
                        Dictionary::kShop,
                        {"Customers", "*", "/n"},
                        "Customers\nOrders\n",
                        kBanner,
                        0},
        CommandLineCase{"StarBeforeANameRunsAll",
                        Dictionary::kShop,
                        {"*", "Orders", "/n"},
                        "Customers\nOrders\n",
                        kBanner,
                        0}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    MasterPassword, CommandLineTest,
    ::testing::Values(
        CommandLineCase{
            "EmptyTextMeansTheDefaultOwner", Dictionary::kShop, {"Customers", "/P="}, kPlain, "", 0},
        CommandLineCase{
            "SlashPAloneMeansTheDefaultOwner", Dictionary::kShop, {"Customers", "/P"}, kPlain, "", 0},
        CommandLineCase{
            "DashPAloneMeansTheDefaultOwner", Dictionary::kShop, {"Customers", "-p"}, kPlain, "", 0},
        CommandLineCase{
            "SetsNoOptionLetter", Dictionary::kCaseKeptPassword, {"Customers", "/P=Abc"}, kPlain, "", 0},
        CommandLineCase{
            "DashLowerCase", Dictionary::kCaseKeptPassword, {"Customers", "-p=Abc"}, kPlain, "", 0},
        CommandLineCase{
            "ThirdCharacterSkipped", Dictionary::kCaseKeptPassword, {"Customers", "/P:Abc"}, kPlain, "", 0},
        CommandLineCase{
            "CaseIsKept", Dictionary::kCaseKeptPassword, {"Customers", "/P=abc"}, "", kWrongPassword, 0},
        CommandLineCase{"Missing", Dictionary::kCaseKeptPassword, {"Customers"}, "", kWrongPassword, 0},
        CommandLineCase{"FirstPasswordWins",
                        Dictionary::kCaseKeptPassword,
                        {"Customers", "/P=Abc", "/P=Wrong"},
                        kPlain,
                        "",
                        0},
        CommandLineCase{"FirstWrongPasswordWins",
                        Dictionary::kCaseKeptPassword,
                        {"Customers", "/P=Wrong", "/P=Abc"},
                        "",
                        kWrongPassword,
                        0},
        CommandLineCase{"FiftyOneCharactersAccepted",
                        Dictionary::kLongestPassword,
                        {"Customers", "/P=" + kPassword51},
                        kPlain,
                        "",
                        0},
        CommandLineCase{"FiftyTwoCharactersRefused",
                        Dictionary::kLongestPassword,
                        {"Customers", "/P=" + kPassword52},
                        "",
                        kTooLong,
                        1},
        CommandLineCase{"RefusedBeforeTheDictionaryIsTouched",
                        Dictionary::kNone,
                        {"Customers", "/d", "/P=" + kPassword52},
                        "",
                        kTooLong,
                        1},
        CommandLineCase{"OnlyTheWinningPasswordCounts",
                        Dictionary::kLongestPassword,
                        {"Customers", "/P=" + kPassword51, "/P=" + kPassword52},
                        kPlain,
                        "",
                        0},
        CommandLineCase{"TheWinningPasswordIsTooLong",
                        Dictionary::kLongestPassword,
                        {"Customers", "/P=" + kPassword52, "/P=" + kPassword51},
                        "",
                        kTooLong,
                        1}),
    CaseName());

}  // namespace
}  // namespace testsupport
