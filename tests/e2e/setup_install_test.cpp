// setup.exe installs the product as a person runs it: every file of its
// package byte for byte in its place, the registry entries, the four links;
// and a second run over the first replaces them all.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "input.h"
#include "paths.h"
#include "registry.h"
#include "setup_machine_state.h"
#include "setup_package_bytes.h"
#include "setup_test_support.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

class SetupInstallTest : public InstallerTest {
protected:
    void SetUp() override
    {
        InstallerTest::SetUp();
        installer_ = ReadBytes(SetupExe());
        auto package = ReadPackage(installer_);
        ASSERT_TRUE(package) << "setup.exe carries no sound package";
        package_ = *package;
    }

    // Every entry of the package, read back from its place, equals its
    // source file and the entry's bytes.
    void ExpectEveryFileInstalled(const fs::path& installDir)
    {
        for (const PackageEntryInfo& entry : package_.entries) {
            SCOPED_TRACE(entry.destination);
            fs::path installed = InstalledPathOf(entry.destination, installDir);
            ASSERT_TRUE(fs::is_regular_file(installed)) << installed;
            Bytes bytes = ReadBytes(installed);
            EXPECT_TRUE(bytes == ReadBytes(SourceOf(entry.destination))) << installed << " differs from its source";
            EXPECT_TRUE(bytes == EntryData(installer_, entry)) << installed << " differs from the package";
        }
    }

    // The install log names the folders setup made, each before what it
    // holds, and every file of the package, in package order.
    // madeFirst: the folders setup makes before the first file, in order.
    void ExpectInstallLog(const fs::path& installDir, const std::vector<fs::path>& madeFirst)
    {
        std::string expected = "Arcseal3 install log\r\n";
        for (const fs::path& folder : madeFirst)
            expected += "D " + folder.string() + "\r\n";
        std::set<fs::path> folders{installDir};
        for (const PackageEntryInfo& entry : package_.entries) {
            fs::path installed = InstalledPathOf(entry.destination, installDir);
            std::vector<fs::path> made;
            for (fs::path folder = installed.parent_path(); !folders.count(folder) && folder != folder.root_path();
                 folder = folder.parent_path())
                made.insert(made.begin(), folder);
            for (const fs::path& folder : made) {
                expected += "D " + folder.string() + "\r\n";
                folders.insert(folder);
            }
            expected += "F " + installed.string() + "\r\n";
        }
        Bytes log = ReadBytes(installDir / kInstallLogName);
        EXPECT_EQ(std::string(log.begin(), log.end()), expected);
    }

    void ExpectRegistryEntries(const std::string& installDir)
    {
        EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"), "Arcseal3");
        EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"),
                  "\"" + installDir + "\\arcs3uninst.exe\"");
        EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, "RootInstallDir"), installDir);
        EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, kProductKey, "RootInstallDir"), installDir);
    }

    // The link exists and leads to the installed file with the description;
    // the icon is its target's first.
    void ExpectLink(const fs::path& link, const fs::path& installed, const std::string& description)
    {
        SCOPED_TRACE(link.string());
        ShellLink read = ReadShellLink(link);
        ASSERT_TRUE(read.loaded) << "no readable link";
        std::error_code error;
        EXPECT_TRUE(fs::equivalent(read.target, installed, error)) << read.target << " is not " << installed;
        EXPECT_EQ(read.description, description);
        EXPECT_TRUE(fs::equivalent(read.iconPath, installed, error)) << read.iconPath << " is not " << installed;
        EXPECT_EQ(read.iconIndex, 0);
        EXPECT_EQ(read.arguments, "");
        EXPECT_EQ(read.workingDirectory, "");
    }

    void ExpectFourLinks(const fs::path& installDir)
    {
        ExpectLink(DesktopFolder() / "Arcseal3.lnk", installDir / "Arcseal3.exe", "Arcseal 3");
        ExpectLink(ShortcutFolder() / "Arcseal3.lnk", installDir / "Arcseal3.exe", "Arcseal 3");
        ExpectLink(ShortcutFolder() / "uninstall.lnk", installDir / "arcs3uninst.exe", "UnInstall");
        ExpectLink(ShortcutFolder() / "help.lnk", installDir / "Help" / "index.htm", "Help");
        EXPECT_EQ(EntriesIn(ShortcutFolder()), (std::set<std::string>{"Arcseal3.lnk", "uninstall.lnk", "help.lnk"}));
    }

    Bytes installer_;
    PackageInfo package_;
};

// The folders that do not exist yet along the package's default directory and
// an installation directory, outermost first: those setup makes and records.
std::vector<fs::path> MissingFolders(const fs::path& installDir)
{
    std::vector<fs::path> missing;
    for (const fs::path& path : {DefaultParentDir(), installDir}) {
        std::vector<fs::path> chain;
        for (fs::path folder = path; !fs::exists(folder); folder = folder.parent_path())
            chain.insert(chain.begin(), folder);
        for (const fs::path& folder : chain) {
            if (std::find(missing.begin(), missing.end(), folder) == missing.end())
                missing.push_back(folder);
        }
    }
    return missing;
}

TEST_F(SetupInstallTest, PackageHoldsTheProductInItsOrder)
{
    const Bytes stub = ReadBytes(SetupStubExe());
    EXPECT_EQ(package_.trailer.firstEntryOffset, stub.size()) << "the package begins where the bare installer ends";
    EXPECT_TRUE(std::equal(stub.begin(), stub.end(), installer_.begin())) << "setup.exe begins with setup-stub.exe";
    EXPECT_STREQ(package_.trailer.defaultDirectory, "c:\\Program Files\\Corvane Software");

    ASSERT_EQ(package_.entries.size(), 26u);
    EXPECT_EQ(package_.entries[0].destination, "ROOT\\Arcseal3.exe");
    EXPECT_EQ(package_.entries[1].destination, "ROOT\\arcs3uninst.exe");
    EXPECT_EQ(package_.entries[2].destination, "ROOT\\discview.dll");
    EXPECT_EQ(package_.entries[3].destination, "HELP\\index.htm");
    std::set<std::string> pages;
    for (size_t i = 3; i < 23; ++i) {
        const std::string& destination = package_.entries[i].destination;
        EXPECT_EQ(destination.rfind("HELP\\", 0), 0u) << destination;
        EXPECT_EQ(destination.substr(destination.size() - 4), ".htm") << destination;
        pages.insert(destination);
    }
    EXPECT_EQ(pages.size(), 20u) << "20 different help pages";
    int jpegs = 0, gifs = 0;
    for (size_t i = 23; i < 26; ++i) {
        const std::string& destination = package_.entries[i].destination;
        EXPECT_EQ(destination.rfind("IMAGES\\", 0), 0u) << destination;
        jpegs += destination.substr(destination.size() - 4) == ".jpg";
        gifs += destination.substr(destination.size() - 4) == ".gif";
    }
    EXPECT_EQ(jpegs, 2);
    EXPECT_EQ(gifs, 1);
}

// The embedded manifest (resource 1 of type 24) of an executable; empty
// when it has none.
std::string ManifestOf(const fs::path& exe)
{
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module)
        return {};
    std::string manifest;
    if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {
        HGLOBAL loaded = LoadResource(module, found);
        const char* bytes = loaded ? (const char*)LockResource(loaded) : nullptr;
        if (bytes)
            manifest.assign(bytes, SizeofResource(module, found));
    }
    FreeLibrary(module);
    return manifest;
}

// 1 when the executable's file header names no symbol table.
bool IsStripped(const fs::path& exe)
{
    Bytes bytes = ReadBytes(exe);
    if (bytes.size() < 0x40)
        return false;
    uint32_t peOffset = bytes[0x3c] | bytes[0x3d] << 8 | bytes[0x3e] << 16 | (uint32_t)bytes[0x3f] << 24;
    if (peOffset + 24 > bytes.size() || memcmp(&bytes[peOffset], "PE\0\0", 4) != 0)
        return false;
    IMAGE_FILE_HEADER header;
    memcpy(&header, &bytes[peOffset + 4], sizeof header);
    return header.PointerToSymbolTable == 0 && header.NumberOfSymbols == 0;
}

// Setup and the uninstaller write HKEY_LOCAL_MACHINE and Program Files:
// Windows must start them with administrator rights. The viewer and the disc
// builder run as started. All of them ship without symbols - the 32-bit
// build that ships, when it was built, and the one these tests run.
TEST(ShippedPrograms, AdministratorRightsAndNoSymbols)
{
    int checked = 0;
    for (const fs::path& dir : {ProgramDir(), ProgramDir().parent_path() / "win32"}) {
        if (!fs::exists(dir / "setup.exe"))
            continue;
        for (const char* name : {"setup.exe", "setup-stub.exe", "arcs3uninst.exe", "discview.exe", "mkdisc.exe"}) {
            const fs::path exe = dir / name;
            SCOPED_TRACE(exe.string());
            const std::string manifest = ManifestOf(exe);
            bool asksForAdministrator =
                manifest.find("<requestedExecutionLevel level=\"requireAdministrator\"") != std::string::npos;
            const std::string program = name;
            EXPECT_EQ(asksForAdministrator, program.rfind("setup", 0) == 0 || program == "arcs3uninst.exe")
                << manifest;
            EXPECT_TRUE(IsStripped(exe));
            ++checked;
        }
    }
    EXPECT_GE(checked, 5);
}

TEST_F(SetupInstallTest, DefaultsInstallEveryFileWithKeysAndLinks)
{
    const std::vector<fs::path> made = MissingFolders(DefaultInstallDir());
    Process& setup = Start(SetupExe());
    HWND agreement = WaitForDialog(setup, kAgreementCaption);
    ASSERT_TRUE(agreement);
    std::string agreementText = TextOf(GetDlgItem(agreement, IDC_AGREEMENT_TEXT));
    EXPECT_EQ(agreementText.rfind(std::string(45, ' ') + "LICENCE AGREEMENT\r\n", 0), 0u);
    Screenshot("setup-agreement");
    ClickCentre(GetDlgItem(agreement, IDOK));

    HWND destination = WaitForDialog(setup, kDestinationCaption);
    ASSERT_TRUE(destination);
    EXPECT_EQ(TextOf(GetDlgItem(destination, kInstallDirEdit)), DefaultInstallDir().string());
    Screenshot("setup-destination");
    // The directory is ready for typing, so Enter goes to "Next >>".
    PressKey(VK_RETURN);
    ASSERT_TRUE(EndsFinished(setup, DefaultInstallDir().string()));

    ExpectEveryFileInstalled(DefaultInstallDir());
    EXPECT_EQ(EntriesIn(DefaultParentDir()), (std::set<std::string>{"Arcseal3"}));
    EXPECT_EQ(EntriesIn(DefaultInstallDir()),
              (std::set<std::string>{"Arcseal3.exe", "arcs3uninst.exe", "discview.dll", "Help", kInstallLogName}));
    ExpectInstallLog(DefaultInstallDir(), made);
    EXPECT_EQ(EntriesIn(DefaultInstallDir() / "Help").size(), 21u) << "20 pages and the images folder";
    EXPECT_TRUE(fs::is_directory(DefaultInstallDir() / "Help" / "images"));
    EXPECT_EQ(EntriesIn(DefaultInstallDir() / "Help" / "images").size(), 3u);
    ExpectRegistryEntries(DefaultInstallDir().string());
    ExpectFourLinks(DefaultInstallDir());
}

TEST_F(SetupInstallTest, SecondInstallOverwritesTheFirst)
{
    const fs::path installDir = TestRoot() / "Arcseal3";
    const std::vector<fs::path> made = MissingFolders(installDir);
    ASSERT_TRUE(Install(SetupExe(), installDir.string()));

    // Damage the first installation: changed, cut and missing files, a
    // changed key value, a broken link.
    WriteText(installDir / "Help" / "index.htm", "changed");
    WriteText(installDir / "Arcseal3.exe", "MZ");
    fs::remove(installDir / "discview.dll");
    SetRegistryString(HKEY_LOCAL_MACHINE, kProductKey, "RootInstallDir", "c:\\elsewhere");
    SetRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString", "c:\\elsewhere\\x.exe");
    WriteText(DesktopFolder() / "Arcseal3.lnk", "not a link");

    ASSERT_TRUE(Install(SetupExe(), installDir.string()));
    ExpectEveryFileInstalled(installDir);
    // The second run keeps what the first made, and names nothing twice.
    ExpectInstallLog(installDir, made);
    ExpectRegistryEntries(installDir.string());
    ExpectFourLinks(installDir);
}

TEST_F(SetupInstallTest, TypedDirectoryWithTrailingBackslash)
{
    const fs::path installDir = TestRoot() / "Typed";
    const std::string typed = installDir.string() + "\\";
    ASSERT_TRUE(Install(SetupExe(), typed));

    ExpectEveryFileInstalled(installDir);
    // Recorded exactly as typed, so the uninstall string has two backslashes.
    EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"),
              "\"" + installDir.string() + "\\\\arcs3uninst.exe\"");
    EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, kUninstallKey, "RootInstallDir"), typed);
    EXPECT_EQ(ReadRegistryString(HKEY_LOCAL_MACHINE, kProductKey, "RootInstallDir"), typed);
    ExpectFourLinks(installDir);
}

}  // namespace
}  // namespace e2e
