// The Properties dialog from both context menus, read from outside: type,
// name, size and scrambling lines for a file, a folder (its own files and
// those one level down) and the whole disc (the disc's totals), for several
// sets of method flags.
#include <chrono>
#include <cstdio>

#include "context_menu.h"
#include "file_ops_fixture.h"
#include "input.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

constexpr int kTypeId = IDC_PROP_TYPE;
constexpr int kNameId = IDC_PROP_NAME;
constexpr int kScramblingId = IDC_PROP_SCRAMBLING;
constexpr int kSizeId = IDC_PROP_SIZE;
constexpr int kDoneId = IDCANCEL;

const std::vector<std::string> kFolders = {"Docs", "Docs\\Letters", "Docs\\Letters\\deep", "Docs\\Empty Folder",
                                           "Music"};
const std::vector<DiscFile> kFiles = {
    {"readme.txt", 100},
    {"big one.bin", 1048577},
    {"Docs\\report.doc", 3000},
    {"Docs\\notes.txt", 200},
    {"Docs\\Zeta.txt", 5},
    {"Docs\\Letters\\Dear.txt", 12},
    {"Docs\\Letters\\deep\\bottom.bin", 2097152},
    {"Music\\song.mp3", 5000},
};

struct PropertiesTexts {
    std::string type, name, size, scrambling;
};

bool operator==(const PropertiesTexts& a, const PropertiesTexts& b)
{
    return a.type == b.type && a.name == b.name && a.size == b.size && a.scrambling == b.scrambling;
}

std::ostream& operator<<(std::ostream& out, const PropertiesTexts& texts)
{
    return out << "{type \"" << texts.type << "\", name \"" << texts.name << "\", size \"" << texts.size
               << "\", scrambling \"" << texts.scrambling << "\"}";
}

std::string FileSizeText(unsigned long bytes)
{
    char text[128];
    snprintf(text, sizeof text, "%lu Bytes ( %0.2f KB/%0.2f MB)", bytes, bytes / 1024.0, bytes / 1048576.0);
    return text;
}

std::string FolderSizeText(unsigned long bytes, unsigned long files, unsigned long folders)
{
    char text[160];
    snprintf(text, sizeof text, "Total %lu Bytes ( %0.2f KB/%0.2f MB) - Files: %lu - Sub Folders: %lu", bytes,
             bytes / 1024.0, bytes / 1048576.0, files, folders);
    return text;
}

class PropertiesTest : public FileOpsTest {
protected:
    // Chooses "Properties" in the open menu, reads the dialog, optionally
    // takes a screenshot, and closes it with "Done >>".
    PropertiesTexts ReadProperties(HWND menu, int entry, int entries, const std::string& screenshot = "")
    {
        PropertiesTexts texts;
        if (!menu || !ChooseMenuEntry(menu, entry, entries)) {
            ADD_FAILURE() << "\"Properties\" could not be chosen";
            return texts;
        }
        HWND dialog = WaitForDialog("Properties", 5s);
        if (!dialog) {
            ADD_FAILURE() << "no \"Properties\" dialog";
            return texts;
        }
        texts = {TextOf(GetDlgItem(dialog, kTypeId)), TextOf(GetDlgItem(dialog, kNameId)),
                 TextOf(GetDlgItem(dialog, kSizeId)), TextOf(GetDlgItem(dialog, kScramblingId))};
        if (!screenshot.empty())
            ScreenshotOf(dialog, screenshot);
        HWND done = GetDlgItem(dialog, kDoneId);
        EXPECT_EQ(TextOf(done), "Done >>");
        ClickCentre(done);
        EXPECT_TRUE(WaitUntilGone(dialog, 5s)) << "\"Done >>\" did not close the dialog";
        return texts;
    }
};

TEST_F(PropertiesTest, DescribesAFileAFolderAndTheWholeDisc)
{
    ASSERT_NO_FATAL_FAILURE(OpenDisc(kFolders, kFiles));
    ASSERT_NO_FATAL_FAILURE(ExpandWholeTree());
    const std::string scrambling = "SCRAMBLE  - ( FAST )";

    // Docs: its own three files and Dear.txt one level down; bottom.bin two
    // levels down is not counted. Sub-folders: Letters and Empty Folder.
    EXPECT_EQ(ReadProperties(OpenTreeMenu("Docs"), kFolderMenuProperties, kFolderMenuEntries, "properties-folder"),
              (PropertiesTexts{"Folder", "Docs", FolderSizeText(3217, 4, 2), scrambling}));

    unsigned long totalBytes = 0;
    for (const DiscFile& file : kFiles)
        totalBytes += file.size;
    // The whole-disc item counts as a folder of the disc.
    EXPECT_EQ(ReadProperties(OpenTreeMenu(kDiscLabel), kFolderMenuProperties, kFolderMenuEntries,
                             "properties-whole-disc"),
              (PropertiesTexts{"Whole CD", "Whole CD",
                               FolderSizeText(totalBytes, (unsigned long)kFiles.size(),
                                              (unsigned long)kFolders.size() + 1),
                               scrambling}));

    ASSERT_NO_FATAL_FAILURE(ShowFiles(kDiscLabel, 2));
    EXPECT_EQ(ReadProperties(OpenListMenu("big one.bin"), kFileMenuProperties, kFileMenuEntries, "properties-file"),
              (PropertiesTexts{"File", "big one.bin", FileSizeText(1048577), scrambling}));

    // Two rows selected: the first one in the list is described, whichever
    // was right-clicked. The list shows notes, report, Zeta; the item table
    // holds Zeta first.
    ASSERT_NO_FATAL_FAILURE(ShowFiles("Docs", 3));
    ASSERT_NO_FATAL_FAILURE(SelectRows({"Zeta.txt", "report.doc"}));
    EXPECT_EQ(ReadProperties(OpenListMenu("Zeta.txt"), kFileMenuProperties, kFileMenuEntries),
              (PropertiesTexts{"File", "report.doc", FileSizeText(3000), scrambling}));
    EXPECT_TRUE(NoMessageWithin(300ms));
}

enum DiscKind { VERIFIED, STRONG, WITHOUT_RECORD };

struct MethodCase {
    const wchar_t* flags;
    const char* scrambling;
    DiscKind kind = VERIFIED;
};

// For the test names: the flags as given to mkdisc, and the kind of disc.
std::string FlagsText(const MethodCase& method)
{
    std::string text;
    for (const wchar_t* c = method.flags; *c; ++c)
        text += (char)*c;
    return text + (method.kind == STRONG ? "_strong" : method.kind == WITHOUT_RECORD ? "_no_record" : "");
}

void PrintTo(const MethodCase& method, std::ostream* out)
{
    *out << FlagsText(method);
}

class PropertiesScramblingTest : public PropertiesTest, public ::testing::WithParamInterface<MethodCase> {};

TEST_P(PropertiesScramblingTest, ShowsTheMethodFlagsOfFileAndFolder)
{
    // A strong disc's items are all sealed: "AES-256" whatever the flags.
    std::vector<std::wstring> options = GetParam().kind == STRONG           ? kStrongDisc
                                        : GetParam().kind == WITHOUT_RECORD ? kDiscWithoutRecord
                                                                            : kVerifiedDisc;
    options.insert(options.end(), {L"--method-flags", GetParam().flags});
    ASSERT_NO_FATAL_FAILURE(OpenDisc({"Music"}, {{"Music\\song.mp3", 5000}, {"top.txt", 2097152}}, options,
                                     GetParam().kind == STRONG ? L"Open Sesame-42" : L""));
    ASSERT_NO_FATAL_FAILURE(ExpandWholeTree());
    EXPECT_EQ(ReadProperties(OpenTreeMenu("Music"), kFolderMenuProperties, kFolderMenuEntries),
              (PropertiesTexts{"Folder", "Music", FolderSizeText(5000, 1, 0), GetParam().scrambling}));
    ASSERT_NO_FATAL_FAILURE(ShowFiles(kDiscLabel, 1));
    EXPECT_EQ(ReadProperties(OpenListMenu("top.txt"), kFileMenuProperties, kFileMenuEntries),
              (PropertiesTexts{"File", "top.txt", FileSizeText(2097152), GetParam().scrambling}));
}

INSTANTIATE_TEST_SUITE_P(MethodFlags, PropertiesScramblingTest,
                         ::testing::Values(MethodCase{L"0x4c0", "SCRAMBLE  - ( FULL )"},
                                           MethodCase{L"0x9c0", "BitCrypt BlowFish  - ( FULL )"},
                                           MethodCase{L"0x1f40", "BitCrypt SCRAMBLE PGP BlowFish 2Fish  - ( FAST )"},
                                           MethodCase{L"0x40", " - ( FAST )"},
                                           MethodCase{L"0x1f80", "Not encrypted."},
                                           MethodCase{L"0x4c0", "AES-256", STRONG},
                                           MethodCase{L"0x4c0", "SCRAMBLE  - ( FULL )", WITHOUT_RECORD}),
                         [](const ::testing::TestParamInfo<MethodCase>& info) { return FlagsText(info.param); });

}  // namespace
}  // namespace e2e
