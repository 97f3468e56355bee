#include "options.h"

#include <getopt.h>

#include "morvel2/dictionary/dictionary_records.h"

namespace dictdump {

const char* const kUsageText =
    "usage: dictdump [-C FOLDER] [--password TEXT] [--data-password TEXT]\n"
    "                [--format mkdict|sql|json|csv|html|markdown] [--dialect sqlite|postgres]\n"
    "                [--schema-only | --data-only] [--table NAME]... [--system] [-o FILE]\n"
    "                [--check]\n"
    "Writes the tables of the dictionary in FOLDER (PVFILE.DDF, PVFIELD.DDF, PVINDEX.DDF)\n"
    "and the rows of their data files, read through the record manager.\n"
    "\n"
    "  -C, --directory FOLDER  the dictionary's folder (default: the current folder)\n"
    "  --password TEXT         the master password of the dictionary files\n"
    "  --data-password TEXT    the owner name of the data files that have one\n"
    "  --format FORMAT         mkdict (default): a description mkdict builds again;\n"
    "                          sql: CREATE TABLE, CREATE INDEX and INSERT;\n"
    "                          json: one document; csv: one table's rows;\n"
    "                          html: one page to browse; markdown: a folder, -o DIR\n"
    "  --dialect DIALECT       for sql: sqlite (default) or postgres\n"
    "  --schema-only           tables, columns and indexes, no rows\n"
    "  --data-only             rows only\n"
    "  --table NAME            only this table (may be repeated; csv needs exactly one)\n"
    "  --system                include the system tables (X$...); mkdict always does\n"
    "  -o, --output FILE       write to FILE instead of standard output ('-': standard\n"
    "                          output); never over a dictionary or data file (markdown:\n"
    "                          the folder to fill, replacing only the files it wrote)\n"
    "  --check                 markdown: compare the folder with what would be written,\n"
    "                          list the files that differ, write nothing\n"
    "  -h, --help, --version   print this text or the version\n"
    "\n"
    "Exit codes: 0 written (under --check: nothing differs); 1 a file or a table's rows\n"
    "could not all be read, the output could not be written (under --check: a file\n"
    "differs); 2 the command line is wrong.\n";

namespace {

enum LongOnly {
  kPassword = 256,
  kDataPassword,
  kFormat,
  kDialect,
  kSchemaOnly,
  kDataOnly,
  kTable,
  kSystem,
  kCheck,
  kHelp,
  kVersion
};

bool Fail(std::string* problem, std::string text) {
  *problem = std::move(text);
  return false;
}

bool TakeOwnerName(const char* option, const char* value, std::optional<std::string>* target,
                   std::string* problem) {
  const std::string text = value;
  if (text.size() > size_t{kMasterPasswordLength})
    return Fail(problem, std::string(option) + " longer than " + std::to_string(kMasterPasswordLength) +
                             " characters");
  *target = text;
  return true;
}

bool TakeFormat(const std::string& value, Options* options, std::string* problem) {
  options->format = FindFormat(value);
  if (options->format == nullptr)
    return Fail(problem, "unknown format '" + value + "' (" + FormatNames() + ")");
  return true;
}

bool TakeDialect(const std::string& value, Options* options, std::string* problem) {
  if (value == "sqlite")
    options->dialect = Dialect::kSqlite;
  else if (value == "postgres")
    options->dialect = Dialect::kPostgres;
  else
    return Fail(problem, "unknown dialect '" + value + "' (sqlite or postgres)");
  return true;
}

// The combinations that make no sense, checked once every option is read.
bool CheckTogether(const Options& options, bool dialectGiven, std::string* problem) {
  if (!options.schema && !options.rows)
    return Fail(problem, "--schema-only and --data-only exclude each other");
  const std::string format = options.format->name;
  if (dialectGiven && !options.format->takesDialect)
    return Fail(problem, "--dialect does not go with --format " + format);
  if (options.format->oneTable && options.tables.size() != 1)
    return Fail(problem, "--format " + format + " needs exactly one --table");
  if (!options.format->writesRows && !options.schema)
    return Fail(problem, "--format " + format + " writes no rows: --data-only does not go with it");
  if (options.format->writesFolder && options.outputFile.empty())
    return Fail(problem, "--format " + format + " needs -o FOLDER");
  if (options.check && !options.format->writesFolder)
    return Fail(problem, "--check does not go with --format " + format);
  return true;
}

}  // namespace

Action ParseOptions(int argc, char** argv, Options* options, std::string* problem) {
  static const option kLongOptions[] = {{"directory", required_argument, nullptr, 'C'},
                                        {"output", required_argument, nullptr, 'o'},
                                        {"password", required_argument, nullptr, kPassword},
                                        {"data-password", required_argument, nullptr, kDataPassword},
                                        {"format", required_argument, nullptr, kFormat},
                                        {"dialect", required_argument, nullptr, kDialect},
                                        {"schema-only", no_argument, nullptr, kSchemaOnly},
                                        {"data-only", no_argument, nullptr, kDataOnly},
                                        {"table", required_argument, nullptr, kTable},
                                        {"system", no_argument, nullptr, kSystem},
                                        {"check", no_argument, nullptr, kCheck},
                                        {"help", no_argument, nullptr, kHelp},
                                        {"version", no_argument, nullptr, kVersion},
                                        {nullptr, 0, nullptr, 0}};
  options->arguments.assign(argv, argv + argc);
  opterr = 0;
  optind = 0;  // a fresh scan, also when called more than once
  bool dialectGiven = false;
  bool ok = true;
  int c;
  while (ok && (c = getopt_long(argc, argv, "+:C:o:h", kLongOptions, nullptr)) != -1) {
    switch (c) {
      case 'C':
        options->folder = optarg;
        if (options->folder.empty()) ok = Fail(problem, "-C needs a FOLDER");
        break;
      case 'o':
        options->outputFile = optarg;
        if (options->outputFile.empty()) ok = Fail(problem, "-o needs a FILE");
        break;
      case kPassword: ok = TakeOwnerName("--password", optarg, &options->password, problem); break;
      case kDataPassword:
        ok = TakeOwnerName("--data-password", optarg, &options->dataPassword, problem);
        break;
      case kFormat: ok = TakeFormat(optarg, options, problem); break;
      case kDialect:
        dialectGiven = true;
        ok = TakeDialect(optarg, options, problem);
        break;
      case kSchemaOnly: options->rows = false; break;
      case kDataOnly: options->schema = false; break;
      case kTable: options->tables.emplace_back(optarg); break;
      case kSystem: options->system = true; break;
      case kCheck: options->check = true; break;
      case 'h':
      case kHelp: return Action::kHelp;
      case kVersion: return Action::kVersion;
      case ':': ok = Fail(problem, std::string(argv[optind - 1]) + " needs a value"); break;
      default: ok = Fail(problem, "unknown option " + std::string(argv[optind - 1])); break;
    }
  }
  if (!ok) return Action::kWrongCommandLine;
  if (optind < argc) {
    Fail(problem, "unexpected argument " + std::string(argv[optind]));
    return Action::kWrongCommandLine;
  }
  if (!CheckTogether(*options, dialectGiven, problem)) return Action::kWrongCommandLine;
  if (!options->format->writesRows) options->rows = false;
  return Action::kDump;
}

}  // namespace dictdump
