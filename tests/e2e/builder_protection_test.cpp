// The builder never gives an author a weaker disc than asked for: a reopened
// project's password is typed again, a more strongly protected disc is never
// replaced unasked, nor is a disc written among the author's own files, and
// every name a disc cannot hold is named in one message.
#include "builder_fixture.h"
#include "layout_bytes.h"

namespace e2e {
namespace {

// mkdisc --verify of a disc folder, without a password: 2 when the disc has one.
unsigned VerifyWithoutPassword(const fs::path& disc, const fs::path& log)
{
    Process verify(MkdiscExe(), L"--verify \"" + disc.wstring() + L"\"", disc.parent_path(), log);
    return verify.WaitForExit(60s) ? verify.ExitCode().value_or(99) : 99;
}

// A saved project reopened: its password is typed again before a build, a
// disc is never replaced by a less protected one nor written among the
// author's own files unasked, and every name a disc cannot hold is named.
TEST_F(BuilderTest, AReopenedProjectNeverBuildsALessProtectedDiscUnasked)
{
    MakeSampleContent(Content());
    BuiltDisc earlier = BuildDisc(Content(), DiscFolder(), {L"--password", kPassword});
    ASSERT_TRUE(earlier.ok) << earlier.output;
    const fs::path project = Scratch() / "guarded.a3p";
    WriteText(project, "[Content]\r\nSourceFolder=" + Content().string() + "\r\nOutputFolder=" +
                           DiscFolder().string() + "\r\n[Protection]\r\nHasPassword=1\r\nProtection=strong\r\n");
    ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kProductKey.c_str(), kLastProject.c_str(), REG_SZ,
                              project.string().c_str(), (DWORD)project.string().size() + 1),
              ERROR_SUCCESS);
    const fs::path bad = NewFolder("bad names");
    for (const wchar_t* name : {L"\u041e\u0442\u0447\u0451\u0442 one", L"\u0141\u00f3d\u017a two.txt",
                                L"\u5831\u544a three.txt", L"\u03b1 four.txt", L"\u0130stanbul five.txt"})
        WriteText(bad / name, "x");
    WriteText(bad / "fine.txt", "x");

    ASSERT_NO_FATAL_FAILURE(StartBuilder());
    ASSERT_TRUE(WaitUntil(5s, [&] { return TextOf(window_) == kCaption + " - guarded.a3p"; })) << TextOf(window_);
    EXPECT_TRUE(Ticked(IDC_USE_PASSWORD));
    EXPECT_TRUE(IsWindowVisible(Control(IDC_PASSWORD_NOTE)));
    EXPECT_EQ(Read(IDC_PASSWORD_NOTE), "Type it again.");
    ScreenshotOf(window_, "builder-password-again");
    ASSERT_TRUE(PressButton(window_, IDC_BUILD));
    EXPECT_EQ(AnswerBuilder().text,
              "Password: this disc has a password, and the project file does not keep passwords. Type it in both "
              "fields, or untick Password to build a disc that anyone can open.");
    EXPECT_TRUE(WaitUntil(2s, [&] { return Focused() == Control(IDC_PASSWORD); }));

    // Typed again, it builds the strong disc the project stands for.
    Type(IDC_PASSWORD, kPassword);
    Type(IDC_CONFIRM, kPassword);
    EXPECT_TRUE(WaitUntil(2s, [&] { return !IsWindowVisible(Control(IDC_PASSWORD_NOTE)); }));
    ASSERT_TRUE(PressButton(window_, IDC_BUILD));
    HWND summary = WaitForBuilderDialog("Disc built", 60s);
    ASSERT_TRUE(summary) << "no summary; message: " << AnswerBuilder(0ms).text;
    ASSERT_TRUE(PressButton(summary, IDOK) && WaitUntilGone(summary, 5s));
    EXPECT_EQ(TrailerValue(ReadBytes(DiscFolder() / "discview.exe"), kItemCount), 0u) << "not a strong disc";

    // "No password" is chosen by unticking; replacing the strong disc asks,
    // and so does a folder that holds the author's own file.
    const auto strong = Snapshot(DiscFolder());
    WriteText(DiscFolder() / "my notes.txt", "the author's");
    ASSERT_TRUE(PressButton(window_, IDC_USE_PASSWORD));
    ASSERT_TRUE(WaitUntil(2s, [&] { return !Ticked(IDC_USE_PASSWORD) && Read(IDC_PASSWORD).empty(); }));
    EXPECT_FALSE(IsWindowEnabled(Control(IDC_PROTECTION)));
    ASSERT_TRUE(PressButton(window_, IDC_BUILD));
    EXPECT_EQ(AnswerBuilder(kWindowTimeout, IDNO).text,
              "The output folder \"" + DiscFolder().string() + "\" already holds other files (my notes.txt); they "
              "would be written to the disc too.\r\n\r\nBuild the disc in this folder all the same?");
    ASSERT_TRUE(PressButton(window_, IDC_BUILD));
    AnswerBuilder(kWindowTimeout, IDYES);
    EXPECT_EQ(AnswerBuilder(kWindowTimeout, IDNO).text,
              "The disc in \"" + DiscFolder().string() + "\" has strong protection (AES-256) and a password; the "
              "new one, which replaces it, has no password.\r\n\r\nBuild the new disc all the same?");
    fs::remove(DiscFolder() / "my notes.txt");
    EXPECT_EQ(Snapshot(DiscFolder()), strong) << "a No changed the disc";
    ASSERT_TRUE(PressButton(window_, IDC_BUILD));
    AnswerBuilder(kWindowTimeout, IDYES);
    summary = WaitForBuilderDialog("Disc built", 60s);
    ASSERT_TRUE(summary) << "no summary; message: " << AnswerBuilder(0ms).text;
    ASSERT_TRUE(PressButton(summary, IDOK) && WaitUntilGone(summary, 5s));
    EXPECT_EQ(VerifyWithoutPassword(DiscFolder(), Scratch() / "verify.txt"), 0u) << "the disc still has a password";

    // Five names a scrambled disc cannot hold, in one message.
    Fill(IDC_SOURCE, bad.string());
    ASSERT_TRUE(PressButton(window_, IDC_BUILD));
    std::string names = AnswerBuilder(60s).text;
    EXPECT_EQ(names.rfind("The disc was not built: cannot store 5 names:\n", 0), 0u) << names;
    // The message box is read as ANSI text: the letters beyond it read as '?'.
    for (const char* name : {" one", " two.txt", " three.txt", " four.txt", "stanbul five.txt"})
        EXPECT_NE(names.find(name), std::string::npos) << name << " is not named: " << names;
}

}  // namespace
}  // namespace e2e
