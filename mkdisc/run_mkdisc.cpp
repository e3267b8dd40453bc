#include "run_mkdisc.h"

#include <exception>
#include <new>

#include "build_error.h"
#include "command_line.h"
#include "disc_builder.h"
#include "disc_check.h"
#include "existing_disc.h"
#include "option_rules.h"
#include "wipe_text.h"

namespace {

// The password of a new strong disc, typed twice. Returns an empty text, or
// why there is none.
std::string AskNewPassword(PasswordAsker ask, DiscOptions& options)
{
    if (!ask)
        return STRONG_NEEDS_PASSWORD;
    std::string first, second, stored;
    TextWiper wipers[] = {{first}, {second}, {stored}};
    if (!ask("Password for the new disc: ", first) || !ask("The same password again: ", second))
        return "no password was typed";
    if (first != second)
        return "the two passwords differ";
    std::string problem = DiscPassword(first, true, stored);
    if (!problem.empty())
        return "the password: " + problem;
    options.password = stored;
    return std::string();
}

// The password of a disc to read, asked for only when the disc has one.
void AskDiscPassword(PasswordAsker ask, ReadRequest& request)
{
    if (!ask || request.password || ExistingDiscStrength(PathFromUtf8(request.discDir)) == DiscStrength::None)
        return;
    std::string typed;
    TextWiper wiper{typed};
    if (ask("Password of the disc: ", typed))
        request.password = typed;
}

}  // namespace

int RunMkdisc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const std::string& program, PasswordAsker ask)
{
    DiscOptions options;
    ReadRequest request;
    std::string error;
    switch (ParseCommandLine(args, options, error, &request)) {
    case CommandLineResult::Help:
        out << HelpText(program);
        return EXIT_BUILT;
    case CommandLineResult::UsageError:
        err << program << ": " << error << "\nTry '" << program << " --help' for the options.\n";
        return EXIT_USAGE;
    case CommandLineResult::Read:
        try {
            AskDiscPassword(ask, request);
            return CheckDisc(request, out, err, program);
        } catch (const std::bad_alloc&) {
            err << program << ": out of memory\n";
        }
        return EXIT_NOT_A_DISC;
    case CommandLineResult::Build:
        break;
    }
    // The password stays in memory only while the disc is built.
    struct PasswordWiper {
        DiscOptions& options;
        ~PasswordWiper()
        {
            if (options.password)
                WipeText(*options.password);
        }
    } wiper{options};
    if (options.askPassword) {
        std::string problem = AskNewPassword(ask, options);
        if (!problem.empty()) {
            err << program << ": " << problem << "\n";
            return EXIT_USAGE;
        }
    }
    try {
        // Scripts rely on replacing a disc: a weaker one is built all the
        // same, but never without a word.
        std::string weaker = WeakerDiscWarning(options);
        if (!weaker.empty())
            err << program << ": warning: " << weaker << "\n";
        BuildDisc(options);
        return EXIT_BUILT;
    } catch (const BuildError& failure) {
        err << program << ": " << failure.what() << "\n";
    } catch (const std::bad_alloc&) {
        err << program << ": out of memory\n";
    } catch (const std::exception& failure) {
        err << program << ": " << failure.what() << "\n";
    }
    return EXIT_FAILED;
}
