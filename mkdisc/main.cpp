// mkdisc: builds a disc (viewer + layout + data files) from a folder.
#include <sstream>

#include "console_io.h"
#include "run_mkdisc.h"

int main(int argc, char** argv)
{
    std::ostringstream out;
    std::ostringstream err;
    int result = RunMkdisc(CommandLineArguments(argc, argv), out, err, "mkdisc", AskOnTerminal);
    PrintText(OutputStream::Out, out.str());
    PrintText(OutputStream::Err, err.str());
    return result;
}
