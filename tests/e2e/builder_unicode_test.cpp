// Names in any script, from the builder's window to the reader's folder: a
// tree of Polish, Greek, Cyrillic, Japanese and emoji names (files, folders
// and the title), built with a password typed in Polish, opens in the viewer
// with that password typed decomposed; the tree and the list show every
// name, View/Open hands its program a copy under the file's own name, and
// the whole disc exports byte for byte under its own names and times.
#include "builder_fixture.h"
#include "file_ops_probe.h"
#include "mouse.h"

namespace e2e {
namespace {

const std::wstring kUnicodeTitle = L"Dysk \u03A9\u03BC\u03AD\u03B3\u03B1 \U0001F389";  // Dysk Ωμέγα 🎉
const std::wstring kUnicodePassword = L"\u0141\u00F3d\u017A-7";                    // Łódź-7
const std::wstring kDecomposedPassword = L"\u0141o\u0301dz\u0301-7";                  // the same, NFD
const std::vector<std::wstring> kUnicodeFolders = {
    L"\u041E\u0442\u0447\u0451\u0442\u044B",                      // Отчёты
    L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC",          // Ελληνικά
    L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC\\\u65E5\u672C\u8A9E",  // Ελληνικά\日本語
};
const std::vector<std::pair<std::wstring, size_t>> kUnicodeFiles = {
    {L"\u0141\u00F3d\u017A \u5831\u544A.txt", 5000},                                   // Łódź 報告.txt
    {L"\u041E\u0442\u0447\u0451\u0442\u044B\\\u0433\u043E\u0434.txt", 300},            // Отчёты\год.txt
    {L"\u041E\u0442\u0447\u0451\u0442\u044B\\\u043E\u0442\u0447\u0451\u0442 \U0001F600.e2eview", 4000},
    {L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC\\\u03B1\u03BB\u03C6\u03B1.bin", 70000},
    {L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC\\\u65E5\u672C\u8A9E\\\u5199\u771F \U0001F600.jpg", 1048577},
};

// The tree's entries as their own texts.
bool TreeHolds(HWND tree, const std::wstring& text)
{
    for (const TreeEntry& entry : ReadTree(tree))
        if (entry.wide == text)
            return true;
    return false;
}

TEST_F(BuilderTest, NamesOfAnyScriptBuildOpenAndExportUnderTheirOwnNamesAndTimes)
{
    for (const std::wstring& folder : kUnicodeFolders)
        fs::create_directories(Content() / folder);
    // A whole second, so that no rounding of a fraction stands in the way.
    const fs::file_time_type when =
        std::chrono::floor<std::chrono::seconds>(fs::file_time_type::clock::now() - std::chrono::hours(24 * 500));
    for (const auto& [path, size] : kUnicodeFiles) {
        WriteBytes(Content() / path, Pattern(size, (unsigned)path.size()));
        fs::last_write_time(Content() / path, when);
    }
    // View/Open's program: the stand-in that records how it was started.
    const fs::path probes = Scratch() / "registered";
    RegisteredFileType type(".e2eview", PlaceProbe(probes));
    ASSERT_TRUE(type.Ok());
    ASSERT_NO_FATAL_FAILURE(StartBuilder());
    ASSERT_TRUE(SetControlText(Control(IDC_SOURCE), Content().wstring()));
    ASSERT_TRUE(SetControlText(Control(IDC_TITLE), kUnicodeTitle));
    Fill(IDC_OUTPUT, DiscFolder().string());
    Type(IDC_PASSWORD, kUnicodePassword);
    Type(IDC_CONFIRM, kUnicodePassword);
    ASSERT_TRUE(PressButton(window_, IDC_BUILD));
    HWND summary = WaitForBuilderDialog("Disc built", 60s);
    ASSERT_TRUE(summary) << "no summary; message: " << AnswerBuilder(0ms).text;
    // The viewer takes the password as typed on another system (decomposed).
    ASSERT_NO_FATAL_FAILURE(OpenDiscFromSummary(summary, kDecomposedPassword));
    for (const std::wstring& name : {kUnicodeTitle, std::wstring(L"\u041E\u0442\u0447\u0451\u0442\u044B"),
                                     std::wstring(L"\u65E5\u672C\u8A9E")})
        EXPECT_TRUE(TreeHolds(tree_, name)) << ToUtf8(name);

    // The list of a folder shows its names as written.
    const std::string cyrillic = ToCp1252(L"\u041E\u0442\u0447\u0451\u0442\u044B");
    if (!Entry(cyrillic).shown) {
        ASSERT_TRUE(ExpandWithButton(ToCp1252(kUnicodeTitle)));
    }
    ASSERT_NO_FATAL_FAILURE(ClickTreeLabel(cyrillic));
    ASSERT_TRUE(WaitUntil(5s, [&] { return !ReadList(list_).empty(); }));
    EXPECT_EQ(ReadList(list_)[0].wideCells[0], L"\u0433\u043E\u0434.txt");
    ScreenshotOf(main_, "viewer-unicode-names");

    // View/Open hands its program a copy under the file's own name.
    const std::wstring viewed = L"\u043E\u0442\u0447\u0451\u0442 \U0001F600.e2eview";
    for (const ListRow& row : ReadList(list_))
        if (row.wideCells[0] == viewed)
            DoubleClickAt(ScreenCentre(list_, row.bounds));
    EXPECT_EQ(WaitForProbeCommandLines(probes, 1, 15s).size(), 1u) << "the double click started no program";
    auto viewedCopy = FileDifference(Content() / L"\u041E\u0442\u0447\u0451\u0442\u044B" / viewed,
                                     ViewerTempFolder() / viewed);
    EXPECT_FALSE(viewedCopy) << *viewedCopy;

    const fs::path target = NewFolder("target");
    ASSERT_TRUE(ExportTo(OpenTreeMenu(ToCp1252(kUnicodeTitle)), kFolderMenuExport, kFolderMenuEntries, target));
    EXPECT_EQ(AnswerMessage(60s).caption, "Finished:");
    std::set<std::string> shape;
    for (const std::string& entry : TreeShape(Content()))
        shape.insert(ToUtf8(kUnicodeTitle) + "/" + entry);
    shape.insert(ToUtf8(kUnicodeTitle) + "/");
    EXPECT_EQ(TreeShape(target), shape);
    for (const auto& [path, size] : kUnicodeFiles) {
        const fs::path copy = target / kUnicodeTitle / path;
        auto difference = FileDifference(Content() / path, copy);
        EXPECT_FALSE(difference) << ToUtf8(path) << ": " << *difference;
        std::error_code error;
        auto seconds = [](fs::file_time_type t) {
            return std::chrono::duration_cast<std::chrono::seconds>(t.time_since_epoch()).count();
        };
        EXPECT_EQ(seconds(when), seconds(fs::last_write_time(copy, error))) << ToUtf8(path);
    }
}

}  // namespace
}  // namespace e2e
