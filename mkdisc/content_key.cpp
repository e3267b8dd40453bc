#include "content_key.h"

#include <random>

#include "key_fields.h"
#include "scramble.h"

std::string RandomContentKey()
{
    std::random_device device;
    std::uniform_int_distribution<int> printable('!', '~');
    std::string key;
    do {
        key.clear();
        for (int i = 0; i < 16; ++i)
            key.push_back((char)printable(device));
    } while (CombinedKeyValue(key.c_str()) == 0);
    return key;
}

std::string ChooseContentKey(const DiscOptions& options)
{
    if (options.password)
        return *options.password + passwordSalt;
    if (options.contentKey)
        return *options.contentKey;
    return RandomContentKey();
}
