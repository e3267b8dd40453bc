// Setup's licence agreement and the uninstaller's question at 200 % (Wine's
// LogPixels 192) against 100 %: the question comes out about twice as large;
// the agreement grows with its dialog font (a raster face, which has no size
// of exactly twice) and its bold text with it, every line whole in the box.
#include <chrono>
#include <thread>

#include "screen_dpi.h"
#include "uninstall_test_support.h"

namespace e2e {
namespace {

using namespace std::chrono_literals;

SIZE SizeOf(HWND window)
{
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// About twice: the dialog units follow the font, whose hinting differs per size.
void ExpectAboutTwice(SIZE at100, SIZE at200, const char* what)
{
    EXPECT_GE(at200.cx * 10, at100.cx * 17) << what << " width " << at100.cx << " -> " << at200.cx;
    EXPECT_LE(at200.cx * 10, at100.cx * 23) << what << " width " << at100.cx << " -> " << at200.cx;
    EXPECT_GE(at200.cy * 10, at100.cy * 17) << what << " height " << at100.cy << " -> " << at200.cy;
    EXPECT_LE(at200.cy * 10, at100.cy * 23) << what << " height " << at100.cy << " -> " << at200.cy;
}

class HighDpiBoxesTest : public UninstallTest {
protected:
    struct Agreement {
        SIZE dialog{};
        int lineHeight = 0;  // of the agreement's text, in the edit box
        int linesCut = 0;    // lines that run past the box's right edge
    };

    // EM_POSFROMCHAR answers in a plain LRESULT, so another process can ask.
    static POINT CharacterAt(HWND edit, LRESULT index)
    {
        LRESULT at = SendMessageA(edit, EM_POSFROMCHAR, (WPARAM)index, 0);
        return {(short)LOWORD(at), (short)HIWORD(at)};
    }

    static int LinesCut(HWND edit, int lineHeight)
    {
        RECT client{};
        GetClientRect(edit, &client);
        const int lines = (int)SendMessageA(edit, EM_GETLINECOUNT, 0, 0);
        int cut = 0;
        for (int line = 0; line < lines; ++line) {
            LRESULT start = SendMessageA(edit, EM_LINEINDEX, (WPARAM)line, 0);
            LRESULT length = SendMessageA(edit, EM_LINELENGTH, (WPARAM)start, 0);
            // The last character's left edge, and room for it.
            if (length > 0 && CharacterAt(edit, start + length - 1).x + lineHeight / 2 > client.right)
                ++cut;
        }
        return cut;
    }

    // Starts setup, measures its agreement, screenshots it and cancels.
    Agreement MeasureAgreement(const std::string& screenshot)
    {
        Process& setup = Start(SetupExe());
        HWND agreement = WaitForDialog(setup, kAgreementCaption);
        if (!agreement)
            return {};
        HWND text = GetDlgItem(agreement, IDC_AGREEMENT_TEXT);
        Agreement measured;
        measured.dialog = SizeOf(agreement);
        measured.lineHeight = CharacterAt(text, SendMessageA(text, EM_LINEINDEX, 1, 0)).y - CharacterAt(text, 0).y;
        measured.linesCut = LinesCut(text, measured.lineHeight);
        std::this_thread::sleep_for(300ms);
        Screenshot(screenshot);
        PostMessageA(agreement, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(setup.WaitForExit(10s)) << "setup did not end after Cancel";
        return measured;
    }

    // Starts the uninstaller, measures its question, screenshots it and answers No.
    SIZE MeasureQuestion(const std::string& screenshot)
    {
        Process* uninstaller = Asking(Start(UninstallerExe()));
        if (!uninstaller)
            return {};
        auto question = WaitForBox(*uninstaller);
        if (!question)
            return {};
        EXPECT_EQ(question->text, kConfirmText);
        SIZE size = SizeOf(question->window);
        std::this_thread::sleep_for(300ms);
        Screenshot(screenshot);
        EXPECT_TRUE(PressButton(question->window, IDNO));
        EXPECT_TRUE(WaitUntilGone(question->window));
        return size;
    }
};

TEST_F(HighDpiBoxesTest, SetupsAgreementAndTheUninstallersQuestionAt200Percent)
{
    const Agreement agreement100 = MeasureAgreement("setup-agreement-100");
    const SIZE question100 = MeasureQuestion("uninstall-question-100");
    ASSERT_GT(agreement100.lineHeight, 10);
    ASSERT_GT(question100.cx, 0);

    ScreenDpi screen(192);
    ASSERT_TRUE(screen.Applied());
    const Agreement agreement200 = MeasureAgreement("setup-agreement-200");
    const SIZE question200 = MeasureQuestion("uninstall-question-200");
    EXPECT_EQ(agreement100.linesCut, 0);
    EXPECT_EQ(agreement200.linesCut, 0);
    // The text grows as the dialog does (to a pixel of rounding a line).
    EXPECT_GE(agreement200.dialog.cy * 10, agreement100.dialog.cy * 14) << "the agreement did not grow";
    const double dialogGrowth = double(agreement200.dialog.cy) / agreement100.dialog.cy;
    const double textGrowth = double(agreement200.lineHeight) / agreement100.lineHeight;
    EXPECT_NEAR(textGrowth, dialogGrowth, 0.15) << agreement100.lineHeight << " -> " << agreement200.lineHeight;
    ExpectAboutTwice(question100, question200, "question");
}

}  // namespace
}  // namespace e2e
