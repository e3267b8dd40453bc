#include "disc_open.h"

const char* DiscReasonText(int reason)
{
    switch (reason) {
    case DISC_OK:
        return "the disc opened";
    case DISC_NO_LAYOUT:
        return "the viewer carries no disc layout";
    case DISC_LAYOUT_DAMAGED:
        return "the disc's layout is damaged: its sections do not fit the viewer file";
    case DISC_RECORD_DAMAGED:
        return "the disc's integrity record is damaged; the disc cannot be trusted";
    case DISC_OUTDATED:
        return "the disc was made by an earlier version of Arcseal 3 and must be built again";
    case DISC_NEEDS_PASSWORD:
        return "the disc has a password";
    case DISC_WRONG_PASSWORD:
        return "wrong password";
    case DISC_KEY_NO_MEMORY:
        return "there is not enough memory to derive the disc's key from the password";
    case DISC_CRYPTO_FAILED:
        return "the cryptography library failed";
    case DISC_NO_MEMORY:
        return "there is not enough memory to read the disc";
    case DISC_TABLE_ALTERED:
        return "the disc was altered or damaged: its list of files does not match its layout";
    case DISC_TABLE_DAMAGED:
        return "the disc's list of files is damaged";
    case DISC_TREE_TOO_DEEP:
        return "the disc's folders nest deeper than any disc's can";
    default:
        return "the disc cannot be read";
    }
}
