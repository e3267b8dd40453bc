#include "read_commands.h"

#include <set>

#include "option_rules.h"
#include "password_input.h"
#include "wipe_text.h"

namespace {

const char* const READ_OPTIONS[] = {"--verify", "--extract", "--to"};

std::string OptionName(const std::string& arg)
{
    return arg.substr(0, arg.find('='));
}

}  // namespace

bool IsReadForm(const std::vector<std::string>& args)
{
    for (const std::string& arg : args) {
        if (arg == "--")
            return false;
        for (const char* option : READ_OPTIONS) {
            if (OptionName(arg) == option)
                return true;
        }
    }
    return false;
}

// mkdisc --verify DISC_DIR [--password PW], mkdisc --extract DISC_DIR --to OUT_DIR
// [--password PW]: the building options mean nothing here and are refused.
CommandLineResult ParseReadForm(const std::vector<std::string>& args, ReadRequest& request,
                                std::string& error)
{
    std::set<std::string> seen;
    std::string mode;
    bool optionsEnded = false;
    auto refuse = [&error](const std::string& message) {
        error = message;
        return CommandLineResult::UsageError;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || arg.size() < 2 || arg[0] != '-')
            return refuse("unexpected argument " + arg +
                          ": --verify and --extract read a built disc and take no SOURCE_DIR or OUTPUT_DIR");
        if (arg == "--help")
            return CommandLineResult::Help;
        std::string name = OptionName(arg);
        bool known = name == "--verify" || name == "--extract" || name == "--to" || name == "--password" ||
                     name == "--password-file";
        if (!known) {
            DiscOptions unused;
            if (FindOptionRule(OptionTable(unused), name))
                return refuse(name + " cannot be combined with --verify or --extract");
            return refuse("unknown option " + name);
        }
        if (!seen.insert(name).second)
            return refuse(name + " is given more than once");
        std::string value;
        if (name.size() < arg.size())
            value = arg.substr(name.size() + 1);
        else if (i + 1 < args.size())
            value = args[++i];
        else
            return refuse(name + " needs a value");
        if (value.empty() && name != "--password")
            return refuse(name + ": the value is empty");
        if (name == "--verify" || name == "--extract") {
            if (!mode.empty())
                return refuse("--verify and --extract cannot be combined");
            mode = name;
            request.mode = name == "--verify" ? ReadMode::Verify : ReadMode::Extract;
            request.discDir = value;
        } else if (name == "--to") {
            request.outDir = value;
        } else if (name == "--password-file") {
            std::string typed;
            TextWiper wiper{typed};
            std::string problem = ReadPasswordFile(value, typed);
            if (!problem.empty())
                return refuse("--password-file: " + problem);
            request.password = typed;
        } else {
            request.password = value;
        }
    }
    if (seen.count("--password") && seen.count("--password-file"))
        return refuse("--password and --password-file cannot be combined");
    if (seen.count("--to") && mode != "--extract")
        return refuse("--to needs --extract");
    if (mode == "--extract" && !seen.count("--to"))
        return refuse("--extract needs --to OUT_DIR");
    return CommandLineResult::Read;
}
