// mkdisc as a function: the program's main and the tests share it.
#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "password_input.h"

const int EXIT_BUILT = 0;
const int EXIT_FAILED = 1;
const int EXIT_USAGE = 2;

// args without the program name, UTF-8. Help goes to out, messages to err;
// both name the program as program. A password that is needed and not given
// is asked for through ask (twice for a new disc); without one it is an error.
int RunMkdisc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const std::string& program = "mkdisc", PasswordAsker ask = nullptr);
