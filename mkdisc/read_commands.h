// The reading forms of the command line: mkdisc --verify DISC_DIR and
// mkdisc --extract DISC_DIR --to OUT_DIR, each with the disc's password.
#pragma once
#include <string>
#include <vector>

#include "command_line.h"

// True when the arguments ask to read a built disc rather than build one.
bool IsReadForm(const std::vector<std::string>& args);

// Parses a reading form into request; the building options are refused.
CommandLineResult ParseReadForm(const std::vector<std::string>& args, ReadRequest& request, std::string& error);
