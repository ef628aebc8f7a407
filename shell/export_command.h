// The command lines that export the data for scripts and scheduled tasks:
//   quillet.exe /export-records FILE.csv
//   quillet.exe /export-reminders FILE.ics
// They read the data folder named by paramter.dat beside the program, write
// the file and end (exit code 0, or 1 with a one-line reason on standard
// error), beside a running copy and without touching the data files.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quillet {

enum class ExportKind { Records, Reminders };

struct ExportCommand {
  ExportKind kind = ExportKind::Records;
  std::string target;  // the file to write, UTF-8
  std::string error;   // not empty: the command line is malformed, this says how
};

// From the arguments after the program's name: nothing when the first is
// not an export switch (the program then starts as always). Switches
// compare without regard to case, with '/' or '-'.
std::optional<ExportCommand> ParseExportCommand(const std::vector<std::string>& arguments);

}  // namespace quillet
