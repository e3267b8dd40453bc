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

// A password as typed (UTF-8): kept as typed until the disc's kind is known
// (SettleTexts), or the problem.
std::string CheckPassword(const std::string& value, std::string& stored);

// The password a disc keeps: UTF-8 in NFC on strong discs, code page 1252 on
// the others (as the design's viewer takes it); or the problem.
std::string DiscPassword(const std::string& typed, bool strong, std::string& stored);

// Whether the options make a strong disc (a password alone makes one).
bool IsStrongDisc(const DiscOptions& options);

// Once every option is read: the label and password as the disc keeps them
// (see DiscPassword; the label likewise). Returns the problem and in
// *option the option it belongs to, or an empty text.
std::string SettleTexts(DiscOptions& options, const char** option);
