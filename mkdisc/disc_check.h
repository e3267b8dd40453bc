// mkdisc --verify and --extract: every file of a built disc read back and
// checked (and for --extract written out) with the checks its disc allows.
#pragma once
#include <optional>
#include <ostream>
#include <string>

enum class ReadMode { Verify, Extract };

struct ReadRequest {
    ReadMode mode = ReadMode::Verify;
    std::string discDir;  // UTF-8
    std::string outDir;   // --extract only
    std::optional<std::string> password;  // UTF-8 as typed
};

const int EXIT_INTACT = 0;
const int EXIT_DAMAGED = 1;     // some file damaged, unreadable or not written
const int EXIT_NOT_A_DISC = 2;  // or a damaged one, or a wrong or missing password

// One line per file that fails (its path in the disc) and a summary go to
// out; a disc that cannot be read at all is reported on err.
int CheckDisc(const ReadRequest& request, std::ostream& out, std::ostream& err,
              const std::string& program = "mkdisc");
