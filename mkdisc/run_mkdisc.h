// mkdisc as a function: the program's main and the tests share it.
#pragma once
#include <ostream>
#include <string>
#include <vector>

const int EXIT_BUILT = 0;
const int EXIT_FAILED = 1;
const int EXIT_USAGE = 2;

// args without the program name, UTF-8. Help goes to out, messages to err;
// both name the program as program.
int RunMkdisc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const std::string& program = "mkdisc");
