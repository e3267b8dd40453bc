// Texts that held a password are overwritten before their memory is given
// back, through a volatile pointer so that the compiler keeps the stores.
#pragma once
#include <string>

inline void WipeText(std::string& text)
{
    volatile char* bytes = text.empty() ? nullptr : &text[0];
    for (size_t i = 0; i < text.size(); ++i)
        bytes[i] = 0;
    text.clear();
}

// Wipes the text when the scope ends, however it ends.
struct TextWiper {
    std::string& text;
    ~TextWiper() { WipeText(text); }
};
