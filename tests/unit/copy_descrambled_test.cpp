#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

#include "copy_descrambled.h"
#include "scramble.h"

namespace {

struct FileCloser {
    void operator()(FILE* file) const { fclose(file); }
};
using File = std::unique_ptr<FILE, FileCloser>;

File StreamWith(const std::vector<unsigned char>& bytes)
{
    File file(tmpfile());
    fwrite(bytes.data(), 1, bytes.size(), file.get());
    rewind(file.get());
    return file;
}

std::vector<unsigned char> Contents(FILE* file)
{
    std::vector<unsigned char> bytes;
    rewind(file);
    int c;
    while ((c = fgetc(file)) != EOF)
        bytes.push_back((unsigned char)c);
    return bytes;
}

std::vector<unsigned char> Pattern(size_t length)
{
    std::vector<unsigned char> bytes(length);
    for (size_t i = 0; i < length; ++i)
        bytes[i] = (unsigned char)(i ^ (i >> 9));
    return bytes;
}

TEST(CopyDescrambled, CopiesEveryLengthAroundThePieceSize)
{
    const char* key = "Password1Tk9w";
    for (size_t length : {0u, 1u, 65535u, 65537u, 1048575u, 1048576u, 1048577u, 2097153u}) {
        auto plain = Pattern(length);
        auto scrambled = plain;
        XorScramble(key, scrambled.data(), (int32_t)scrambled.size());
        File source = StreamWith(scrambled);
        File destination(tmpfile());
        ASSERT_EQ(CopyDescrambled(key, destination.get(), source.get(), (uint32_t)length), 1) << length;
        EXPECT_EQ(Contents(destination.get()), plain) << length;
    }
}

TEST(CopyDescrambled, StartsAtTheSourcePositionAndLeavesTheRest)
{
    auto bytes = Pattern(100);
    File source = StreamWith(bytes);
    fseek(source.get(), 10, SEEK_SET);
    File destination(tmpfile());
    ASSERT_EQ(CopyDescrambled("", destination.get(), source.get(), 20), 1);
    EXPECT_EQ(Contents(destination.get()), std::vector<unsigned char>(bytes.begin() + 10, bytes.begin() + 30))
        << "an empty key copies unchanged";
}

TEST(CopyDescrambled, ReportsAShortSourceAndAFailedWrite)
{
    File source = StreamWith(Pattern(1048576 + 10));
    File destination(tmpfile());
    EXPECT_EQ(CopyDescrambled("k", destination.get(), source.get(), 1048576 + 11), 0);

    File fullSource = StreamWith(Pattern(1000));
    auto path = std::filesystem::temp_directory_path() / "copy_descrambled_read_only.bin";
    File(fopen(path.string().c_str(), "wb"));
    File readOnly(fopen(path.string().c_str(), "rb"));
    ASSERT_TRUE(readOnly);
    EXPECT_EQ(CopyDescrambled("k", readOnly.get(), fullSource.get(), 1000), 0);
    readOnly.reset();
    std::filesystem::remove(path);

    EXPECT_EQ(CopyDescrambled(nullptr, destination.get(), fullSource.get(), 10), 0);
}

}  // namespace
