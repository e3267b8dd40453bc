// The three key fields the viewer carries scrambled in its static data, the
// password salt, and the password check block kept in the header's contentKey.
// No windows.h: the disc builder must agree with the viewer on every byte.
#pragma once
#include <cstddef>

extern char passwordCheck[18];  // what a right password must reproduce
extern char layoutKey[20];      // key of the header, sections and item table
extern char webAddress[31];     // the product's web page

extern const char fieldKey[];   // descrambles the three fields above, nothing else
extern const char passwordSalt[];  // appended to every typed password

const size_t CONTENT_KEY_SIZE = 255;
const size_t MAX_PASSWORD_LENGTH = 250;  // password + salt + NUL fit CONTENT_KEY_SIZE

// Descrambles the three fields in place, over their full stored lengths.
// Runs once per process: a second call does nothing.
void UnscrambleKeyFields();

// Writes into block (CONTENT_KEY_SIZE bytes) the check block for a password:
// passwordCheck scrambled with password + salt, then a NUL, the rest zero.
// Returns 0 when the password is longer than MAX_PASSWORD_LENGTH.
int MakePasswordCheckBlock(const char* password, char* block);

// Checks a typed password against a check block. On a match writes the
// password plus salt into contentKey (CONTENT_KEY_SIZE bytes) and returns 1.
int CheckPassword(const char* block, const char* typed, char* contentKey);
