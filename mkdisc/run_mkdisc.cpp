#include "run_mkdisc.h"

#include <exception>
#include <new>

#include "build_error.h"
#include "command_line.h"
#include "disc_builder.h"
#include "disc_check.h"
#include "existing_disc.h"

int RunMkdisc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
              const std::string& program)
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
            return CheckDisc(request, out, err, program);
        } catch (const std::bad_alloc&) {
            err << program << ": out of memory\n";
        }
        return EXIT_NOT_A_DISC;
    case CommandLineResult::Build:
        break;
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
