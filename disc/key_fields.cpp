#include "key_fields.h"

#include <cstring>

#include "scramble.h"

// Stored scrambled with fieldKey (made once with a short script); the plain
// layout key must never stand in the program file.
char passwordCheck[18] = {0x7d, 0x6e, 0x7f, 0x6f, 0x79, 0x7d, 0x70, 0x0f, 0x11, 0x6c,
                          0x6b, 0x7f, 0x74, 0x79, 0x7f, 0x77, 0x3c, 0x3c};
char layoutKey[20] = {0x7d, 0x4e, 0x5f, 0x4f, 0x59, 0x5d, 0x50, 0x11, 0x70, 0x5d,
                      0x45, 0x53, 0x49, 0x48, 0x11, 0x0f, 0x12, 0x0e, 0x3c, 0x3c};
char webAddress[31] = {0x54, 0x48, 0x48, 0x4c, 0x4f, 0x06, 0x13, 0x13, 0x5d, 0x4e, 0x5f,
                       0x4f, 0x59, 0x5d, 0x50, 0x12, 0x59, 0x44, 0x5d, 0x51, 0x4c, 0x50,
                       0x59, 0x13, 0x3c, 0x3c, 0x3c, 0x3c, 0x3c, 0x3c, 0x3c};

const char fieldKey[] = "Sealed content: open with care now";
const char passwordSalt[] = "Tk9w";

void UnscrambleKeyFields()
{
    static int done = 0;
    if (done)
        return;
    done = 1;
    XorScramble(fieldKey, (unsigned char*)passwordCheck, sizeof passwordCheck);
    XorScramble(fieldKey, (unsigned char*)layoutKey, sizeof layoutKey);
    XorScramble(fieldKey, (unsigned char*)webAddress, sizeof webAddress);
}

static int SaltedPassword(const char* password, char* salted)
{
    size_t length = strlen(password);
    if (length > MAX_PASSWORD_LENGTH)
        return 0;
    memcpy(salted, password, length);
    memcpy(salted + length, passwordSalt, sizeof passwordSalt);
    return 1;
}

int MakePasswordCheckBlock(const char* password, char* block)
{
    char salted[CONTENT_KEY_SIZE];
    if (!SaltedPassword(password, salted))
        return 0;
    size_t n = strlen(passwordCheck);
    memset(block, 0, CONTENT_KEY_SIZE);
    memcpy(block, passwordCheck, n);
    XorScrambleIndexed(salted, (unsigned char*)block, (int32_t)n);
    return 1;
}

int CheckPassword(const char* block, const char* typed, char* contentKey)
{
    char salted[CONTENT_KEY_SIZE];
    char check[CONTENT_KEY_SIZE];
    if (!SaltedPassword(typed, salted))
        return 0;
    memcpy(check, block, CONTENT_KEY_SIZE);
    check[CONTENT_KEY_SIZE - 1] = 0;
    XorScrambleIndexed(salted, (unsigned char*)check, (int32_t)strlen(passwordCheck));
    if (strcmp(passwordCheck, check) != 0)
        return 0;
    memcpy(contentKey, salted, strlen(salted) + 1);
    return 1;
}
