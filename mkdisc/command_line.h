// The command line of mkdisc: mkdisc [options] SOURCE_DIR OUTPUT_DIR, and
// mkdisc --verify DISC_DIR / --extract DISC_DIR --to OUT_DIR for built discs.
#pragma once
#include <string>
#include <vector>

#include "disc_check.h"
#include "disc_options.h"
#include "help_text.h"

// Read: mkdisc --verify DISC_DIR or --extract DISC_DIR --to OUT_DIR.
enum class CommandLineResult { Build, Help, UsageError, Read };

// Parses the arguments (without the program name) into options. The texts the
// viewer compares or shows as typed (password, content key, label, font face)
// are checked and stored in CP1252 here; usage errors come back in error.
// The reading forms go into request; without one they are usage errors.
CommandLineResult ParseCommandLine(const std::vector<std::string>& args, DiscOptions& options,
                                   std::string& error, ReadRequest* request = nullptr);
