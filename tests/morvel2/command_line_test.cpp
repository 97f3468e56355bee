// The command line end to end: the argument count, every spelling of the
// option list, the master password, and which table name wins.
#include <optional>
#include <string>

#include "report_runner.h"

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

const std::string kCaseKeptPassword = "SET MASTER PASSWORD 'Abc';\n" + std::string(kShop);

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

INSTANTIATE_TEST_SUITE_P(
    ArgumentCount, ReportTest,
    ::testing::Values(
        ReportCase{"NoArguments", kShop, {}, "", "golden:t1_usage.out"},
        ReportCase{"FourArguments", kShop, {"Customers", "/f", "/i", "/b"}, "", "golden:t1_usage.out"},
        ReportCase{"FiveArguments", kShop, {"a", "b", "c", "d", "e"}, "", "golden:t1_usage.out"},
        ReportCase{
            "UnknownLettersStillCount", kShop, {"Customers", "/z", "/z", "/z"}, "", "golden:t1_usage.out"},
        ReportCase{"UsageWithoutADictionary", std::nullopt, {}, "", "golden:t1_usage.out"},
        ReportCase{"ThreeArgumentsRun", kShop, {"Customers", "/z", "-"}, kPlain},
        // --help alone asks for the usage text; beside anything else it is
        // an option list like any other (e, h, l, p: no known letter), as
        // --version is (i, n, o: names only).
        ReportCase{"HelpAlone", std::nullopt, {"--help"}, "golden:t1_usage.out"},
        ReportCase{"HelpWithATable", kShop, {"--help", "Customers"}, kPlain},
        ReportCase{"VersionWithATable", kShop, {"Customers", "--version"}, "Customers\n"}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    OptionSpellings, ReportTest,
    ::testing::Values(
        ReportCase{"NoOptions", kShop, {"Customers"}, kPlain},
        ReportCase{"SlashAlone", kShop, {"Customers", "/"}, kPlain},
        ReportCase{"DashAlone", kShop, {"Customers", "-"}, kPlain},
        ReportCase{"NoKnownLetter", kShop, {"Customers", "/z"}, kPlain},
        ReportCase{"WIsAccepted", kShop, {"Customers", "/w"}, kPlain},
        ReportCase{"CChangesNothing", kShop, {"Customers", "/c"}, kPlain},
        ReportCase{"XOnlyMattersForAllTables", kShop, {"Customers", "/XWC"}, kPlain},
        ReportCase{"Fields", kShop, {"Customers", "/f"}, "golden:t1_customers_fields.out"},
        ReportCase{"FieldsAndIndexes", kShop, {"Customers", "/fi"}, "golden:t1_customers_fields_indexes.out"},
        ReportCase{
            "DashUpperCaseLikeSlash", kShop, {"Customers", "-FI"}, "golden:t1_customers_fields_indexes.out"},
        ReportCase{"LettersInTwoArguments",
                   kShop,
                   {"Customers", "/i", "-f"},
                   "golden:t1_customers_fields_indexes.out"},
        ReportCase{
            "OffsetsFromZero", kShop, {"Customers", "/ofi"}, "golden:t1_customers_offsets_indexes.out"},
        ReportCase{"Indexes", kShop, {"Customers", "/i"}, "golden:t1_customers_indexes.out"},
        ReportCase{"UImpliesI", kShop, {"Customers", "/u"}, "golden:t1_customers_indexes.out"},
        ReportCase{"UpperCaseU", kShop, {"Customers", "-U"}, "golden:t1_customers_indexes.out"},
        ReportCase{"All", kShop, {"Customers", "/a"}, "golden:t1_customers_all.out"},
        ReportCase{"DashAll", kShop, {"Customers", "-a"}, "golden:t1_customers_all.out"},
        ReportCase{"EachLetterOfAll", kShop, {"Customers", "/bfi"}, "golden:t1_customers_all.out"},
        ReportCase{"AnyOrderAndCase", kShop, {"Customers", "/IcUbF"}, "golden:t1_customers_all.out"},
        ReportCase{"NamesOnly", kShop, {"Customers", "/n"}, "Customers\n"},
        ReportCase{"NamesOnlyIgnoresTheRest", kShop, {"Customers", "/abfiou", "-N"}, "Customers\n"}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    TableNames, ReportTest,
    ::testing::Values(
        ReportCase{"FirstNameWins", kShop, {"Customers", "Orders", "/n"}, "Customers\n"},
        ReportCase{"FirstNameWinsTheOtherWay", kShop, {"Orders", "/n", "Customers"}, "Orders\n"},
        ReportCase{"SlashArgumentIsNoName",
                   kShop,
                   {"/Customers"},
                   "",
                   "Error (): Return Code was 1.\n" + kNotInDatabase},
        ReportCase{"DashArgumentIsNoName", kShop, {"-Customers", "Orders", "/n"}, "Orders\n"},
        ReportCase{"StarAfterANameRunsAll", kShop, {"Customers", "*", "/n"}, "Customers\nOrders\n", kBanner},
        ReportCase{"StarBeforeANameRunsAll", kShop, {"*", "Orders", "/n"}, "Customers\nOrders\n", kBanner}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    MasterPassword, ReportTest,
    ::testing::Values(
        ReportCase{"EmptyTextMeansTheDefaultOwner", kShop, {"Customers", "/P="}, kPlain},
        ReportCase{"SlashPAloneMeansTheDefaultOwner", kShop, {"Customers", "/P"}, kPlain},
        ReportCase{"DashPAloneMeansTheDefaultOwner", kShop, {"Customers", "-p"}, kPlain},
        ReportCase{"SetsNoOptionLetter", kCaseKeptPassword, {"Customers", "/P=Abc"}, kPlain},
        ReportCase{"DashLowerCase", kCaseKeptPassword, {"Customers", "-p=Abc"}, kPlain},
        ReportCase{"ThirdCharacterSkipped", kCaseKeptPassword, {"Customers", "/P:Abc"}, kPlain},
        ReportCase{"CaseIsKept", kCaseKeptPassword, {"Customers", "/P=abc"}, "", kWrongPassword},
        ReportCase{"Missing", kCaseKeptPassword, {"Customers"}, "", kWrongPassword},
        ReportCase{"FirstPasswordWins", kCaseKeptPassword, {"Customers", "/P=Abc", "/P=Wrong"}, kPlain},
        ReportCase{"FirstWrongPasswordWins",
                   kCaseKeptPassword,
                   {"Customers", "/P=Wrong", "/P=Abc"},
                   "",
                   kWrongPassword},
        ReportCase{"FiftyOneCharactersAccepted",
                   kShop,
                   {"Customers", "/P=" + kPassword51},
                   kPlain,
                   "",
                   {"--password", kPassword51}},
        ReportCase{"FiftyTwoCharactersRefused",
                   kShop,
                   {"Customers", "/P=" + kPassword52},
                   "",
                   kTooLong,
                   {"--password", kPassword51}},
        ReportCase{"RefusedBeforeTheDictionaryIsTouched",
                   std::nullopt,
                   {"Customers", "/d", "/P=" + kPassword52},
                   "",
                   kTooLong},
        ReportCase{"OnlyTheWinningPasswordCounts",
                   kShop,
                   {"Customers", "/P=" + kPassword51, "/P=" + kPassword52},
                   kPlain,
                   "",
                   {"--password", kPassword51}},
        ReportCase{"TheWinningPasswordIsTooLong",
                   kShop,
                   {"Customers", "/P=" + kPassword52, "/P=" + kPassword51},
                   "",
                   kTooLong,
                   {"--password", kPassword51}}),
    CaseName());

}  // namespace
}  // namespace testsupport
