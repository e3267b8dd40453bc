// The text of --help.
#pragma once
#include <string>

// For the program of that name (the window program runs the same command line).
std::string HelpText(const std::string& program = "mkdisc");
