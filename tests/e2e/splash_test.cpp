// The splash screen of the real viewer, on discs built by the real mkdisc:
// while the password or licence dialog is up the splash stays on screen, so
// the screen is read then and its pixels compared with where the splash puts
// the background copies, the logo and the text block. And the start-up flow:
// password, then licence; Decline and Cancel end the viewer; without dialogs
// the splash ends by itself.
#include <windows.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "files.h"
#include "input.h"
#include "layout_bytes.h"
#include "paths.h"
#include "registry.h"
#include "screen_dpi.h"
#include "viewer_test.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string kSplashClass = SPLASH_WINDOW_CLASS;
const std::string kLicenceCaption = "End User Licence Agreement";
const int kLicenceText = IDC_EULA_TEXT;

// Colours as the screen shows them.
const COLORREF kBack = RGB(0x20, 0x30, 0x40);
const COLORREF kGreen = RGB(0, 160, 0);
const COLORREF kYellow = RGB(255, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kWhite = RGB(255, 255, 255);

std::string Hex(COLORREF c)
{
    char text[16];
    snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

// ---- pictures written by the test ----

// A 24-bit BMP file whose pixels come from a function of (x, y).
void WriteBmp(const fs::path& path, int width, int height, const std::function<COLORREF(int, int)>& pixel)
{
    const int rowBytes = (width * 3 + 3) & ~3;
    const uint32_t imageBytes = (uint32_t)(rowBytes * height);
    Bytes bytes(54 + imageBytes, 0);
    auto put16 = [&](size_t at, uint16_t v) { bytes[at] = v & 0xFF; bytes[at + 1] = v >> 8; };
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = (v >> (8 * i)) & 0xFF;
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, (uint32_t)bytes.size());
    put32(10, 54);
    put32(14, 40);
    put32(18, (uint32_t)width);
    put32(22, (uint32_t)height);  // bottom-up
    put16(26, 1);
    put16(28, 24);
    put32(34, imageBytes);
    put32(38, 2835);
    put32(42, 2835);
    for (int y = 0; y < height; ++y) {
        size_t row = 54 + (size_t)(height - 1 - y) * rowBytes;
        for (int x = 0; x < width; ++x) {
            COLORREF c = pixel(x, y);
            bytes[row + 3 * x] = GetBValue(c);
            bytes[row + 3 * x + 1] = GetGValue(c);
            bytes[row + 3 * x + 2] = GetRValue(c);
        }
    }
    WriteBytes(path, bytes);
}

// The background: 200 x 150 green, a yellow 20 x 20 block at the top left and
// a blue one at the bottom right, so that every copy and its orientation show.
const int kBackWidth = 200, kBackHeight = 150;
COLORREF BackgroundPixel(int x, int y)
{
    if (x < 20 && y < 20)
        return kYellow;
    if (x >= kBackWidth - 20 && y >= kBackHeight - 20)
        return kBlue;
    return kGreen;
}

// The logo: 120 x 60, its left half magenta (the key colour), its right half red.
const int kLogoWidth = 120, kLogoHeight = 60;
COLORREF LogoPixel(int x, int)
{
    return x < kLogoWidth / 2 ? kMagenta : kRed;
}

// ---- the screen ----

// The whole screen read into memory.
struct ScreenPixels {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;

    ScreenPixels()
    {
        width = GetSystemMetrics(SM_CXSCREEN);
        height = GetSystemMetrics(SM_CYSCREEN);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY | CAPTUREBLT);
        GdiFlush();
        pixels.assign((DWORD*)bits, (DWORD*)bits + (size_t)width * height);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }

    COLORREF At(int x, int y) const
    {
        DWORD p = pixels[(size_t)y * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
};

struct Rect {
    int left, top, right, bottom;  // right and bottom exclusive
    bool Holds(int x, int y, int margin = 0) const
    {
        return x >= left - margin && x < right + margin && y >= top - margin && y < bottom + margin;
    }
};

Rect WindowRectOf(HWND window)
{
    RECT r = {};
    GetWindowRect(window, &r);
    return {r.left, r.top, r.right, r.bottom};
}

int ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

// Moves a dialog to the right-hand edge, two thirds down, where no tested
// copy, logo or text lies, and gives the splash time to repaint what it uncovered.
void MoveAside(HWND dialog)
{
    Rect r = WindowRectOf(dialog);
    SetWindowPos(dialog, nullptr, ScreenWidth() - (r.right - r.left), ScreenHeight() * 2 / 3, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    std::this_thread::sleep_for(700ms);
}

// Where one copy of an image lies on the screen and what size its source has.
struct Copy {
    Rect at;
    int sourceWidth, sourceHeight;
};

// The colour the screen must show at (x, y): the last copy holding the point
// decides; none, the background colour. Points within 2 pixels of an edge of a
// stretched copy or of one of its blocks are not judged (nothing decides).
std::optional<COLORREF> Expected(const std::vector<Copy>& copies, int x, int y, COLORREF back,
                                 COLORREF (*pixel)(int, int))
{
    for (auto c = copies.rbegin(); c != copies.rend(); ++c) {
        if (!c->at.Holds(x, y))
            continue;
        int w = c->at.right - c->at.left, h = c->at.bottom - c->at.top;
        double sx = (x - c->at.left + 0.5) * c->sourceWidth / w;
        double sy = (y - c->at.top + 0.5) * c->sourceHeight / h;
        double scaleX = (double)w / c->sourceWidth, scaleY = (double)h / c->sourceHeight;
        bool stretched = w != c->sourceWidth || h != c->sourceHeight;
        if (stretched) {
            if (!c->at.Holds(x, y, -2))
                return std::nullopt;
            // Near a block edge of the source (every 10 source pixels): undecided.
            for (double edge = 0; edge <= c->sourceWidth; edge += 10)
                if (std::abs(sx - edge) * scaleX < 2.5)
                    return std::nullopt;
            for (double edge = 0; edge <= c->sourceHeight; edge += 10)
                if (std::abs(sy - edge) * scaleY < 2.5)
                    return std::nullopt;
        }
        return pixel((int)sx, (int)sy);
    }
    return back;
}

// Compares the screen with the expected picture on a grid, outside the
// rectangles left out; reports the first few differences.
::testing::AssertionResult ScreenMatches(const ScreenPixels& screen, const std::vector<Rect>& leftOut,
                                         const std::function<std::optional<COLORREF>(int, int)>& expected,
                                         int step = 5)
{
    int judged = 0, wrong = 0;
    std::string report;
    for (int y = 0; y < screen.height; y += step) {
        for (int x = 0; x < screen.width; x += step) {
            bool skip = false;
            for (const Rect& r : leftOut)
                skip = skip || r.Holds(x, y, 4);
            if (skip)
                continue;
            auto want = expected(x, y);
            if (!want)
                continue;
            ++judged;
            COLORREF got = screen.At(x, y);
            if (got != *want && wrong++ < 8)
                report += "\n  (" + std::to_string(x) + ", " + std::to_string(y) + ") is " + Hex(got) +
                          ", expected " + Hex(*want);
        }
    }
    if (judged < 1000)
        return ::testing::AssertionFailure() << "only " << judged << " points could be judged";
    if (wrong)
        return ::testing::AssertionFailure() << wrong << " of " << judged << " points differ:" << report;
    return ::testing::AssertionSuccess() << judged << " points match";
}

// The visible splash window of a process, or null.
HWND SplashOf(const Process& viewer)
{
    return WaitForWindow(viewer.Id(), kSplashClass, std::nullopt, 0ms);
}

class SplashTest : public ViewerTest {
protected:
    fs::path BackgroundBmp()
    {
        fs::path path = Scratch() / "pictures" / "tiles.bmp";
        if (!fs::exists(path)) {
            fs::create_directories(path.parent_path());
            WriteBmp(path, kBackWidth, kBackHeight, BackgroundPixel);
        }
        return path;
    }
    fs::path LogoBmp()
    {
        fs::path path = Scratch() / "pictures" / "logo.bmp";
        if (!fs::exists(path)) {
            fs::create_directories(path.parent_path());
            WriteBmp(path, kLogoWidth, kLogoHeight, LogoPixel);
        }
        return path;
    }
    fs::path TextFile(const std::string& text)
    {
        fs::path path = Scratch() / "splash-text.txt";
        WriteText(path, text);
        return path;
    }

    // Builds the disc, starts its viewer and waits for the password dialog
    // (every disc here has one, so that the splash stays up).
    HWND StartWithPassword(std::vector<std::wstring> options)
    {
        options.push_back(L"--password");
        options.push_back(L"pw");
        BuiltDisc disc = BuildSampleDisc("disc", options);
        EXPECT_TRUE(disc.ok) << disc.output;
        if (!disc.ok)
            return nullptr;
        viewer_ = &StartViewer(disc.viewer);
        HWND dialog = WaitForPasswordDialog(*viewer_);
        if (dialog) {
            EXPECT_TRUE(SplashOf(*viewer_)) << "no splash under the password dialog";
        }
        return dialog;
    }

    // Cancels the password dialog: the viewer must end without a word.
    void CancelAndExpectTheEnd(HWND dialog)
    {
        ASSERT_TRUE(PressButton(dialog, IDCANCEL));
        EXPECT_TRUE(EndsQuietly(*viewer_));
    }

    HWND WaitForLicence(std::chrono::milliseconds timeout = kWindowTimeout)
    {
        return WaitForWindow(viewer_->Id(), kMessageBoxClass, kLicenceCaption, timeout);
    }

    Process* viewer_ = nullptr;
};

// ---- background modes ----

struct BackgroundCase {
    const char* mode;
    std::function<std::vector<Copy>(int W, int H)> copies;
};

Copy Natural(int x, int y) { return {{x, y, x + kBackWidth, y + kBackHeight}, kBackWidth, kBackHeight}; }

const BackgroundCase kBackgroundCases[] = {
    {"stretch", [](int W, int H) { return std::vector<Copy>{{{0, 0, W, H}, kBackWidth, kBackHeight}}; }},
    {"quarters",
     [](int W, int H) {
         std::vector<Copy> c;
         for (int x : {0, W / 2})
             for (int y : {0, H - H / 2})
                 c.push_back({{x, y, x + W / 2, y + H / 2}, kBackWidth, kBackHeight});
         return c;
     }},
    {"tile",
     [](int W, int H) {
         std::vector<Copy> c;
         for (int y = 0; y < H; y += kBackHeight)
             for (int x = 0; x < W; x += kBackWidth)
                 c.push_back(Natural(x, y));
         return c;
     }},
    {"top-left", [](int, int) { return std::vector<Copy>{Natural(0, 0)}; }},
    {"top-centre", [](int W, int) { return std::vector<Copy>{Natural(W / 2 - kBackWidth / 2, 0)}; }},
    {"bottom-centre",
     [](int W, int H) { return std::vector<Copy>{Natural(W / 2 - kBackWidth / 2, H - kBackHeight)}; }},
    {"bottom-left", [](int, int H) { return std::vector<Copy>{Natural(0, H - kBackHeight)}; }},
    {"centre",
     [](int W, int H) {
         return std::vector<Copy>{Natural(W / 2 - kBackWidth / 2, H / 2 - kBackHeight / 2)};
     }},
};

class SplashBackgroundTest : public SplashTest, public ::testing::WithParamInterface<BackgroundCase> {};

TEST_P(SplashBackgroundTest, ImageLiesWhereTheModePutsItAndNowhereElse)
{
    const BackgroundCase& c = GetParam();
    std::wstring mode(c.mode, c.mode + strlen(c.mode));
    HWND dialog = StartWithPassword({L"--background", BackgroundBmp().wstring(), L"--background-mode", mode,
                                     L"--back-color", L"#203040"});
    ASSERT_TRUE(dialog);
    MoveAside(dialog);
    ScreenPixels screen;
    Screenshot(std::string("splash-") + c.mode);
    std::vector<Copy> copies = c.copies(screen.width, screen.height);
    EXPECT_TRUE(ScreenMatches(screen, {WindowRectOf(dialog)}, [&](int x, int y) {
        return Expected(copies, x, y, kBack, BackgroundPixel);
    }));
    CancelAndExpectTheEnd(dialog);
}

INSTANTIATE_TEST_SUITE_P(Modes, SplashBackgroundTest, ::testing::ValuesIn(kBackgroundCases),
                         [](const auto& info) {
                             std::string name = info.param.mode;
                             for (char& ch : name)
                                 if (ch == '-')
                                     ch = '_';
                             return name;
                         });

// The temporary file an image passes through has a short name of the
// viewer's own: a stored name of the full 254 bytes the layout allows (more
// than fits a path) still shows the image. A temporary folder that takes no
// file leaves the splash without it, and the start goes on.
TEST_F(SplashTest, ImageWithTheLongestStoredNameOrNoTemporaryFolder)
{
    BuiltDisc disc = BuildSampleDisc("disc", {L"--background", BackgroundBmp().wstring(), L"--background-mode",
                                              L"top-left", L"--back-color", L"#203040", L"--password", L"pw"});
    ASSERT_TRUE(disc.ok) << disc.output;
    Bytes bytes = ReadBytes(disc.viewer);
    SetHeaderTextField(bytes, kBackImageName, std::string(250, 'n') + ".bmp");
    WriteBytes(disc.viewer, bytes);
    const std::vector<Copy> image = {Natural(0, 0)};
    for (bool tempFolderMissing : {false, true}) {
        SCOPED_TRACE(tempFolderMissing ? "no temporary folder" : "long stored name");
        // The viewer takes its temporary folder from Windows, which reads it
        // from the environment the viewer inherits.
        const std::string missing = (Scratch() / "no such folder").string() + "\\";
        char tmp[MAX_PATH] = "", temp[MAX_PATH] = "";
        GetEnvironmentVariableA("TMP", tmp, MAX_PATH);
        GetEnvironmentVariableA("TEMP", temp, MAX_PATH);
        if (tempFolderMissing) {
            SetEnvironmentVariableA("TMP", missing.c_str());
            SetEnvironmentVariableA("TEMP", missing.c_str());
        }
        viewer_ = &StartViewer(disc.viewer);
        SetEnvironmentVariableA("TMP", *tmp ? tmp : nullptr);
        SetEnvironmentVariableA("TEMP", *temp ? temp : nullptr);
        HWND dialog = WaitForPasswordDialog(*viewer_);
        ASSERT_TRUE(dialog);
        MoveAside(dialog);
        ScreenPixels screen;
        EXPECT_TRUE(ScreenMatches(screen, {WindowRectOf(dialog)}, [&](int x, int y) {
            return Expected(tempFolderMissing ? std::vector<Copy>{} : image, x, y, kBack, BackgroundPixel);
        }));
        CancelAndExpectTheEnd(dialog);
    }
}

// ---- logo positions ----

struct LogoCase {
    const char* name;
    const wchar_t* position;
    bool keyed;
    std::function<std::pair<int, int>(int W, int H)> at;
};

const LogoCase kLogoCases[] = {
    {"top_left", L"top-left", true, [](int, int) { return std::make_pair(0, 0); }},
    {"top_centre", L"top-centre", true, [](int W, int) { return std::make_pair(W / 2 - kLogoWidth / 2, 0); }},
    {"bottom_centre", L"bottom-centre", true,
     [](int W, int H) { return std::make_pair(W / 2 - kLogoWidth / 2, H - kLogoHeight); }},
    {"bottom_left", L"bottom-left", true, [](int, int H) { return std::make_pair(0, H - kLogoHeight); }},
    {"centre", L"centre", true,
     [](int W, int H) { return std::make_pair(W / 2 - kLogoWidth / 2, H / 2 - kLogoHeight / 2); }},
    {"at_x_y", L"333,444", true, [](int, int) { return std::make_pair(333, 444); }},
    {"plain_centre", L"centre", false,
     [](int W, int H) { return std::make_pair(W / 2 - kLogoWidth / 2, H / 2 - kLogoHeight / 2); }},
};

class SplashLogoTest : public SplashTest, public ::testing::WithParamInterface<LogoCase> {};

TEST_P(SplashLogoTest, LogoLiesWhereItsPositionPutsItOverTheTiles)
{
    const LogoCase& c = GetParam();
    std::vector<std::wstring> options = {L"--background", BackgroundBmp().wstring(), L"--background-mode", L"tile",
                                         L"--logo", LogoBmp().wstring(), L"--logo-pos", c.position};
    if (c.keyed) {
        options.push_back(L"--logo-key");
        options.push_back(L"#FF00FF");
    }
    HWND dialog = StartWithPassword(options);
    ASSERT_TRUE(dialog);
    MoveAside(dialog);
    ScreenPixels screen;
    Screenshot(std::string("splash-logo-") + c.name);
    auto [lx, ly] = c.at(screen.width, screen.height);
    const Rect logo = {lx, ly, lx + kLogoWidth, ly + kLogoHeight};
    EXPECT_TRUE(ScreenMatches(
        screen, {WindowRectOf(dialog)},
        [&](int x, int y) -> std::optional<COLORREF> {
            COLORREF tile = BackgroundPixel(x % kBackWidth, y % kBackHeight);
            if (!logo.Holds(x, y))
                return tile;
            COLORREF own = LogoPixel(x - lx, y - ly);
            return own == kMagenta && c.keyed ? tile : own;  // key pixels show the tiles
        },
        2));
    CancelAndExpectTheEnd(dialog);
}

INSTANTIATE_TEST_SUITE_P(Positions, SplashLogoTest, ::testing::ValuesIn(kLogoCases),
                         [](const auto& info) { return std::string(info.param.name); });

// At 200 % (Wine's LogPixels 192) the tiles and the logo are drawn twice as
// large, each pixel a 2 x 2 block, and the logo's place follows its size.
TEST_F(SplashTest, At200PercentTilesAndLogoAreTwiceAsLarge)
{
    ScreenDpi dpi(192);
    ASSERT_TRUE(dpi.Applied());
    HWND dialog = StartWithPassword({L"--background", BackgroundBmp().wstring(), L"--background-mode", L"tile",
                                     L"--logo", LogoBmp().wstring(), L"--logo-pos", L"top-centre", L"--logo-key",
                                     L"#FF00FF"});
    ASSERT_TRUE(dialog);
    // Left where it is, in the middle: under Wine a SetWindowPos from this
    // process puts a window of a 192-DPI process at twice the coordinates,
    // off the screen.
    std::this_thread::sleep_for(700ms);
    ScreenPixels screen;
    Screenshot("splash-logo-200");
    const Rect logo = {screen.width / 2 - kLogoWidth, 0, screen.width / 2 + kLogoWidth, 2 * kLogoHeight};
    EXPECT_TRUE(ScreenMatches(
        screen, {WindowRectOf(dialog)},
        [&](int x, int y) -> std::optional<COLORREF> {
            COLORREF tile = BackgroundPixel(x % (2 * kBackWidth) / 2, y % (2 * kBackHeight) / 2);
            if (!logo.Holds(x, y))
                return tile;
            COLORREF own = LogoPixel((x - logo.left) / 2, (y - logo.top) / 2);
            return own == kMagenta ? tile : own;
        },
        2));
    CancelAndExpectTheEnd(dialog);
}

// ---- text block ----

// What the splash font measures, made as the splash makes it: bold, swiss.
struct FontMeasure {
    int tmHeight = 0;
    int tmAveCharWidth = 0;
    std::vector<int> widths;  // of each line
};

FontMeasure MeasureFont(const char* face, int height, const std::vector<std::string>& lines)
{
    FontMeasure m;
    HDC dc = CreateCompatibleDC(nullptr);
    HFONT font = CreateFontA(height, 0, 0, 0, 700, 0, 0, 0, 0, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, 0x20, face);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA tm = {};
    GetTextMetricsA(dc, &tm);
    m.tmHeight = tm.tmHeight;
    m.tmAveCharWidth = tm.tmAveCharWidth;
    for (const auto& line : lines) {
        SIZE size = {};
        GetTextExtentPoint32A(dc, line.c_str(), (int)line.size(), &size);
        m.widths.push_back(size.cx);
    }
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
    return m;
}

struct TextCase {
    const char* name;
    const wchar_t* position;
    int placement;  // 0 for X,Y; else the textFlags bit
};

const TextCase kTextCases[] = {
    {"top_left", L"top-left", 0x2},         {"top_centre", L"top-centre", 0x4},
    {"bottom_left", L"bottom-left", 0x8},   {"bottom_centre", L"bottom-centre", 0x10},
    {"centre", L"centre", 0x20},            {"at_x_y", L"100,200", 0},
};

// The origin the splash gives the block for each placement bit.
std::pair<int, int> TextOrigin(int placement, int W, int H, const FontMeasure& m, int lineCount, int widest)
{
    double L = (m.tmHeight * 0.1 + m.tmHeight) * lineCount;
    int centredX = W / 2 - (m.tmAveCharWidth * widest) / 2;
    switch (placement) {
    case 0x2: return {0, 0};
    case 0x4: return {centredX, 0};
    case 0x8: return {0, (int)(H - L)};
    case 0x10: return {centredX, (int)(H - L)};
    case 0x20: return {centredX, (int)(H / 2 - L * 0.5)};
    }
    return {100, 200};
}

// The boxes of the drawn lines, each its text width wide and tmHeight high.
std::vector<Rect> LineBoxes(const FontMeasure& m, int x, int y)
{
    std::vector<Rect> boxes;
    int dy = 0;
    for (int width : m.widths) {
        boxes.push_back({x, y + dy, x + width, y + dy + m.tmHeight});
        dy += (int)(m.tmHeight + m.tmHeight * 0.1);
    }
    return boxes;
}

struct Ink {
    int textInside = 0;     // exact text colour inside the text boxes
    int shadowInside = 0;   // exact shadow colour inside the shadow boxes
    int stray = 0;          // anything but the background outside all boxes
    int strayShadow = 0;    // shadow colour outside the shadow boxes
    std::string firstStray;
};

Ink CountInk(const ScreenPixels& screen, const std::vector<Rect>& text, const std::vector<Rect>& shadow,
             const Rect& dialog, COLORREF textColour, COLORREF shadowColour, COLORREF back)
{
    Ink ink;
    auto inAny = [](const std::vector<Rect>& boxes, int x, int y) {
        for (const Rect& r : boxes)
            if (r.Holds(x, y, 2))
                return true;
        return false;
    };
    for (int y = 0; y < screen.height; ++y) {
        for (int x = 0; x < screen.width; ++x) {
            if (dialog.Holds(x, y, 4))
                continue;
            COLORREF c = screen.At(x, y);
            bool inText = inAny(text, x, y), inShadow = inAny(shadow, x, y);
            if (inText && c == textColour)
                ++ink.textInside;
            if (inShadow && c == shadowColour)
                ++ink.shadowInside;
            if (!inShadow && c == shadowColour)
                ++ink.strayShadow;
            if (!inText && !inShadow && c != back && ink.stray++ == 0)
                ink.firstStray = std::to_string(x) + "," + std::to_string(y) + " " + Hex(c);
        }
    }
    return ink;
}

class SplashTextTest : public SplashTest, public ::testing::WithParamInterface<TextCase> {};

TEST_P(SplashTextTest, TextColourInsideTheBlockAndNothingOutside)
{
    const TextCase& c = GetParam();
    const std::vector<std::string> lines = {"Arcseal splash", "Second line"};
    HWND dialog = StartWithPassword({L"--splash-text", L"@" + TextFile("Arcseal splash\nSecond line\n").wstring(),
                                     L"--text-pos", c.position, L"--text-color", L"#FFFF00", L"--shadow",
                                     L"#FF0000,3,3", L"--back-color", L"#203040", L"--font-height", L"40"});
    ASSERT_TRUE(dialog);
    MoveAside(dialog);
    ScreenPixels screen;
    Screenshot(std::string("splash-text-") + c.name);

    FontMeasure m = MeasureFont("Arial", 40, lines);
    ASSERT_GT(m.tmHeight, 0);
    auto [x, y] = TextOrigin(c.placement, screen.width, screen.height, m, 2, 14);
    std::vector<Rect> text = LineBoxes(m, x, y);
    std::vector<Rect> shadow = LineBoxes(m, x + 3, y + 3);
    Ink ink = CountInk(screen, text, shadow, WindowRectOf(dialog), kYellow, kRed, kBack);
    EXPECT_GT(ink.textInside, 300) << "text colour inside the block";
    EXPECT_GT(ink.shadowInside, 50) << "shadow colour beside the text";
    EXPECT_EQ(ink.stray, 0) << "ink outside the block, first at " << ink.firstStray;
    EXPECT_EQ(ink.strayShadow, 0) << "shadow outside its place";
    CancelAndExpectTheEnd(dialog);
}

INSTANTIATE_TEST_SUITE_P(Positions, SplashTextTest, ::testing::ValuesIn(kTextCases),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- a custom face ----

class SplashCustomFontTest : public SplashTest {
protected:
    void TearDown() override
    {
        SplashTest::TearDown();  // the viewer is gone first
        // The viewer installs the face into this prefix: take it out again.
        auto folder = ReadRegistryString(HKEY_CURRENT_USER,
                                         "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                                         "Fonts");
        if (folder && installedHere_) {
            std::error_code ignored;
            fs::remove(fs::path(*folder) / "DejaVuSerif-Bold.ttf", ignored);
            for (const char* key : {"Software\\Microsoft\\Windows\\CurrentVersion\\Fonts",
                                    "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts"})
                DeleteRegistryValue(HKEY_LOCAL_MACHINE, key, "DejaVu Serif");
        }
    }
    bool installedHere_ = false;
};

TEST_F(SplashCustomFontTest, TextInTheDiscsOwnFace)
{
    auto folder = ReadRegistryString(
        HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Fonts");
    ASSERT_TRUE(folder);
    installedHere_ = !fs::exists(fs::path(*folder) / "DejaVuSerif-Bold.ttf");

    const std::vector<std::string> lines = {"Corvane Harbour Trust", "Sample disc - built with Arcseal 3"};
    HWND dialog = StartWithPassword(
        {L"--splash-text", L"@" + (DataDir() / "splash-text.txt").wstring(), L"--text-pos", L"centre",
         L"--text-color", L"#FFFFFF", L"--back-color", L"#203040", L"--font-height", L"44", L"--font",
         (DataDir() / "DejaVuSerif-Bold.ttf").wstring(), L"--font-face", L"DejaVu Serif"});
    ASSERT_TRUE(dialog);
    MoveAside(dialog);
    ScreenPixels screen;
    Screenshot("splash-custom-font");

    FontMeasure serif = MeasureFont("DejaVu Serif", 44, lines);
    auto [x, y] = TextOrigin(0x20, screen.width, screen.height, serif, 2, 34);
    std::vector<Rect> text = LineBoxes(serif, x, y);
    Ink ink = CountInk(screen, text, {}, WindowRectOf(dialog), kWhite, RGB(1, 2, 3), kBack);
    EXPECT_GT(ink.textInside, 300);
    EXPECT_EQ(ink.stray, 0) << "ink outside the block, first at " << ink.firstStray;
    CancelAndExpectTheEnd(dialog);
}

// ---- the start-up flow ----

// The sample disc's splash: a stretched photo, a keyed logo, a shadowed text.
std::vector<std::wstring> SampleSplash()
{
    return {L"--background", (DataDir() / "splash-background.jpg").wstring(), L"--logo",
            (DataDir() / "splash-logo.bmp").wstring(), L"--logo-pos", L"top-centre", L"--logo-key", L"#FF00FF",
            L"--splash-text", L"@" + (DataDir() / "splash-text.txt").wstring(), L"--text-pos", L"bottom-centre",
            L"--shadow", L"#000000,2,2", L"--font-height", L"36"};
}

std::string LicenceWithCrLf()
{
    Bytes raw = ReadBytes(DataDir() / "splash-eula.txt");
    std::string text;
    for (unsigned char b : raw) {
        if (b == '\n' && (text.empty() || text.back() != '\r'))
            text += '\r';
        text += (char)b;
    }
    return text;
}

TEST_F(SplashTest, PasswordThenLicenceThenAcceptGoesOn)
{
    std::vector<std::wstring> options = SampleSplash();
    options.push_back(L"--eula");
    options.push_back((DataDir() / "splash-eula.txt").wstring());
    HWND gate = StartWithPassword(options);
    ASSERT_TRUE(gate);
    EXPECT_FALSE(WaitForLicence(0ms)) << "the licence came before the password";
    Screenshot("splash-password");
    ClickCentre(GetDlgItem(gate, IDC_PASSWORD_EDIT));
    TypeText(L"pw");
    ClickCentre(GetDlgItem(gate, IDOK));
    ASSERT_TRUE(WaitUntilGone(gate, 5s));

    HWND licence = WaitForLicence();
    ASSERT_TRUE(licence) << "no licence after the right password";
    HWND splash = SplashOf(*viewer_);
    ASSERT_TRUE(splash) << "the splash went before the licence";
    Rect cover = WindowRectOf(splash);
    EXPECT_EQ(cover.left, 0);
    EXPECT_EQ(cover.top, 0);
    EXPECT_EQ(cover.right, ScreenWidth());
    EXPECT_EQ(cover.bottom, ScreenHeight());
    EXPECT_EQ(TextOf(GetDlgItem(licence, kLicenceText)), LicenceWithCrLf());
    // It wraps at the control's width and starts unselected.
    HWND text = GetDlgItem(licence, kLicenceText);
    EXPECT_FALSE(GetWindowLongA(text, GWL_STYLE) & WS_HSCROLL);
    DWORD_PTR selection = 1;
    SendMessageTimeoutA(text, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &selection);
    EXPECT_EQ(selection, 0u) << "the licence starts selected";
    EXPECT_EQ(TextOf(GetDlgItem(licence, IDOK)), "I accept this agreement >>");
    EXPECT_EQ(TextOf(GetDlgItem(licence, IDCANCEL)), "Decline");
    std::this_thread::sleep_for(300ms);
    Screenshot("splash-licence");

    ClickCentre(GetDlgItem(licence, IDOK));
    EXPECT_TRUE(WaitUntilGone(licence, 5s));
    EXPECT_TRUE(FinishesStartUpCleanly(*viewer_));
}

TEST_F(SplashTest, DeclineEndsTheViewer)
{
    BuiltDisc disc = BuildSampleDisc("disc", {L"--eula", (DataDir() / "splash-eula.txt").wstring()});
    ASSERT_TRUE(disc.ok) << disc.output;
    viewer_ = &StartViewer(disc.viewer);
    HWND licence = WaitForLicence();
    ASSERT_TRUE(licence);
    EXPECT_TRUE(SplashOf(*viewer_));
    ClickCentre(GetDlgItem(licence, IDCANCEL));
    EXPECT_TRUE(EndsQuietly(*viewer_));
}

TEST_F(SplashTest, EscapeOnTheLicenceEndsTheViewer)
{
    BuiltDisc disc = BuildSampleDisc("disc", {L"--eula", (DataDir() / "splash-eula.txt").wstring()});
    ASSERT_TRUE(disc.ok) << disc.output;
    viewer_ = &StartViewer(disc.viewer);
    HWND licence = WaitForLicence();
    ASSERT_TRUE(licence);
    ClickCentre(GetDlgItem(licence, kLicenceText));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(EndsQuietly(*viewer_));
}

TEST_F(SplashTest, TheLicenceCloseBoxEndsTheViewer)
{
    BuiltDisc disc = BuildSampleDisc("disc", {L"--eula", (DataDir() / "splash-eula.txt").wstring()});
    ASSERT_TRUE(disc.ok) << disc.output;
    viewer_ = &StartViewer(disc.viewer);
    HWND licence = WaitForLicence();
    ASSERT_TRUE(licence);
    PostMessageA(licence, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(EndsQuietly(*viewer_));
}

TEST_F(SplashTest, CancellingThePasswordSkipsTheLicence)
{
    HWND gate = StartWithPassword({L"--eula", (DataDir() / "splash-eula.txt").wstring()});
    ASSERT_TRUE(gate);
    ClickCentre(GetDlgItem(gate, IDCANCEL));
    auto deadline = std::chrono::steady_clock::now() + kWindowTimeout;
    while (viewer_->Running() && std::chrono::steady_clock::now() < deadline) {
        ASSERT_FALSE(WaitForLicence(0ms)) << "the licence came after a cancelled password";
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_TRUE(EndsQuietly(*viewer_));
}

TEST_F(SplashTest, WithoutDialogsTheSplashEndsByItself)
{
    BuiltDisc disc = BuildSampleDisc("disc", {L"--back-color", L"#203040"});
    ASSERT_TRUE(disc.ok) << disc.output;
    viewer_ = &StartViewer(disc.viewer);
    HWND splash = nullptr;
    auto deadline = std::chrono::steady_clock::now() + kWindowTimeout;
    while (!splash && viewer_->Running() && std::chrono::steady_clock::now() < deadline) {
        splash = SplashOf(*viewer_);
        std::this_thread::sleep_for(5ms);
    }
    ASSERT_TRUE(splash) << "the splash never showed";
    auto seen = std::chrono::steady_clock::now();
    EXPECT_TRUE(WaitUntilGone(splash, 5s)) << "the splash did not end by itself";
    auto shown = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - seen);
    EXPECT_LT(shown.count(), 3000);
    // Then the main window comes (closed by the helper), or, until it is
    // built, the viewer ends; no message box either way.
    EXPECT_TRUE(FinishesStartUpCleanly(*viewer_));
}

TEST_F(SplashTest, CloseRequestsToTheSplashDoNotSkipThePassword)
{
    BuiltDisc disc = BuildSampleDisc("disc", {L"--password", L"pw"});
    ASSERT_TRUE(disc.ok) << disc.output;
    viewer_ = &StartViewer(disc.viewer);
    HWND splash = WaitForWindow(viewer_->Id(), kSplashClass, std::nullopt);
    ASSERT_TRUE(splash);
    // What Alt+F4 makes of the key, and a plain close request, as early as can be.
    PostMessageA(splash, WM_SYSCOMMAND, SC_CLOSE, 0);
    PostMessageA(splash, WM_CLOSE, 0, 0);
    HWND gate = WaitForPasswordDialog(*viewer_);
    ASSERT_TRUE(gate) << "closing the splash skipped the password";
    EXPECT_TRUE(IsWindowVisible(splash)) << "the splash was closed";
    // And again while the password dialog is up.
    PostMessageA(splash, WM_SYSCOMMAND, SC_CLOSE, 0);
    PostMessageA(splash, WM_CLOSE, 0, 0);
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(IsWindowVisible(splash));
    EXPECT_TRUE(IsWindowVisible(gate));
    EXPECT_FALSE(WaitForWindow(viewer_->Id(), kMainWindowClass, std::nullopt, 0ms));
    ClickCentre(GetDlgItem(gate, IDC_PASSWORD_EDIT));
    TypeText(L"pw");
    ClickCentre(GetDlgItem(gate, IDOK));
    EXPECT_TRUE(WaitUntilGone(gate, 5s));
    EXPECT_TRUE(FinishesStartUpCleanly(*viewer_));
}

TEST_F(SplashTest, AQuitMessageDuringThePasswordEndsTheViewerWithoutTheMainWindow)
{
    HWND gate = StartWithPassword({L"--eula", (DataDir() / "splash-eula.txt").wstring()});
    ASSERT_TRUE(gate);
    DWORD thread = GetWindowThreadProcessId(gate, nullptr);
    ASSERT_TRUE(PostThreadMessageA(thread, WM_QUIT, 0, 0));
    auto deadline = std::chrono::steady_clock::now() + kWindowTimeout;
    while (viewer_->Running() && std::chrono::steady_clock::now() < deadline) {
        ASSERT_FALSE(WaitForLicence(0ms)) << "the licence came after the password dialog was cut short";
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_TRUE(EndsQuietly(*viewer_));
}

}  // namespace
}  // namespace e2e
