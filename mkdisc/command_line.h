// The command line of mkdisc: mkdisc [options] SOURCE_DIR OUTPUT_DIR
#pragma once
#include <string>
#include <vector>

#include "disc_options.h"

enum class CommandLineResult { Build, Help, UsageError };

// Parses the arguments (without the program name) into options. The texts the
// viewer compares or shows as typed (password, content key, label, font face)
// are checked and stored in CP1252 here; usage errors come back in error.
CommandLineResult ParseCommandLine(const std::vector<std::string>& args, DiscOptions& options,
                                   std::string& error);

// The text of --help, for the program of that name.
std::string HelpText(const std::string& program = "mkdisc");
