// What every program of the family does with its standard output at the
// end, and the version they all print.
#ifndef MORVEL2_COMMON_PROGRAM_OUTPUT_H
#define MORVEL2_COMMON_PROGRAM_OUTPUT_H

// The project's version, as CMake's project() gives it.
extern const char* const kMorvel2Version;

// Prints "<program> <version>" on standard output.
void PrintVersion(const char* program);

// Flushes and closes standard output. Returns `exitCode` when everything
// written reached it; otherwise says so on standard error,
// "<program>: cannot write standard output: <reason>", and returns 1.
// Standard error is flushed too (it has nowhere to report its own failure).
int FinishStandardOutput(const char* program, int exitCode);

#endif  // MORVEL2_COMMON_PROGRAM_OUTPUT_H
