// The key of all file contents on a disc.
#pragma once
#include <string>

#include "disc_options.h"

// password + salt for a disc with password, else the --content-key text, else
// a fresh random key. Never empty and never a key whose characters cancel out:
// either would store the contents in plain.
std::string ChooseContentKey(const DiscOptions& options);

// 16 printable characters from std::random_device.
std::string RandomContentKey();
