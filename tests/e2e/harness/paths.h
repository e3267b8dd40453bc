// Where the end-to-end tests find the programs under test and put their files.
// The build passes the folders as Wine paths (Z:/...); these return them with
// backslashes, as a Windows program sees its own paths.
#pragma once
#include <filesystem>

namespace e2e {

std::filesystem::path ProgramDir();     // discview.exe, mkdisc.exe of this build
std::filesystem::path DiscviewExe();
std::filesystem::path MkdiscExe();
std::filesystem::path BuilderExe();     // Arcseal3.exe, the disc-building window
std::filesystem::path DataDir();        // images and font made at build time
std::filesystem::path ScratchRoot();    // per-test scratch folders
std::filesystem::path ScreenshotDir();  // named and failure screenshots

}  // namespace e2e
