// What the output folder holds besides the viewer and its data files: the
// autorun.inf Windows reads from a disc, and on request the whole disc as an
// ISO 9660 image, read back here with libisofs file by file.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <memory>

#define LIBISOFS_WITHOUT_LIBBURN yes
#include <libisofs/libisofs.h>

#include "disc_test_support.h"

namespace {

class DiscFolderTest : public DiscBuildTest {
protected:
    void SetUp() override
    {
        DiscBuildTest::SetUp();
        WriteText(source / "a.txt", std::string(3000, 'a'));
        WriteText(source / "Docs/b.bin", std::string(5000, 'b'));
    }
    RunResult Build(const std::vector<std::string>& options) { return RunBuild(options); }
};

// The files in the root of an image, read through libisofs with the Joliet
// names, and the volume labels of its primary and Joliet descriptors.
struct ImageContents {
    std::map<std::string, std::string> files;
    std::string primaryLabel;
    std::string jolietLabel;  // as ASCII: the test labels hold no other letters
};

std::string Trailing(std::string text, char blank)
{
    while (!text.empty() && (text.back() == blank || text.back() == '\0'))
        text.pop_back();
    return text;
}

ImageContents ReadImage(const fs::path& path)
{
    ImageContents contents;
    std::string bytes = ReadText(path);
    const size_t sector = 2048;
    for (size_t at = 16 * sector; at + sector <= bytes.size() && bytes[at] != '\xFF'; at += sector) {
        if (bytes[at] == 1)
            contents.primaryLabel = Trailing(bytes.substr(at + 40, 32), ' ');
        if (bytes[at] == 2) {
            for (size_t i = 0; i < 32; i += 2)
                contents.jolietLabel.push_back(bytes[at + 40 + i + 1]);
            contents.jolietLabel = Trailing(contents.jolietLabel, ' ');
        }
    }

    EXPECT_GE(iso_init(), 0);
    IsoDataSource* data = nullptr;
    IsoReadOpts* options = nullptr;
    IsoImage* image = nullptr;
    IsoReadImageFeatures* features = nullptr;
    EXPECT_GE(iso_data_source_new_from_file(path.c_str(), &data), 0);
    EXPECT_GE(iso_read_opts_new(&options, 0), 0);
    iso_read_opts_set_no_rockridge(options, 1);
    iso_read_opts_set_preferjoliet(options, 1);
    EXPECT_GE(iso_image_new("read back", &image), 0);
    if (data && options && image && iso_image_import(image, data, options, &features) >= 0) {
        EXPECT_EQ(1, iso_read_image_features_has_joliet(features));
        IsoDirIter* children = nullptr;
        iso_dir_get_children(iso_image_get_root(image), &children);
        IsoNode* node = nullptr;
        while (children && iso_dir_iter_next(children, &node) == 1) {
            std::string& file = contents.files[iso_node_get_name(node)];
            if (iso_node_get_type(node) != LIBISO_FILE) {
                file = "(not a file)";
                continue;
            }
            IsoStream* stream = iso_file_get_stream((IsoFile*)node);
            EXPECT_GE(iso_stream_open(stream), 0);
            char buffer[65536];
            int got = 0;
            while ((got = iso_stream_read(stream, buffer, sizeof buffer)) > 0)
                file.append(buffer, (size_t)got);
            iso_stream_close(stream);
        }
        iso_dir_iter_free(children);
        iso_read_image_features_destroy(features);
    } else {
        ADD_FAILURE() << "libisofs cannot read " << path;
    }
    if (image)
        iso_image_unref(image);
    if (options)
        iso_read_opts_free(options);
    if (data)
        iso_data_source_unref(data);
    iso_finish();
    return contents;
}

TEST_F(DiscFolderTest, AutorunStartsTheViewerAndLabelsTheDisc)
{
    ASSERT_EQ(0, Build({"--label", "Caf\xC3\xA9 Disc"}).exitCode);
    EXPECT_EQ("[autorun]\r\nopen=discview.exe\r\nicon=discview.exe,0\r\nlabel=Caf\xE9 Disc\r\n",
              ReadText(output / "autorun.inf"));
    // Hidden, the title shows only inside the opened disc.
    ASSERT_EQ(0, Build({"--label", "Secret Merger", "--hide-title"}).exitCode);
    EXPECT_EQ("[autorun]\r\nopen=discview.exe\r\nicon=discview.exe,0\r\nlabel=DISC\r\n", ReadText(output / "autorun.inf"));
}

// An author's own files in the disc folder: refused unless --force, then left
// as they are, and kept out of the image.
TEST_F(DiscFolderTest, IsoImageHoldsEveryFileOfTheDiscFolderByteForByte)
{
    const std::string notes = "the author's own file, not part of the disc";
    WriteText(output / "notes.txt", notes);
    fs::create_directories(output / "photos");
    fs::path iso = scratch / "images/harbour.iso";
    fs::create_directories(iso.parent_path());
    RunResult refused = Build({"--iso", iso.string()});
    EXPECT_EQ(1, refused.exitCode);
    EXPECT_NE(std::string::npos, refused.messages.find("already holds other files (notes.txt and photos); they "
                                                       "would be written to the disc too; choose an empty folder, "
                                                       "or give --force"))
        << refused.messages;
    EXPECT_EQ(2, std::distance(fs::directory_iterator(output), fs::directory_iterator())) << "nothing written";
    RunResult run = Build({"--force", "--label", "Harbour Trust 2004", "--data-file-limit", "6000", "--iso",
                           iso.string()});
    ASSERT_EQ(0, run.exitCode) << run.messages;
    EXPECT_EQ(notes, ReadText(output / "notes.txt"));

    ImageContents image = ReadImage(iso);
    std::map<std::string, std::string> expected;
    for (const char* name : {"discview.exe", "autorun.inf", "disc0001.dat", "disc0002.dat", "Open in browser.html"})
        expected[name] = ReadText(output / name);
    expected["browser-reader"] = "(not a file)";
    EXPECT_EQ(expected, image.files);
    EXPECT_EQ("HARBOUR_TRUST_2004", image.primaryLabel);
    EXPECT_EQ("Harbour Trust 20", image.jolietLabel) << "Joliet keeps 16 characters";
    EXPECT_FALSE(fs::exists(scratch / "images/harbour.iso.mkdisc-part"));

    // Relative paths, as typed in a shell: the image takes every file all the same.
    fs::path before = fs::current_path();
    fs::current_path(scratch.path());
    RunResult relative = RunMkdiscWith({"--viewer", "viewer.exe", "--iso", "images/relative.iso", "src", "relative"});
    fs::current_path(before);
    ASSERT_EQ(0, relative.exitCode) << relative.messages;
    EXPECT_EQ(ReadText(scratch / "relative/discview.exe"), ReadImage(scratch / "images/relative.iso").files["discview.exe"]);
}

// The page that opens the disc in any browser, and its scripts beside it, as
// reader/files.txt lists them; a rebuild without it takes it away.
TEST_F(DiscFolderTest, BrowserReaderIsWrittenBesideTheViewerAndTakenAwayWithout)
{
    ASSERT_EQ(0, Build({}).exitCode);
    const fs::path root = fs::u8path(ARCSEAL_SOURCE_DIR);
    std::ifstream list(root / "reader/files.txt");
    std::string line;
    size_t files = 0;
    while (std::getline(list, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::string source = line.substr(0, line.find('|')), onDisc = line.substr(line.find('|') + 1);
        EXPECT_EQ(ReadText(root / fs::u8path(source)), ReadText(output / fs::u8path(onDisc))) << onDisc;
        ++files;
    }
    EXPECT_GT(files, 10u);
    EXPECT_TRUE(fs::exists(output / "Open in browser.html"));
    // The disc's own folder is no author's file: a rebuild goes ahead unasked.
    ASSERT_EQ(0, Build({"--no-browser-reader"}).exitCode);
    EXPECT_FALSE(fs::exists(output / "Open in browser.html"));
    EXPECT_FALSE(fs::exists(output / "browser-reader"));
    EXPECT_TRUE(fs::exists(output / "discview.exe"));
}

TEST_F(DiscFolderTest, IsoImageInsideTheSourceOrTheDiscFolderIsRefusedBeforeBuilding)
{
    for (const fs::path& iso : {source / "disc.iso", output / "disc.iso"}) {
        RunResult run = Build({"--iso", iso.string()});
        EXPECT_EQ(1, run.exitCode) << iso;
        EXPECT_NE(std::string::npos, run.messages.find("--iso")) << run.messages;
        EXPECT_FALSE(fs::exists(iso));
        EXPECT_FALSE(fs::exists(output / "discview.exe")) << iso;
    }
}

}  // namespace
