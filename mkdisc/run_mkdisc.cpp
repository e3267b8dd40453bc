#include "run_mkdisc.h"

#include <exception>
#include <new>

#include "build_error.h"
#include "command_line.h"
#include "disc_builder.h"

int RunMkdisc(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    DiscOptions options;
    std::string error;
    switch (ParseCommandLine(args, options, error)) {
    case CommandLineResult::Help:
        out << HelpText();
        return EXIT_BUILT;
    case CommandLineResult::UsageError:
        err << "mkdisc: " << error << "\nTry 'mkdisc --help' for the options.\n";
        return EXIT_USAGE;
    case CommandLineResult::Build:
        break;
    }
    try {
        BuildDisc(options);
        return EXIT_BUILT;
    } catch (const BuildError& failure) {
        err << "mkdisc: " << failure.what() << "\n";
    } catch (const std::bad_alloc&) {
        err << "mkdisc: out of memory\n";
    } catch (const std::exception& failure) {
        err << "mkdisc: " << failure.what() << "\n";
    }
    return EXIT_FAILED;
}
