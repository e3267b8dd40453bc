// The check of a whole package before anything is unpacked: a sound package
// passes with its summary; every way of being cut short, padded, misnumbered
// or pointed outside its folders fails.
#include <gtest/gtest.h>

#include <cstring>

#include "package_format.h"
#include "package_test_files.h"

namespace setup_test {
namespace {

const char* const kSystemDir = "C:\\windows\\system32";
const char* const kWindowsDir = "C:\\windows";

class PackageCheckTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sound_ = ReadBytes(MakePackage(folder_.Path(), {{"ROOT\\Arcseal3.exe", Pattern(3000, 1)},
                                                        {"HELP\\index.htm", Pattern(0, 2)},
                                                        {"IMAGES\\main-window.jpg", Pattern(700, 3)}}));
    }

    int Check(const Bytes& bytes, PackageSummary* summary = nullptr)
    {
        PackageTrailer trailer;
        PackageSummary ignored;
        File stream = StreamOf(bytes);
        return CheckPackage(stream.get(), kSystemDir, kWindowsDir, &trailer, summary ? summary : &ignored);
    }

    // Offset of the nth entry's header in the sound package.
    size_t HeaderAt(int entry) const
    {
        size_t at = 1000;
        for (int i = 0; i < entry; ++i) {
            uint32_t size;
            memcpy(&size, sound_.data() + at + offsetof(PackageEntryHeader, dataSize), sizeof size);
            at += PACKAGE_ENTRY_HEADER_SIZE + size;
        }
        return at;
    }

    Bytes WithTrailerField(size_t offset, uint32_t value) const
    {
        Bytes bytes = sound_;
        memcpy(bytes.data() + bytes.size() - PACKAGE_TRAILER_SIZE + offset, &value, sizeof value);
        return bytes;
    }

    Bytes WithDestination(int entry, const char* destination) const
    {
        Bytes bytes = sound_;
        unsigned char* field = bytes.data() + HeaderAt(entry) + offsetof(PackageEntryHeader, destination);
        memset(field, 0, PACKAGE_TEXT_SIZE);
        memcpy(field, destination, strlen(destination));
        return bytes;
    }

    TempFolder folder_{"check"};
    Bytes sound_;
};

TEST_F(PackageCheckTest, SoundPackagePassesWithItsSummary)
{
    PackageSummary summary{};
    ASSERT_EQ(Check(sound_, &summary), 1);
    EXPECT_EQ(summary.entryCount, 3u);
    EXPECT_EQ(summary.firstEntryOffset, 1000u);
    // "\Help\images\" + "\main-window.jpg" is the longest tail.
    EXPECT_EQ(summary.longestInstallTail, 13u + 16u);
    EXPECT_TRUE(InstallDirFits(255 - 29, &summary));
    EXPECT_FALSE(InstallDirFits(255 - 28, &summary));
}

TEST_F(PackageCheckTest, EmptyPackageEndsWhereItBegins)
{
    Bytes empty = ReadBytes(MakePackage(folder_.Path() / "empty", {}));
    PackageSummary summary{};
    ASSERT_EQ(Check(empty, &summary), 1);
    EXPECT_EQ(summary.entryCount, 0u);
    EXPECT_EQ(summary.firstEntryOffset, empty.size() - PACKAGE_TRAILER_SIZE);
}

TEST_F(PackageCheckTest, CutShortOrPaddedFails)
{
    EXPECT_EQ(Check(Bytes(sound_.begin(), sound_.end() - 1)), 0);
    EXPECT_EQ(Check(Bytes(sound_.begin(), sound_.begin() + (std::ptrdiff_t)sound_.size() / 2)), 0);
    EXPECT_EQ(Check(Bytes(sound_.begin(), sound_.begin() + PACKAGE_TRAILER_SIZE - 1)), 0);
    EXPECT_EQ(Check({}), 0);
    // The stub and the trailer: entries lost in between.
    Bytes trailerOnly = sound_;
    trailerOnly.erase(trailerOnly.begin() + 1000, trailerOnly.end() - PACKAGE_TRAILER_SIZE);
    EXPECT_EQ(Check(trailerOnly), 0);
    // One byte between the last entry and the trailer.
    Bytes padded = sound_;
    padded.insert(padded.end() - PACKAGE_TRAILER_SIZE, 0);
    EXPECT_EQ(Check(padded), 0);
}

TEST_F(PackageCheckTest, TrailerThatDisagreesWithTheFileFails)
{
    EXPECT_EQ(Check(WithTrailerField(offsetof(PackageTrailer, magic), 515)), 0);
    EXPECT_EQ(Check(WithTrailerField(offsetof(PackageTrailer, entryCount), 2)), 0);
    EXPECT_EQ(Check(WithTrailerField(offsetof(PackageTrailer, entryCount), 4)), 0);
    EXPECT_EQ(Check(WithTrailerField(offsetof(PackageTrailer, entryCount), 0xFFFFFFFFu)), 0);
    EXPECT_EQ(Check(WithTrailerField(offsetof(PackageTrailer, firstEntryOffset), 999)), 0);
    EXPECT_EQ(Check(WithTrailerField(offsetof(PackageTrailer, firstEntryOffset), 1001)), 0);
    EXPECT_EQ(Check(WithTrailerField(offsetof(PackageTrailer, firstEntryOffset), (uint32_t)sound_.size())), 0);
    EXPECT_EQ(Check(WithTrailerField(offsetof(PackageTrailer, firstEntryOffset), 0xFFFFFFFFu)), 0);
    Bytes unterminated = sound_;
    memset(unterminated.data() + unterminated.size() - PACKAGE_TRAILER_SIZE + 16, 'd', 256);
    EXPECT_EQ(Check(unterminated), 0);
}

TEST_F(PackageCheckTest, EntrySizesThatOverrunFail)
{
    for (uint32_t size : {3001u, 0xFFFFFFFFu, 2999u}) {
        Bytes bytes = sound_;
        memcpy(bytes.data() + HeaderAt(0) + offsetof(PackageEntryHeader, dataSize), &size, sizeof size);
        EXPECT_EQ(Check(bytes), 0) << size;
    }
    Bytes last = sound_;
    uint32_t size = 701;
    memcpy(last.data() + HeaderAt(2) + offsetof(PackageEntryHeader, dataSize), &size, sizeof size);
    EXPECT_EQ(Check(last), 0);
}

TEST_F(PackageCheckTest, AnyUnsafeDestinationFailsThePackage)
{
    EXPECT_EQ(Check(WithDestination(0, "BOOT\\Arcseal3.exe")), 0);
    EXPECT_EQ(Check(WithDestination(1, "HELP\\..\\..\\index.htm")), 0);
    EXPECT_EQ(Check(WithDestination(2, "IMAGES\\c:\\x.jpg")), 0);
    EXPECT_EQ(Check(WithDestination(2, "IMAGES")), 0);
    EXPECT_EQ(Check(WithDestination(2, "ROOT\\fine.jpg")), 1);
    Bytes unterminated = sound_;
    memset(unterminated.data() + HeaderAt(1) + offsetof(PackageEntryHeader, destination) + 5, 'a',
           PACKAGE_TEXT_SIZE - 5);
    EXPECT_EQ(Check(unterminated), 0);
}

TEST_F(PackageCheckTest, SystemTargetsMustFitWithTheRealDirectories)
{
    Bytes bytes = WithDestination(0, "WINSYS\\helper.dll");
    PackageTrailer trailer;
    PackageSummary summary;
    File stream = StreamOf(bytes);
    EXPECT_EQ(CheckPackage(stream.get(), kSystemDir, kWindowsDir, &trailer, &summary), 1);
    std::string longSystemDir = "C:\\" + std::string(245, 's');
    stream = StreamOf(bytes);
    EXPECT_EQ(CheckPackage(stream.get(), longSystemDir.c_str(), kWindowsDir, &trailer, &summary), 0);
}

}  // namespace
}  // namespace setup_test
