// Assembles a package behind a bare installer: the host side of the package
// format, used by the mkpackage build tool and the tests. No windows.h.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

struct PackageEntrySource {
    std::string destination;            // e.g. "ROOT\arcs3uninst.exe"
    std::filesystem::path source;       // the file whose bytes go in
};

struct PackageManifest {
    std::string defaultDirectory;       // e.g. "c:\Program Files\Corvane Software"
    std::vector<PackageEntrySource> entries;  // in package order
};

// Reads a manifest: one record a line, fields separated by tabs; blank lines
// and lines starting with '#' are skipped.
//   default-directory<TAB>DIRECTORY
//   entry<TAB>DESTINATION<TAB>SOURCE FILE
// Relative source paths are taken relative to the manifest's folder.
// Returns an empty string, or what is wrong (with the line number).
std::string ReadManifest(const std::filesystem::path& manifestPath, PackageManifest* manifest);

// Writes stub + entries + trailer to output. The file appears only when it is
// complete and its package passes the installer's own check; an earlier file
// of that name is replaced. Returns an empty string, or what went wrong.
std::string AssemblePackage(const std::filesystem::path& stub, const PackageManifest& manifest,
                            const std::filesystem::path& output);
