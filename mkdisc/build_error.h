// The one way the builder reports a failure: a message that names the file or
// option concerned. Thrown deep inside and turned into exit code 1 at the top.
#pragma once
#include <stdexcept>
#include <string>

struct BuildError : std::runtime_error {
    explicit BuildError(const std::string& message) : std::runtime_error(message) {}
};
