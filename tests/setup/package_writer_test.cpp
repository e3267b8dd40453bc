// The package assembler: manifests, the exact layout it appends, and that a
// failed assembly leaves no installer (and keeps an earlier one).
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "package_format.h"
#include "package_test_files.h"
#include "package_writer.h"

namespace setup_test {
namespace {

namespace fs = std::filesystem;

void WriteText(const fs::path& path, const std::string& text)
{
    WriteBytes(path, Bytes(text.begin(), text.end()));
}

TEST(PackageManifest, ReadsRecordsInOrderRelativeToItsFolder)
{
    TempFolder folder("manifest");
    const fs::path absolute = fs::absolute(folder.Path() / "elsewhere" / "index.htm");
    WriteText(folder.Path() / "package.manifest",
              "# the installer's package\r\n"
              "\r\n"
              "default-directory\tc:\\Program Files\\Corvane Software\r\n"
              "entry\tROOT\\Arcseal3.exe\tbin/mkdisc.exe\n"
              "entry\tHELP\\index.htm\t" + absolute.string() + "\n");
    PackageManifest manifest;
    ASSERT_EQ(ReadManifest(folder.Path() / "package.manifest", &manifest), "");
    EXPECT_EQ(manifest.defaultDirectory, "c:\\Program Files\\Corvane Software");
    ASSERT_EQ(manifest.entries.size(), 2u);
    EXPECT_EQ(manifest.entries[0].destination, "ROOT\\Arcseal3.exe");
    EXPECT_EQ(manifest.entries[0].source, folder.Path() / "bin/mkdisc.exe");
    EXPECT_EQ(manifest.entries[1].destination, "HELP\\index.htm");
    EXPECT_EQ(manifest.entries[1].source, absolute);
}

TEST(PackageManifest, BadLinesAreReportedWithTheirNumber)
{
    TempFolder folder("manifest-bad");
    WriteText(folder.Path() / "package.manifest", "entry\tROOT\\a.exe\ta\nentry\tROOT\\b.exe\n");
    PackageManifest manifest;
    std::string problem = ReadManifest(folder.Path() / "package.manifest", &manifest);
    EXPECT_NE(problem.find("package.manifest:2:"), std::string::npos) << problem;
    EXPECT_NE(ReadManifest(folder.Path() / "missing.manifest", &manifest), "");
}

TEST(PackageAssembler, AppendsEntriesAndTrailerBehindTheStub)
{
    TempFolder folder("assemble");
    Bytes first = Pattern(1048577, 1), second = Pattern(10, 2);
    fs::path installer = MakePackage(folder.Path(), {{"ROOT\\a.exe", first}, {"IMAGES\\b.gif", second}});
    Bytes bytes = ReadBytes(installer);
    Bytes stub = ReadBytes(folder.Path() / "stub.exe");
    ASSERT_EQ(bytes.size(), stub.size() + 2 * PACKAGE_ENTRY_HEADER_SIZE + first.size() + second.size() +
                                PACKAGE_TRAILER_SIZE);
    EXPECT_TRUE(std::equal(stub.begin(), stub.end(), bytes.begin()));

    PackageEntryHeader header;
    memcpy(&header, bytes.data() + stub.size(), sizeof header);
    EXPECT_EQ(header.reserved1, 0u);
    EXPECT_EQ(header.reserved2, 0u);
    EXPECT_EQ(header.dataSize, first.size());
    EXPECT_STREQ(header.destination, "ROOT\\a.exe");
    EXPECT_EQ(fs::path(header.sourcePath), fs::absolute(folder.Path() / "sources" / "entry0"));
    EXPECT_EQ(header.padding[0] | header.padding[1], 0);
    const unsigned char* data = bytes.data() + stub.size() + PACKAGE_ENTRY_HEADER_SIZE;
    EXPECT_TRUE(std::equal(first.begin(), first.end(), data));
    memcpy(&header, data + first.size(), sizeof header);
    EXPECT_STREQ(header.destination, "IMAGES\\b.gif");
    EXPECT_TRUE(std::equal(second.begin(), second.end(), data + first.size() + PACKAGE_ENTRY_HEADER_SIZE));

    PackageTrailer trailer;
    memcpy(&trailer, bytes.data() + bytes.size() - PACKAGE_TRAILER_SIZE, sizeof trailer);
    EXPECT_EQ(trailer.magic, PACKAGE_MAGIC);
    EXPECT_EQ(trailer.reserved, 0u);
    EXPECT_EQ(trailer.entryCount, 2u);
    EXPECT_EQ(trailer.firstEntryOffset, stub.size());
    EXPECT_STREQ(trailer.defaultDirectory, "c:\\Program Files\\Corvane Software");
}

TEST(PackageAssembler, LongSourcePathsKeepTheirEnd)
{
    TempFolder folder("long-source");
    // 258 characters in all: longer than the field, short enough for Windows.
    const size_t base = fs::absolute(folder.Path()).string().size();
    fs::path deep = folder.Path() / std::string(258 - base - 1 - 9, 'a');
    fs::create_directories(deep);
    WriteBytes(deep / "file.bin", Pattern(5));
    WriteBytes(folder.Path() / "stub.exe", Pattern(100));
    PackageManifest manifest{"c:\\x", {{"ROOT\\file.bin", deep / "file.bin"}}};
    ASSERT_EQ(AssemblePackage(folder.Path() / "stub.exe", manifest, folder.Path() / "setup.exe"), "");
    PackageEntryHeader header;
    memcpy(&header, ReadBytes(folder.Path() / "setup.exe").data() + 100, sizeof header);
    std::string source = header.sourcePath;
    EXPECT_EQ(source.size(), 254u);
    EXPECT_EQ(source.rfind("...", 0), 0u);
    EXPECT_EQ(source.substr(source.size() - 8), "file.bin");
    EXPECT_EQ(source.substr(3), fs::absolute(deep / "file.bin").string().substr(258 - 251));
}

TEST(PackageAssembler, RefusalsLeaveTheEarlierInstallerAlone)
{
    TempFolder folder("refusals");
    WriteBytes(folder.Path() / "stub.exe", Pattern(100));
    WriteBytes(folder.Path() / "a.bin", Pattern(10));
    const fs::path output = folder.Path() / "setup.exe";
    WriteText(output, "earlier installer");
    const PackageManifest refused[] = {
        {"c:\\x", {{"BOOT\\a.bin", folder.Path() / "a.bin"}}},
        {"c:\\x", {{"ROOT\\..\\a.bin", folder.Path() / "a.bin"}}},
        {"c:\\x", {{"ROOT\\missing.bin", folder.Path() / "missing.bin"}}},
        {"", {{"ROOT\\a.bin", folder.Path() / "a.bin"}}},
        {std::string(256, 'd'), {}},
    };
    for (const PackageManifest& manifest : refused) {
        EXPECT_NE(AssemblePackage(folder.Path() / "stub.exe", manifest, output), "");
        EXPECT_EQ(ReadBytes(output), Bytes({'e', 'a', 'r', 'l', 'i', 'e', 'r', ' ', 'i', 'n', 's', 't', 'a', 'l',
                                            'l', 'e', 'r'}));
        EXPECT_FALSE(fs::exists(folder.Path() / "setup.exe.partial"));
    }
    EXPECT_NE(AssemblePackage(folder.Path() / "missing-stub.exe", {"c:\\x", {}}, output), "");
}

}  // namespace
}  // namespace setup_test
