// What the window checks before it builds: every field the author filled in,
// in the order of the window, with the problem stated for that field. Only
// reads: nothing is written while checking. No windows.h.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "disc_options.h"
#include "project_fields.h"

struct FieldProblem {
    Field field = FIELD_NONE;
    std::string message;  // a sentence that follows the field's label
};

// One mkdisc option a field stands for, with its value (none for a switch).
struct FieldArgument {
    Field field;
    const char* option;
    std::optional<std::string> value;
};

// The options the settings stand for, in the order of the window; fields
// that only refine an empty one are left out, and so are the folders.
std::vector<FieldArgument> FieldArguments(const ProjectSettings& settings);

// The whole mkdisc command line the settings stand for (UTF-8, without the
// program name).
std::vector<std::string> SettingsToArguments(const ProjectSettings& settings);

// Checks the settings and, when they are sound, fills options as mkdisc's
// command line would. Returns 1, or 0 with the first problem.
int CheckSettings(const ProjectSettings& settings, DiscOptions& options, FieldProblem& problem);

// "Label: message", as the window shows a problem.
std::string ProblemText(const FieldProblem& problem);
