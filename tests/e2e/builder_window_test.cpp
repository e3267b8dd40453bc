// Arcseal3.exe as an author uses it: started from its shortcut (no
// arguments), its fields filled through its controls, Build, the summary and
// "Open disc", the disc opened in the viewer with its password and exported
// byte for byte; a Cancel midway; the message for each bad input, on its
// field, before anything is written; the project file and the last project
// reopened on start; F1; and the command line that does what mkdisc does.
#include "builder_fixture.h"

namespace e2e {
namespace {

TEST_F(BuilderTest, BuildsADiscThatOpensWithItsPasswordAndExportsByteForByte)
{
    ASSERT_NO_THROW(WriteVariedContent(Content(), kFolders, kFiles));
    ASSERT_NO_FATAL_FAILURE(StartBuilder());
    EXPECT_EQ(TextOf(window_), kCaption);

    // The source folder through Browse and the shell's chooser; the title
    // follows it until the author types his own.
    PostCommand(window_, IDC_SOURCE_BROWSE);
    HWND chooser = WaitForFolderChooser(builder_->Id());
    ASSERT_TRUE(chooser) << "Browse opened no folder chooser";
    std::string why;
    ASSERT_TRUE(ChooseFolder(chooser, Content(), &why)) << why;
    ASSERT_TRUE(WaitUntil(5s, [&] { return Read(IDC_SOURCE) == Content().string(); })) << Read(IDC_SOURCE);
    EXPECT_EQ(Read(IDC_TITLE), "content");
    Fill(IDC_TITLE, kTitle);
    Fill(IDC_OUTPUT, DiscFolder().string());
    Type(IDC_PASSWORD, kPassword);
    Type(IDC_CONFIRM, kPassword);
    // The default with a password: the viewer opens the strong disc with it.
    EXPECT_EQ(Read(IDC_PROTECTION), "strong");
    Fill(IDC_BACKGROUND, (DataDir() / "e2e-back.jpg").string());
    Fill(IDC_SPLASH_TEXT, "Harbour Trust\r\nAnnual report 2004");
    Fill(IDC_TEXT_COLOUR, "#FFE080");
    ScreenshotOf(window_, "builder-window");

    ASSERT_TRUE(PressButton(window_, IDC_BUILD));
    HWND summary = WaitForBuilderDialog("Disc built", 60s);
    ASSERT_TRUE(summary) << "no summary; message: " << AnswerBuilder(0ms).text;
    EXPECT_EQ(TextOf(GetDlgItem(summary, IDC_SUMMARY_TEXT)),
              "The disc is built in " + DiscFolder().string() + ".\r\n\r\n" +
                  "5 files in 3 folders, 1,051,774 bytes\r\n1 data file beside the viewer discview.exe");
    ScreenshotOf(summary, "builder-summary");
    EXPECT_EQ(EntriesIn(DiscFolder()), (std::set<std::string>{"discview.exe", "disc0001.dat", "autorun.inf",
                                                               "Open in browser.html", "browser-reader"}));

    // "Open disc" starts the disc's viewer, which asks for the password.
    ASSERT_NO_FATAL_FAILURE(OpenDiscFromSummary(summary, kPassword));

    const fs::path target = NewFolder("target");
    ASSERT_TRUE(ExportTo(OpenTreeMenu(kTitle), kFolderMenuExport, kFolderMenuEntries, target));
    MessageBoxInfo done = AnswerMessage(60s);
    EXPECT_EQ(done.caption, "Finished:");
    std::set<std::string> shape = {kTitle + "/"};
    for (const std::string& entry : TreeShape(Content()))
        shape.insert(kTitle + "/" + entry);
    EXPECT_EQ(TreeShape(target), shape);
    for (const DiscFile& file : kFiles) {
        auto difference = FileDifference(Source(file.path), target / kTitle / FromCp1252(file.path));
        EXPECT_FALSE(difference) << file.path << ": " << *difference;
    }
}

TEST_F(BuilderTest, CancelMidwayLeavesTheOutputFolderAsItWas)
{
    // An earlier disc in the output folder, and a new source that takes long
    // to write: a 1 GiB file that costs no disk space (sparse).
    MakeSampleContent(Content());
    BuiltDisc earlier = BuildDisc(Content(), DiscFolder(), {});
    ASSERT_TRUE(earlier.ok) << earlier.output;
    const auto before = Snapshot(DiscFolder());
    const fs::path large = NewFolder("large");
    {
        HANDLE file = CreateFileW((large / "huge.bin").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        LARGE_INTEGER size{};
        size.QuadPart = 1ll << 30;
        EXPECT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file));
        CloseHandle(file);
    }

    ASSERT_NO_FATAL_FAILURE(StartBuilder());
    Fill(IDC_SOURCE, large.string());
    Fill(IDC_OUTPUT, DiscFolder().string());
    ASSERT_TRUE(PressButton(window_, IDC_BUILD));
    HWND progress = WaitForBuilderDialog("Building the disc");
    ASSERT_TRUE(progress) << "no progress window";
    HWND bytes = GetDlgItem(progress, IDC_PROGRESS_BYTES);
    ASSERT_TRUE(WaitUntil(30s, [&] {
        std::string text = TextOf(bytes);
        return !text.empty() && text.rfind("0 of", 0) != 0;
    })) << "the bytes never moved: " << TextOf(bytes);
    EXPECT_EQ(TextOf(GetDlgItem(progress, IDC_PROGRESS_FILES)), "0 of 1 file");
    // The dialog paints and answers while the bytes go by.
    DWORD_PTR ignored = 0;
    EXPECT_TRUE(SendMessageTimeoutA(progress, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored));
    Screenshot("builder-progress");
    ASSERT_TRUE(PressButton(progress, IDCANCEL));

    MessageBoxInfo cancelled = AnswerBuilder(30s);
    EXPECT_EQ(cancelled.caption, kCaption);
    EXPECT_EQ(cancelled.text, "The build was cancelled. The output folder is as it was before.");
    EXPECT_FALSE(IsWindow(progress));
    EXPECT_EQ(Snapshot(DiscFolder()), before);
}

// Each bad input gets its message naming the field, the field gets the focus,
// and nothing is written: not even the output folder is made.
TEST_F(BuilderTest, EveryBadInputIsNamedOnItsFieldBeforeAnythingIsWritten)
{
    MakeSampleContent(Content());
    const fs::path empty = NewFolder("empty");
    const fs::path art = NewFolder("art");
    WriteBytes(art / "photo.png", Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0});
    fs::copy_file(DataDir() / "e2e-back.jpg", art / "logo.bmp");
    const fs::path font = DataDir() / "ArcsealTestFont.ttf";
    const fs::path output = Scratch() / "disc";
    const std::string missing = (Scratch() / "no such folder").string();
    const std::string jpeg = (DataDir() / "e2e-back.jpg").string();

    struct Case {
        std::vector<std::pair<int, std::string>> fields;  // besides a sound source and output
        int badField;
        std::string message;
    };
    const Case cases[] = {
        {{{IDC_SOURCE, ""}}, IDC_SOURCE, "Source folder: choose the folder whose files go onto the disc."},
        {{{IDC_SOURCE, missing}}, IDC_SOURCE,
         "Source folder: \"" + missing + "\" does not exist or is not a folder."},
        {{{IDC_SOURCE, empty.string()}}, IDC_SOURCE,
         "Source folder: \"" + empty.string() + "\" is empty: there is nothing to put onto the disc."},
        {{{IDC_OUTPUT, (Content() / "disc").string()}}, IDC_OUTPUT,
         "Output folder: \"" + (Content() / "disc").string() +
             "\" lies inside the source folder; the disc would read its own output."},
        {{{IDC_PASSWORD, "one"}, {IDC_CONFIRM, "two"}}, IDC_CONFIRM,
         "Confirm password: the two passwords differ; type the same password in both fields."},
        {{{IDC_BACKGROUND, (art / "photo.png").string()}}, IDC_BACKGROUND,
         "Background image: \"" + (art / "photo.png").string() +
             "\": the PNG picture cannot be read ("},
        {{{IDC_LOGO, (art / "logo.bmp").string()}}, IDC_LOGO,
         "Logo image: \"" + (art / "logo.bmp").string() +
             "\": the viewer loads a file whose name ends in \"p\" as a BMP picture, and this is a JPEG "
             "picture; give it its proper extension."},
        {{{IDC_FONT_FILE, font.string()}}, IDC_FONT_FACE,
         "Font face: give the face name of the font in \"" + font.string() + "\", as Windows shows it."},
        {{{IDC_LICENCE, jpeg}}, IDC_LICENCE,
         "Licence text file: \"" + jpeg + "\" is not a text file the viewer can show: "},
    };

    ASSERT_NO_FATAL_FAILURE(StartBuilder());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        Fill(IDC_SOURCE, Content().string());
        Fill(IDC_OUTPUT, output.string());
        for (const auto& field : c.fields)
            Fill(field.first, field.second);
        ASSERT_TRUE(PressButton(window_, IDC_BUILD));
        auto box = WaitForMessageBox(builder_->Id());
        ASSERT_TRUE(box) << "no message";
        EXPECT_EQ(box->caption, kCaption);
        EXPECT_EQ(box->text.substr(0, c.message.size()), c.message);
        if (c.badField == IDC_CONFIRM)
            ScreenshotOf(box->window, "builder-message");
        ASSERT_TRUE(PressButton(box->window, IDOK) && WaitUntilGone(box->window, 5s));
        EXPECT_TRUE(WaitUntil(2s, [&] { return Focused() == Control(c.badField); }))
            << "the focus is not on the field " << c.badField;
        EXPECT_FALSE(WaitForBuilderDialog("Building the disc", 0ms));
        for (const auto& field : c.fields)
            Fill(field.first, "");
        // A typed password ticked Password; only unticking it chooses none.
        if (Ticked(IDC_USE_PASSWORD)) {
            ASSERT_TRUE(PressButton(window_, IDC_USE_PASSWORD));
            ASSERT_TRUE(WaitUntil(2s, [&] { return !Ticked(IDC_USE_PASSWORD); }));
        }
    }
    EXPECT_FALSE(fs::exists(output));
    EXPECT_EQ(EntriesIn(Content()), (std::set<std::string>{"readme.txt", "notes.txt", "Letters"}));
}

// Save As starts in the reader's Documents, never in the program's own
// folder; after a choice, the next dialog starts where that one ended. A bare
// name typed into it shows where the dialog stands.
TEST_F(BuilderTest, SaveAsStartsInDocumentsThenInTheLastFolderUsed)
{
    wchar_t documentsText[MAX_PATH] = L"";
    ASSERT_EQ(S_OK, SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documentsText));
    const fs::path documents = documentsText;
    const fs::path projects = Scratch() / "Projects";
    fs::create_directories(projects);
    ASSERT_NO_FATAL_FAILURE(StartBuilder());
    auto saveAs = [&](const fs::path& typed, const fs::path& expected) {
        ASSERT_TRUE(PostCommand(window_, IDM_SAVE_AS));
        HWND save = WaitForSaveFileDialog(builder_->Id());
        ASSERT_TRUE(save) << "File > Save As opened no dialog";
        ASSERT_TRUE(OpenFileInDialog(save, typed));
        EXPECT_TRUE(WaitUntil(5s, [&] { return fs::exists(expected); })) << expected;
    };
    saveAs("first", documents / "first.a3p");
    saveAs(projects / "second", projects / "second.a3p");
    saveAs("third", projects / "third.a3p");
    std::error_code ignored;
    fs::remove(documents / "first.a3p", ignored);
}

TEST_F(BuilderTest, ProjectIsSavedAsTextAndReopensOnTheNextStart)
{
    MakeSampleContent(Content());
    const fs::path project = Scratch() / "harbour.a3p";
    ASSERT_NO_FATAL_FAILURE(StartBuilder());
    Fill(IDC_SOURCE, Content().string());
    Fill(IDC_OUTPUT, DiscFolder().string());
    Fill(IDC_TITLE, kTitle);
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_PROTECTION))) << "no password, nothing to protect";
    EXPECT_EQ(Read(IDC_PROTECTION), "strong");
    Fill(IDC_PASSWORD, "kept out");
    EXPECT_TRUE(IsWindowEnabled(Control(IDC_PROTECTION)));
    SendMessageW(Control(IDC_PROTECTION), CB_SETCURSEL, 1, 0);
    Fill(IDC_SPLASH_TEXT, "Two\r\nlines");
    ClickCentre(Control(IDC_NO_EXPORT));
    ASSERT_TRUE(WaitUntil(2s, [&] { return Ticked(IDC_NO_EXPORT); }));

    ASSERT_TRUE(PostCommand(window_, IDM_SAVE_AS));
    HWND save = WaitForSaveFileDialog(builder_->Id());
    ASSERT_TRUE(save) << "File > Save As opened no dialog";
    ASSERT_TRUE(OpenFileInDialog(save, Scratch() / "harbour"));
    ASSERT_TRUE(WaitUntil(5s, [&] { return TextOf(window_) == kCaption + " - harbour.a3p"; })) << TextOf(window_);
    std::ifstream in(project, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("[Content]\r\nSourceFolder=" + Content().string() + "\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("SplashText=Two\\nlines\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("NoExport=1\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[Protection]\r\nHasPassword=1\r\nProtection=scrambled\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("kept out"), std::string::npos) << "the password is in the project file";
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, kProductKey, kLastProject), project.string());

    // Saved: closing asks nothing. The next start shows the project again.
    PostMessageA(window_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(builder_->WaitForExit(10s));
    EXPECT_EQ(builder_->ExitCode(), 0u);
    ASSERT_NO_FATAL_FAILURE(StartBuilder());
    ASSERT_TRUE(WaitUntil(5s, [&] { return TextOf(window_) == kCaption + " - harbour.a3p"; })) << TextOf(window_);
    EXPECT_EQ(Read(IDC_SOURCE), Content().string());
    EXPECT_EQ(Read(IDC_OUTPUT), DiscFolder().string());
    EXPECT_EQ(Read(IDC_TITLE), kTitle);
    EXPECT_EQ(Read(IDC_PASSWORD), "");
    EXPECT_TRUE(Ticked(IDC_USE_PASSWORD)) << "the disc has a password all the same";
    EXPECT_TRUE(IsWindowVisible(Control(IDC_PASSWORD_NOTE)));
    EXPECT_EQ(Read(IDC_PROTECTION), "scrambled");
    EXPECT_EQ(Read(IDC_SPLASH_TEXT), "Two\r\nlines");
    EXPECT_TRUE(Ticked(IDC_NO_EXPORT));
    EXPECT_FALSE(Ticked(IDC_CLEAR_RECENT));

    // F1 opens the installed help; here, beside the build, there is none.
    ClickCentre(Control(IDC_TITLE));
    PressKey(VK_F1);
    MessageBoxInfo help = AnswerBuilder();
    EXPECT_TRUE(MessageBoxesOf(builder_->Id()).empty()) << "F1 opened the page twice";
    EXPECT_EQ(help.text, "The help page \"" + (ProgramDir() / "Help" / "mkdisc-command.htm").string() +
                             "\" is not there. Install Arcseal 3 again to get the help pages back.");

    // A change not saved yet: leaving asks, and No leaves the file as it was.
    Fill(IDC_TITLE, "Another title");
    PostMessageA(window_, WM_CLOSE, 0, 0);
    MessageBoxInfo question = AnswerBuilder(kWindowTimeout, IDNO);
    EXPECT_EQ(question.text, "Save the changes to \"" + project.string() + "\"?");
    ASSERT_TRUE(builder_->WaitForExit(10s));
    std::ifstream again(project, std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>()), text);
}

// A source tree far deeper than MAX_PATH (made here through \\?\ paths, as
// the C runtime cuts longer ones short) builds from the window with every
// file, and nothing from any other folder.
TEST_F(BuilderTest, ASourceTreeDeeperThanMaxPathBuildsWithEveryFile)
{
    const fs::path source = NewFolder("deep");
    std::wstring path = L"\\\\?\\" + source.wstring();
    for (int level = 1; level <= 7; ++level) {
        path += L"\\Level " + std::to_wstring(level) + L" " + std::wstring(70, L'x');
        // A run before may have left it: the scratch folder's clean-up cannot reach that deep.
        ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS) << level;
    }
    ASSERT_GT(path.size(), 550u);
    for (const std::wstring& file : {source.wstring() + L"\\top.txt", path.substr(4) + L"\\deep.txt"}) {
        HANDLE handle = CreateFileW((L"\\\\?\\" + file).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        EXPECT_TRUE(WriteFile(handle, "deep", 4, &written, nullptr));
        CloseHandle(handle);
    }

    ASSERT_NO_FATAL_FAILURE(StartBuilder());
    Fill(IDC_SOURCE, source.string());
    Fill(IDC_OUTPUT, DiscFolder().string());
    ASSERT_TRUE(PressButton(window_, IDC_BUILD));
    HWND summary = WaitForBuilderDialog("Disc built", 60s);
    ASSERT_TRUE(summary) << "no summary; message: " << AnswerBuilder(0ms).text;
    std::string text = TextOf(GetDlgItem(summary, IDC_SUMMARY_TEXT));
    EXPECT_NE(text.find("2 files in 7 folders, 8 bytes"), std::string::npos) << text;

    // mkdisc.exe gives the deep file back under its whole path.
    const fs::path target = NewFolder("extracted");
    Process extract(MkdiscExe(), L"--extract \"" + DiscFolder().wstring() + L"\" --to \"" + target.wstring() + L"\"",
                    Scratch(), Scratch() / "extract.txt");
    ASSERT_TRUE(extract.WaitForExit(60s));
    EXPECT_EQ(extract.ExitCode(), 0u) << ReadText(Scratch() / "extract.txt");
    std::wstring deep = L"\\\\?\\" + (target / "deep").wstring() + path.substr(4 + source.wstring().size());
    EXPECT_NE(GetFileAttributesW((deep + L"\\deep.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

// With arguments it is mkdisc, under its own name, with no window.
TEST_F(BuilderTest, CommandLineDoesWhatMkdiscDoes)
{
    MakeSampleContent(Content());
    const fs::path log = Scratch() / "output.txt";
    Process built(BuilderExe(), L"--password abc \"" + Content().wstring() + L"\" \"" + DiscFolder().wstring() + L"\"",
                  Scratch(), log);
    ASSERT_TRUE(built.WaitForExit(30s));
    EXPECT_EQ(built.ExitCode(), 0u);
    EXPECT_EQ(EntriesIn(DiscFolder()), (std::set<std::string>{"discview.exe", "disc0001.dat", "autorun.inf",
                                                               "Open in browser.html", "browser-reader"}));

    Process refused(BuilderExe(), L"--frobnicate a b", Scratch(), log);
    ASSERT_TRUE(refused.WaitForExit(30s));
    EXPECT_EQ(refused.ExitCode(), 2u);
    std::ifstream in(log, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "Arcseal3: unknown option --frobnicate\nTry 'Arcseal3 --help' for the options.\n");
}

}  // namespace
}  // namespace e2e
