#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "key_fields.h"
#include "scramble.h"

namespace {

// The routines as first written: every key character over the whole buffer.
void NaiveScramble(const std::string& key, std::vector<unsigned char>& buffer, bool indexed)
{
    for (size_t j = 0; j < key.size(); ++j)
        for (auto& byte : buffer)
            byte ^= indexed ? (unsigned char)(j + (unsigned char)key[j]) : (unsigned char)key[j];
}

std::vector<unsigned char> Bytes(size_t length)
{
    std::vector<unsigned char> bytes(length);
    for (size_t i = 0; i < length; ++i)
        bytes[i] = (unsigned char)(i * 131 + 7);
    return bytes;
}

TEST(Scramble, MatchesTheKeyCharacterByCharacterLoop)
{
    const std::vector<std::string> keys = {"a", "Arcseal-Layout-3.2", "pass\xe9\xff\x80word",
                                           std::string(300, 'Z') + "\x90q"};
    for (const auto& key : keys) {
        for (bool indexed : {false, true}) {
            auto expected = Bytes(1000);
            auto actual = expected;
            NaiveScramble(key, expected, indexed);
            int result = indexed ? XorScrambleIndexed(key.c_str(), actual.data(), 1000)
                                 : XorScramble(key.c_str(), actual.data(), 1000);
            EXPECT_EQ(result, 1000);
            EXPECT_EQ(actual, expected) << "key " << key << (indexed ? " indexed" : "");
        }
    }
}

TEST(Scramble, NothingToDoLeavesTheBufferAndReturnsZero)
{
    auto original = Bytes(16);
    auto buffer = original;
    EXPECT_EQ(XorScramble("", buffer.data(), 16), 0);
    EXPECT_EQ(XorScramble(nullptr, buffer.data(), 16), 0);
    EXPECT_EQ(XorScramble("key", buffer.data(), 0), 0);
    EXPECT_EQ(XorScramble("key", buffer.data(), -5), 0);
    EXPECT_EQ(XorScrambleIndexed("", buffer.data(), 16), 0);
    EXPECT_EQ(buffer, original);
}

TEST(Scramble, TwiceRestoresAndPiecesAgreeWithTheWhole)
{
    auto original = Bytes(4099);
    auto whole = original;
    XorScramble("secret", whole.data(), (int32_t)whole.size());
    auto pieces = original;
    for (size_t at = 0; at < pieces.size(); at += 1000) {
        size_t length = std::min<size_t>(1000, pieces.size() - at);
        XorScramble("secret", pieces.data() + at, (int32_t)length);
    }
    EXPECT_EQ(pieces, whole);
    XorScramble("secret", whole.data(), (int32_t)whole.size());
    EXPECT_EQ(whole, original);
}

TEST(KeyFields, DescrambleOnceToTheirTexts)
{
    UnscrambleKeyFields();
    UnscrambleKeyFields();  // a second call must not scramble them again
    EXPECT_STREQ(passwordCheck, "ARCSEAL3-PWCHECK");
    EXPECT_STREQ(layoutKey, "Arcseal-Layout-3.2");
    EXPECT_STREQ(webAddress, "https://arcseal.example/");
    // The bytes behind each text are descrambled too.
    EXPECT_EQ(passwordCheck[17], 0);
    EXPECT_EQ(layoutKey[19], 0);
    EXPECT_EQ(webAddress[30], 0);
    EXPECT_NE(CombinedKeyValue(layoutKey), 0) << "a zero key value would leave layouts plain";
}

TEST(PasswordCheck, AcceptsOnlyTheRightPasswordAndYieldsPasswordPlusSalt)
{
    UnscrambleKeyFields();
    char block[CONTENT_KEY_SIZE];
    ASSERT_TRUE(MakePasswordCheckBlock("Open Sesame", block));
    EXPECT_EQ(block[strlen(passwordCheck)], 0);

    char contentKey[CONTENT_KEY_SIZE];
    EXPECT_TRUE(CheckPassword(block, "Open Sesame", contentKey));
    EXPECT_STREQ(contentKey, "Open SesameTk9w");
    EXPECT_FALSE(CheckPassword(block, "Open sesame", contentKey)) << "case-sensitive";
    EXPECT_FALSE(CheckPassword(block, "", contentKey));
    EXPECT_FALSE(CheckPassword(block, "Open Sesame ", contentKey));
}

TEST(PasswordCheck, EmptyAndLongestPasswords)
{
    UnscrambleKeyFields();
    char block[CONTENT_KEY_SIZE];
    char contentKey[CONTENT_KEY_SIZE];
    ASSERT_TRUE(MakePasswordCheckBlock("", block));
    EXPECT_TRUE(CheckPassword(block, "", contentKey));
    EXPECT_STREQ(contentKey, "Tk9w");

    std::string longest(MAX_PASSWORD_LENGTH, 'x');
    ASSERT_TRUE(MakePasswordCheckBlock(longest.c_str(), block));
    EXPECT_TRUE(CheckPassword(block, longest.c_str(), contentKey));
    EXPECT_EQ(strlen(contentKey), MAX_PASSWORD_LENGTH + 4);

    std::string tooLong(MAX_PASSWORD_LENGTH + 1, 'x');
    EXPECT_FALSE(MakePasswordCheckBlock(tooLong.c_str(), block));
    EXPECT_FALSE(CheckPassword(block, tooLong.c_str(), contentKey));
}

TEST(PasswordCheck, AnyTextWithTheSameCombinedValuePasses)
{
    UnscrambleKeyFields();
    char block[CONTENT_KEY_SIZE];
    char contentKey[CONTENT_KEY_SIZE];
    ASSERT_TRUE(MakePasswordCheckBlock("ab", block));
    // "ab" contributes (0+'a') ^ (1+'b') = 0x61 ^ 0x63; "c`" gives 0x63 ^ 0x61, the same.
    EXPECT_TRUE(CheckPassword(block, "c`", contentKey));
    EXPECT_STREQ(contentKey, "c`Tk9w");
    EXPECT_FALSE(CheckPassword(block, "ba", contentKey));
}

}  // namespace
