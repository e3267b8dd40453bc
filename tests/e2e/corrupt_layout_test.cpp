// A viewer file whose appended layout is missing or damaged stops with one
// message box, ends after OK, and never crashes or hangs.
#include <chrono>
#include <cstdint>
#include <filesystem>

#include "layout_bytes.h"
#include "paths.h"
#include "viewer_test.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

const std::string kCorruptCaption = "Error: (53673224)";
const std::string kCorruptText = "Corrupt! - re-build your Arcseal.";

class CorruptLayoutTest : public ViewerTest {
protected:
    // Writes a damaged copy of a viewer file into its own folder of the scratch.
    fs::path WriteViewerCopy(const std::string& name, const Bytes& bytes)
    {
        fs::path folder = Scratch() / name;
        fs::create_directories(folder);
        WriteBytes(folder / "discview.exe", bytes);
        return folder / "discview.exe";
    }

    void ExpectCorruptMessageThenEnd(const fs::path& viewer, const std::string& screenshot = "")
    {
        Process& process = StartViewer(viewer);
        auto box = WaitForMessageBox(process.Id());
        ASSERT_TRUE(box) << "no message box appeared";
        EXPECT_EQ(box->caption, kCorruptCaption);
        EXPECT_EQ(box->text, kCorruptText);
        EXPECT_EQ(TopLevelWindows(process.Id()).size(), 1u) << "only the message box should be up";
        if (!screenshot.empty())
            Screenshot(screenshot);
        ASSERT_TRUE(PressButton(box->window, IDOK));
        ASSERT_TRUE(process.WaitForExit(10s)) << "viewer still runs after OK";
        EXPECT_EQ(process.ExitCode(), 0u) << "viewer crashed";
    }
};

TEST_F(CorruptLayoutTest, BareViewerWithoutLayout)
{
    fs::path bare = Scratch() / "bare" / "discview.exe";
    fs::create_directories(bare.parent_path());
    fs::copy_file(DiscviewExe(), bare);
    ExpectCorruptMessageThenEnd(bare, "corrupt-message");
}

TEST_F(CorruptLayoutTest, LayoutCutShort)
{
    BuiltDisc disc = BuildSampleDisc("disc", {L"--label", L"Cut short"});
    ASSERT_TRUE(disc.ok) << disc.output;
    Bytes whole = ReadBytes(disc.viewer);
    size_t layoutSize = whole.size() - TrailerValue(whole, kLayoutStart);

    // Into the trailer, just past it, into the header, and the whole layout.
    for (size_t cut : {size_t(1), size_t(39), size_t(40), size_t(41), size_t(1000), layoutSize}) {
        SCOPED_TRACE("cut by " + std::to_string(cut) + " bytes");
        Bytes shorter(whole.begin(), whole.end() - cut);
        ExpectCorruptMessageThenEnd(WriteViewerCopy("cut-" + std::to_string(cut), shorter));
    }
}

TEST_F(CorruptLayoutTest, TrailerSizesPastEndOfFile)
{
    BuiltDisc disc = BuildSampleDisc("disc", {});
    ASSERT_TRUE(disc.ok) << disc.output;
    const Bytes whole = ReadBytes(disc.viewer);
    const uint32_t layoutStart = TrailerValue(whole, kLayoutStart);
    const uint32_t itemTableSize = TrailerValue(whole, kItemTableSize);

    struct Damage {
        const char* name;
        TrailerField field;
        uint32_t value;
    };
    const Damage damages[] = {
        {"item-table-size", kItemTableSize, 0xFFFFFF00u},
        {"licence-size", kEulaSize, 0xFFFFFF00u},
        {"layout-start", kLayoutStart, (uint32_t)whole.size()},
        // Sizes whose 32-bit sum wraps round to offset 0, the program's own bytes.
        {"header-offset-wraps", kEulaSize, (uint32_t)(0x100000000ull - layoutStart - itemTableSize)},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        Bytes damaged = whole;
        SetTrailerValue(damaged, damage.field, damage.value);
        ExpectCorruptMessageThenEnd(WriteViewerCopy(damage.name, damaged));
    }
}

TEST_F(CorruptLayoutTest, ImageSizePastEndOfFile)
{
    BuiltDisc disc = BuildSampleDisc("disc", {L"--background", (DataDir() / "e2e-back.bmp").wstring()});
    ASSERT_TRUE(disc.ok) << disc.output;
    Bytes damaged = ReadBytes(disc.viewer);
    SetTrailerValue(damaged, kBackImageSize, 0xFFFFFF00u);
    ExpectCorruptMessageThenEnd(WriteViewerCopy("back-image-size", damaged));
}

}  // namespace
}  // namespace e2e
