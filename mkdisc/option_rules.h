// mkdisc's building options, one rule each: its name, whether it takes a
// value, and what it does with the value (checks it and stores it in the
// options). The texts the viewer compares or shows as typed (password,
// content key, label, font face) are checked and stored in CP1252 here.
#pragma once
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "disc_options.h"

// Returns an empty text, or the problem with the value.
using ValueHandler = std::function<std::string(const std::string& value)>;

struct OptionRule {
    const char* name;
    bool takesValue;
    ValueHandler handle;
};

// Every building option, its handler writing into o.
std::vector<OptionRule> OptionTable(DiscOptions& o);

// The rule of that name in table, or null.
const OptionRule* FindOptionRule(const std::vector<OptionRule>& table, const std::string& name);

// Options given together (seen: the names given) that do not fit, or an empty text.
std::string CheckCombinations(const std::set<std::string>& seen, const DiscOptions& options);

// A password as typed (UTF-8) made into what the disc keeps, or the problem.
std::string CheckPassword(const std::string& value, std::string& stored);
