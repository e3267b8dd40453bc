#include "command_line.h"

#include <set>

#include "option_rules.h"
#include "read_commands.h"

CommandLineResult ParseCommandLine(const std::vector<std::string>& args, DiscOptions& options,
                                   std::string& error, ReadRequest* request)
{
    if (IsReadForm(args)) {
        if (!request) {
            error = "--verify, --extract and --to are options of the command line only";
            return CommandLineResult::UsageError;
        }
        return ParseReadForm(args, *request, error);
    }
    std::vector<OptionRule> table = OptionTable(options);
    std::vector<std::string> positional;
    std::set<std::string> seen;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
                error = "unknown option " + arg;
                return CommandLineResult::UsageError;
            }
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help")
            return CommandLineResult::Help;
        size_t equals = arg.find('=');
        std::string name = arg.substr(0, equals);
        const OptionRule* rule = FindOptionRule(table, name);
        if (!rule) {
            error = "unknown option " + name;
            return CommandLineResult::UsageError;
        }
        if (!seen.insert(name).second) {
            error = name + " is given more than once";
            return CommandLineResult::UsageError;
        }
        std::string value;
        if (!rule->takesValue) {
            if (equals != std::string::npos) {
                error = name + " takes no value";
                return CommandLineResult::UsageError;
            }
        } else if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            error = name + " needs a value";
            return CommandLineResult::UsageError;
        }
        std::string problem = rule->handle(value);
        if (!problem.empty()) {
            error = name + ": " + problem;
            return CommandLineResult::UsageError;
        }
    }
    if (positional.size() != 2) {
        error = positional.size() < 2 ? "SOURCE_DIR and OUTPUT_DIR are required"
                                      : "unexpected argument " + positional[2];
        return CommandLineResult::UsageError;
    }
    error = CheckCombinations(seen, options);
    if (!error.empty())
        return CommandLineResult::UsageError;
    const char* option = "";
    error = SettleTexts(options, &option);
    if (!error.empty()) {
        error = std::string(option) + ": " + error;
        return CommandLineResult::UsageError;
    }
    // A strong disc needs a password: given neither way, it is asked for.
    options.askPassword = options.protection == Protection::Strong && !options.password;
    options.sourceDir = positional[0];
    options.outputDir = positional[1];
    return CommandLineResult::Build;
}
