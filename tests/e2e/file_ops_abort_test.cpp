// "Abort" in the "Exporting..." window of a large folder export: the export
// stops after the file being copied, says so in its final message, and every
// file it wrote is complete. The next export runs in full again.
#include <chrono>
#include <cstdio>
#include <set>
#include <thread>

#include "file_compare.h"
#include "file_ops_fixture.h"
#include "input.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Enough that the export is far from its end when Abort comes, even on a
// fast disk: it copies several hundred MB a second here.
constexpr int kBigFiles = 80;
constexpr uint32_t kBigFileSize = 20u << 20;

std::vector<DiscFile> AbortContent()
{
    // Big's sub-folder comes after its own files: an abort among those
    // leaves it out.
    std::vector<DiscFile> files = {
        {"Small\\one.txt", 1000}, {"Small\\two.bin", 300000}, {"Big\\Later\\after.txt", 10}};
    for (int i = 1; i <= kBigFiles; ++i) {
        char name[32];
        snprintf(name, sizeof name, "Big\\part-%02d.bin", i);
        files.push_back({name, kBigFileSize});
    }
    return files;
}

// The pixels of a part of a window's client area as the screen shows them.
std::vector<uint32_t> CapturePixels(HWND window, RECT area)
{
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    POINT origin{area.left, area.top};
    ClientToScreen(window, &origin);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::vector<uint32_t> pixels;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
        GdiFlush();
        const uint32_t* data = static_cast<const uint32_t*>(bits);
        pixels.assign(data, data + (size_t)width * height);
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

class AbortTest : public FileOpsTest {};

TEST_F(AbortTest, AbortStopsAfterTheFileBeingCopiedAndLeavesOnlyCompleteFiles)
{
    const std::vector<DiscFile> files = AbortContent();
    ASSERT_NO_FATAL_FAILURE(OpenDisc({"Big", "Big\\Later", "Small"}, files));
    ASSERT_NO_FATAL_FAILURE(ExpandWholeTree());
    const fs::path target = NewFolder("target");

    ASSERT_TRUE(ExportTo(OpenTreeMenu("Big"), kFolderMenuExport, kFolderMenuEntries, target));
    HWND progress = WaitForDialog(kExportingCaption, 10s);
    ASSERT_TRUE(progress) << "no \"Exporting...\" window during a folder export";
    // The animation runs while the export copies: its frame (client area
    // from x 50, 200 x 75 pixels) changes every 200 ms.
    const RECT frame = {50, 0, 250, 75};
    std::set<std::vector<uint32_t>> frames = {CapturePixels(progress, frame)};
    // The first file complete: the export is under way, far from its end.
    const fs::path first = target / "Big" / "part-01.bin";
    ASSERT_TRUE(WaitUntil(30s, [&] {
        std::error_code error;
        return fs::file_size(first, error) == kBigFileSize && !error;
    })) << "the first file was not exported";
    for (int i = 0; i < 3 && frames.size() < 2; ++i) {
        std::this_thread::sleep_for(120ms);
        frames.insert(CapturePixels(progress, frame));
    }
    EXPECT_GE(frames.size(), 2u) << "the \"Exporting...\" animation does not move";
    Screenshot("exporting");
    HWND abort = GetDlgItem(progress, IDCANCEL);
    ASSERT_TRUE(abort);
    EXPECT_EQ(TextOf(abort), "Abort");
    ClickCentre(abort);
    EXPECT_TRUE(WaitUntilGone(progress, 5s)) << "the \"Exporting...\" window stayed after \"Abort\"";

    MessageBoxInfo end = AnswerMessage(60s);
    EXPECT_EQ(end.caption, "Aborted:");
    EXPECT_NE(end.text.find("aborted"), std::string::npos) << end.text;
    EXPECT_NE(end.text.find("Big"), std::string::npos) << end.text;
    EXPECT_NE(end.text.find(target.string()), std::string::npos) << end.text;

    // Only whole files, and not all of them; nothing of the sub-folder.
    std::set<std::string> shape = TreeShape(target);
    EXPECT_EQ(shape.count("Big/"), 1u);
    EXPECT_EQ(shape.count("Big/Later/"), 0u) << "the sub-folder was made after the abort";
    size_t exported = 0;
    for (const std::string& entry : shape) {
        if (entry == "Big/")
            continue;
        ++exported;
        auto difference = FileDifference(Content() / FromUtf8(entry), target / FromUtf8(entry));
        EXPECT_FALSE(difference) << *difference;
    }
    std::printf("%zu of %d files were exported before the abort took effect\n", exported, kBigFiles);
    EXPECT_GE(exported, 1u);
    EXPECT_LT(exported, (size_t)kBigFiles) << "the export did not stop";
    EXPECT_FALSE(WaitForDialog(kExportingCaption, 0ms));

    // The next export is not taken for aborted.
    const fs::path next = NewFolder("next");
    ASSERT_TRUE(ExportTo(OpenTreeMenu("Small"), kFolderMenuExport, kFolderMenuEntries, next));
    MessageBoxInfo done = AnswerMessage(30s);
    EXPECT_EQ(done.caption, "Finished:");
    EXPECT_EQ(done.text, "Small has been exported to " + next.string() + ".");
    EXPECT_EQ(TreeShape(next), (std::set<std::string>{"Small/", "Small/one.txt", "Small/two.bin"}));
    for (const char* name : {"one.txt", "two.bin"}) {
        auto difference = FileDifference(Content() / "Small" / name, next / "Small" / name);
        EXPECT_FALSE(difference) << *difference;
    }
}

}  // namespace
}  // namespace e2e
