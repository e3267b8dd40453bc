// mkpackage: appends the installer's package to a copy of the bare installer.
//   mkpackage STUB MANIFEST OUTPUT
// The manifest names the default directory and the entries in package order
// (see package_writer.h). Build tool; runs on the build machine.
#include <cstdio>

#include "package_writer.h"

int main(int argc, char** argv)
{
    if (argc != 4) {
        fprintf(stderr, "usage: mkpackage STUB MANIFEST OUTPUT\n");
        return 2;
    }
    PackageManifest manifest;
    std::string problem = ReadManifest(argv[2], &manifest);
    if (problem.empty())
        problem = AssemblePackage(argv[1], manifest, argv[3]);
    if (!problem.empty()) {
        fprintf(stderr, "mkpackage: %s\n", problem.c_str());
        return 1;
    }
    return 0;
}
