#include <cstdio>

#include "cli/command_line.h"

void PrintUsage() {
  std::fputs(
      "\nUsage: MORVEL2 [\"]<TableName>[\"] [/P=masterpassword] [/<OptionList>] \n\n"
      "    This utility prints a description of the specified table from the V2 Data\n"
      "    Dictionary in the current working directory.  This report will include\n"
      "    fields, types, lengths, indexes, and other information.\n"
      "    The quotes are necessary only if <TableName> includes spaces.\n"
      "    If <TableName> is *, a report for EVERY TABLE will be produced.\n"
      "    Use the /P= option to provide the database Master Password.\n"
      "    The option list may contain any of the following options:\n"
      "        B - Display Data File Information.\n"
      "        F - Display Field Information.\n"
      "        O - Display Fields Location as Offset. (Default = Position)\n"
      "        C - Display Constraint Information.\n"
      "        I - Display Index Information.\n"
      "        U - Display Unique Values for Indexes. (Implies /I)\n"
      "        A - Display All of the Above.\n"
      "        X - Include System Tables In Wildcards.\n"
      "        N - Show Table Names Only (Ignores All Other Flags).\n\n",
      stderr);
}
