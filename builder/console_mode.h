// Arcseal3.exe started with arguments: mkdisc's command line, with its output
// on the console it was started from, so scripted builds still work.
#pragma once
#include <string>
#include <vector>

// Runs the command line; returns mkdisc's exit code.
int RunCommandLine(const std::vector<std::string>& args);
