// The command line and console output of the programs that run mkdisc's
// command line: mkdisc itself and the window program started with arguments.
#pragma once
#include <string>
#include <vector>

// The arguments without the program name, as UTF-8. On Windows they are
// taken as UTF-16 from the system, whatever argc and argv say.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

enum class OutputStream { Out, Err };

// Writes UTF-8 text to standard output or error: a console gets it as UTF-16
// (shown correctly whatever its code page), a pipe or file the UTF-8 bytes.
void PrintText(OutputStream stream, const std::string& text);
