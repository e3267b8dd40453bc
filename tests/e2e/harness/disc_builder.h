// Builds discs with the real disc builder (mkdisc.exe of this build), the way
// an author does, into a folder of the test's own.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace e2e {

struct BuiltDisc {
    bool ok = false;
    std::string output;               // what mkdisc printed, for failure messages
    std::filesystem::path viewer;     // <output>/discview.exe
};

// mkdisc options for the three kinds of disc: XOR-scrambled with the
// integrity record and CRC-32s (the default without a password), AES-256
// sealed (the default with one; needs --password), and the discs of the
// original builder, without the record.
inline const std::vector<std::wstring> kVerifiedDisc = {L"--protection", L"scrambled"};
inline const std::vector<std::wstring> kStrongDisc = {L"--protection", L"strong"};
inline const std::vector<std::wstring> kDiscWithoutRecord = {L"--no-integrity"};

// Writes a small source tree: two text files and a folder with one more.
void MakeSampleContent(const std::filesystem::path& folder);

// Runs mkdisc.exe [options] SOURCE OUTPUT with the bare discview.exe of this
// build as --viewer; ok when it exits 0 and the viewer copy exists.
BuiltDisc BuildDisc(const std::filesystem::path& source, const std::filesystem::path& output,
                    const std::vector<std::wstring>& options);

}  // namespace e2e
