// An installer whose package is missing or damaged - cut short, entries that
// do not fill the space before the trailer, a destination without a known
// prefix or leading out of its folder - says so before anything is shown or
// written, and ends when the message is answered.
#include <cstring>
#include <filesystem>

#include "setup_machine_state.h"
#include "setup_package_bytes.h"
#include "setup_test_support.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

class SetupDamagedTest : public InstallerTest {
protected:
    void SetUp() override
    {
        InstallerTest::SetUp();
        whole_ = ReadBytes(SetupExe());
        auto package = ReadPackage(whole_);
        ASSERT_TRUE(package);
        package_ = *package;
    }

    void ExpectRefused(const std::string& name, const Bytes& installer)
    {
        SCOPED_TRACE(name);
        Process& setup = Start(WriteInstaller(name, installer));
        auto box = WaitForBox(setup);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->caption, kCorruptCaption);
        EXPECT_EQ(box->text, kCorruptText);
        EXPECT_EQ(TopLevelWindows(setup.Id()).size(), 1u) << "only the message should be up";
        ASSERT_TRUE(PressButton(box->window, IDOK));
        ASSERT_TRUE(WaitUntilGone(box->window));
        ASSERT_TRUE(EndsWithoutMessages(setup));
        EXPECT_TRUE(NothingInstalled({DefaultInstallDir()}));
    }

    Bytes Trailer() const { return Bytes(whole_.end() - PACKAGE_TRAILER_SIZE, whole_.end()); }

    Bytes WithTrailerField(size_t offset, uint32_t value) const
    {
        Bytes damaged = whole_;
        memcpy(damaged.data() + damaged.size() - PACKAGE_TRAILER_SIZE + offset, &value, sizeof value);
        return damaged;
    }

    Bytes WithDestination(size_t entry, const std::string& destination) const
    {
        Bytes damaged = whole_;
        SetEntryDestination(damaged, package_.entries[entry], destination);
        return damaged;
    }

    Bytes whole_;
    PackageInfo package_;
};

TEST_F(SetupDamagedTest, InstallerWithoutPackage)
{
    ExpectRefused("stub", ReadBytes(SetupStubExe()));
}

TEST_F(SetupDamagedTest, DownloadsCutShort)
{
    ExpectRefused("cut-by-one", Bytes(whole_.begin(), whole_.end() - 1));
    ExpectRefused("cut-by-half", Bytes(whole_.begin(), whole_.begin() + (std::ptrdiff_t)whole_.size() / 2));
    // The bare installer and the trailer, the entries lost in between.
    Bytes trailerOnly = ReadBytes(SetupStubExe());
    Bytes trailer = Trailer();
    trailerOnly.insert(trailerOnly.end(), trailer.begin(), trailer.end());
    ExpectRefused("trailer-only", trailerOnly);
}

TEST_F(SetupDamagedTest, EntriesThatDoNotFillThePackage)
{
    Bytes gap = whole_;
    gap.insert(gap.end() - PACKAGE_TRAILER_SIZE, 0);
    ExpectRefused("byte-before-trailer", gap);
    ExpectRefused("offset-past-end", WithTrailerField(offsetof(PackageTrailer, firstEntryOffset),
                                                      (uint32_t)whole_.size()));
    ExpectRefused("one-entry-more", WithTrailerField(offsetof(PackageTrailer, entryCount), 27));
    ExpectRefused("one-entry-less", WithTrailerField(offsetof(PackageTrailer, entryCount), 25));
    // The last entry claims one byte more than lies before the trailer.
    Bytes longer = whole_;
    const PackageEntryInfo& last = package_.entries.back();
    uint32_t size = last.dataSize + 1;
    memcpy(longer.data() + last.headerOffset + offsetof(PackageEntryHeader, dataSize), &size, sizeof size);
    ExpectRefused("last-entry-longer", longer);
}

TEST_F(SetupDamagedTest, DestinationsOutsideTheirFolders)
{
    ExpectRefused("unknown-prefix", WithDestination(0, "BOOT\\Arcseal3.exe"));
    ExpectRefused("lower-case-prefix", WithDestination(0, "root\\Arcseal3.exe"));
    ExpectRefused("no-backslash", WithDestination(0, "ROOTArcseal3.exe"));
    ExpectRefused("empty-remainder", WithDestination(1, "ROOT\\"));
    // The last entry: refused although every entry before it is sound.
    ExpectRefused("dot-dot", WithDestination(25, "IMAGES\\..\\..\\..\\..\\evil.gif"));
    ExpectRefused("drive", WithDestination(25, "ROOT\\c:\\evil.gif"));
    ExpectRefused("second-root", WithDestination(25, "ROOT\\\\evil.gif"));
}

}  // namespace
}  // namespace e2e
