// The opener on discs in memory: what a strong disc's table is bound to.
#include <gtest/gtest.h>

#include <cstring>

#include "byte_source.h"
#include "disc_image.h"
#include "disc_open.h"

namespace {

// Every byte from the licence to the trailer is bound to a strong disc's
// table: one flipped anywhere there, and the disc is refused before a name is
// read (the record's own damage, or the trailer's, earlier still). The keys
// are derived once; each changed copy reuses them.
TEST(DiscOpener, EveryByteBehindAStrongTableIsBound)
{
    UnscrambleKeyFields();
    DiscImage image = MakeDiscImage({{"a.txt", "alpha"}, {"Docs/b.txt", "beta"}},
                                    {"--password", "pw", "--splash-text", "Hello", "--no-export"});
    MemoryBytes bytes = {image.viewer.data(), image.viewer.size()};
    ByteSource source;
    MemorySource(&bytes, &source);
    OpenedDisc disc;
    InitOpenedDisc(&disc);
    int reason = DISC_OK;
    ASSERT_TRUE(OpenDiscLayout(&source, &disc, &reason) && UnlockOpenedDisc(&disc, "pw", 2, &reason))
        << DiscReasonText(reason);
    const DiscKeys keys = disc.keys;
    const uint64_t boundFrom = disc.sections.eula;
    ASSERT_TRUE(ReadDiscItems(&disc, &source, &reason));
    EXPECT_EQ(5u, disc.itemCount);
    CloseOpenedDisc(&disc);

    int refused = 0;
    for (uint64_t at = boundFrom; at < image.viewer.size(); at += 7) {
        Bytes changed = image.viewer;
        changed[at] ^= 0x04;
        MemoryBytes changedBytes = {changed.data(), changed.size()};
        MemorySource(&changedBytes, &source);
        InitOpenedDisc(&disc);
        if (OpenDiscLayout(&source, &disc, &reason)) {
            disc.keys = keys;
            disc.unlocked = 1;
            EXPECT_FALSE(ReadDiscItems(&disc, &source, &reason)) << "byte " << at;
            EXPECT_EQ(DISC_TABLE_ALTERED, reason) << "byte " << at;
        }
        CloseOpenedDisc(&disc);
        ++refused;
    }
    EXPECT_GT(refused, 600);
}

}  // namespace
