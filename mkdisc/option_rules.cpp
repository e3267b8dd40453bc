#include "option_rules.h"

#include <cstring>

#include "cp1252.h"
#include "iso_image.h"
#include "item_names.h"
#include "key_fields.h"
#include "option_values.h"
#include "password_input.h"
#include "scramble.h"
#include "unicode_text.h"
#include "wipe_text.h"

namespace {


const size_t FONT_FACE_MAX = 31;  // LOGFONT keeps 32 characters with the NUL

struct NamedBits {
    const char* name;
    uint32_t bits;
};

const NamedBits BACKGROUND_MODES[] = {
    {"stretch", 0},
    {"quarters", FLAG_BACK_QUARTERS},
    {"tile", FLAG_BACK_TILE},
    {"top-left", FLAG_BACK_TOP_LEFT},
    {"top-centre", FLAG_BACK_TOP_CENTRE},
    {"bottom-centre", FLAG_BACK_BOTTOM_CENTRE},
    {"bottom-left", FLAG_BACK_BOTTOM_LEFT},
    {"centre", FLAG_BACK_CENTRE},
};

const NamedBits LOGO_POSITIONS[] = {
    {"top-left", FLAG_LOGO_TOP_LEFT},
    {"top-centre", FLAG_LOGO_TOP_CENTRE},
    {"bottom-centre", FLAG_LOGO_BOTTOM_CENTRE},
    {"bottom-left", FLAG_LOGO_BOTTOM_LEFT},
    {"centre", FLAG_LOGO_CENTRE},
};

const NamedBits TEXT_POSITIONS[] = {
    {"top-left", TEXT_TOP_LEFT},
    {"top-centre", TEXT_TOP_CENTRE},
    {"bottom-left", TEXT_BOTTOM_LEFT},
    {"bottom-centre", TEXT_BOTTOM_CENTRE},
    {"centre", TEXT_CENTRE},
};

template <size_t N>
bool FindBits(const NamedBits (&table)[N], const std::string& name, uint32_t& bits)
{
    for (const NamedBits& entry : table) {
        if (name == entry.name) {
            bits = entry.bits;
            return true;
        }
    }
    return false;
}

template <size_t N>
std::string NameList(const NamedBits (&table)[N])
{
    std::string list;
    for (const NamedBits& entry : table)
        list += std::string(list.empty() ? "" : ", ") + entry.name;
    return list;
}

std::string ToCp1252(const std::string& value, std::string& converted)
{
    if (!Utf8ToCp1252(value, converted))
        return "the text has a character that code page 1252 cannot hold";
    return std::string();
}

std::string CheckContentKey(const std::string& value, std::string& stored)
{
    std::string key;
    std::string problem = ToCp1252(value, key);
    if (!problem.empty())
        return problem;
    if (key.empty())
        return "the key is empty, which would store the file contents in plain";
    if (key.size() >= CONTENT_KEY_SIZE)
        return "the key is longer than 254 bytes";
    if (CombinedKeyValue(key.c_str()) == 0)
        return "the key's characters cancel out and would store the file contents in plain; "
               "choose another";
    stored = key;
    return std::string();
}

std::string CheckFontFace(const std::string& value, std::string& stored)
{
    std::string face;
    std::string problem = ToCp1252(value, face);
    if (!problem.empty())
        return problem;
    if (face.empty())
        return "the face name is empty";
    if (face.size() > FONT_FACE_MAX)
        return "Windows face names have at most 31 characters";
    for (unsigned char c : face) {
        if (c < 32)
            return "the face name contains a control character";
    }
    stored = face;
    return std::string();
}

// Checked for the disc's kind by SettleTexts.
std::string CheckLabel(const std::string& value, std::string& stored)
{
    if (value.empty())
        return "the name is empty (the label names the folder the whole disc is exported to)";
    stored = value;
    return std::string();
}

// Options that only mean something together with another one.
struct Dependency {
    const char* option;
    const char* needs;
};

const Dependency DEPENDENCIES[] = {
    {"--background-mode", "--background"}, {"--logo-pos", "--logo"},
    {"--logo-key", "--logo"},              {"--text-pos", "--splash-text"},
    {"--text-color", "--splash-text"},     {"--shadow", "--splash-text"},
    {"--font-height", "--splash-text"},    {"--font", "--font-face"},
    {"--font-face", "--font"},
};

}  // namespace

std::string CheckPassword(const std::string& value, std::string& stored)
{
    if (value.empty())
        return "the password is empty";
    if (!IsValidUtf8(value.data(), value.size()))
        return "the password is not valid UTF-8 text";
    stored = value;
    return std::string();
}

std::string DiscPassword(const std::string& typed, bool strong, std::string& stored)
{
    std::string password;
    TextWiper wiper{password};
    if (strong) {
        if (!NfcText(typed, password))
            return "the password is not valid UTF-8 text";
    } else {
        std::string problem = ToCp1252(typed, password);
        if (!problem.empty())
            return problem + "; " + STRONG_DISC_HINT;
    }
    if (password.empty())
        return "the password is empty";
    if (password.size() > MAX_PASSWORD_LENGTH)
        return strong ? "the password is longer than 250 bytes" : "the password is longer than 250 characters";
    if (!strong && CombinedKeyValue((password + passwordSalt).c_str()) == 0)
        return "this password would leave the file contents unscrambled; choose another";
    stored = password;
    return std::string();
}

bool IsStrongDisc(const DiscOptions& options)
{
    Protection mode = options.protection ? *options.protection
                                         : (options.password ? Protection::Strong : Protection::Scrambled);
    return options.integrity && mode == Protection::Strong;
}

std::string SettleTexts(DiscOptions& options, const char** option)
{
    bool strong = IsStrongDisc(options);
    if (options.label) {
        std::string label;
        std::string problem = strong ? ConvertWideItemName(*options.label, label) : ConvertItemName(*options.label, label);
        if (!problem.empty()) {
            *option = "--label";
            return problem + " (the label names the folder the whole disc is exported to)";
        }
        options.label = label;
    }
    if (options.password) {
        std::string stored;
        std::string problem = DiscPassword(*options.password, strong, stored);
        WipeText(*options.password);
        if (!problem.empty()) {
            *option = "--password";
            options.password.reset();
            return problem;
        }
        options.password = stored;
        WipeText(stored);
    }
    return std::string();
}

std::vector<OptionRule> OptionTable(DiscOptions& o)
{
    auto text = [](std::optional<std::string>& field) {
        return [&field](const std::string& v) {
            if (v.empty())
                return std::string("the value is empty");
            field = v;
            return std::string();
        };
    };
    auto colour = [](uint32_t& field) {
        return [&field](const std::string& v) {
            return ParseColour(v, field) ? std::string() : std::string("expected #RRGGBB or R,G,B");
        };
    };
    return {
        {"--viewer", true, text(o.viewer)},
        {"--label", true,
         [&o](const std::string& v) {
             std::string stored;
             std::string problem = CheckLabel(v, stored);
             if (problem.empty())
                 o.label = stored;
             return problem;
         }},
        {"--password", true,
         [&o](const std::string& v) {
             std::string stored;
             std::string problem = CheckPassword(v, stored);
             if (problem.empty())
                 o.password = stored;
             return problem;
         }},
        {"--password-file", true,
         [&o](const std::string& v) {
             std::string typed;
             TextWiper wiper{typed};
             std::string problem = ReadPasswordFile(v, typed);
             std::string stored;
             if (problem.empty())
                 problem = CheckPassword(typed, stored);
             if (problem.empty())
                 o.password = stored;
             WipeText(stored);
             return problem;
         }},
        {"--content-key", true,
         [&o](const std::string& v) {
             std::string stored;
             std::string problem = CheckContentKey(v, stored);
             if (problem.empty())
                 o.contentKey = stored;
             return problem;
         }},
        {"--eula", true, text(o.eulaFile)},
        {"--background", true, text(o.backgroundFile)},
        {"--background-mode", true,
         [&o](const std::string& v) {
             return FindBits(BACKGROUND_MODES, v, o.backgroundBits)
                        ? std::string()
                        : "expected one of " + NameList(BACKGROUND_MODES);
         }},
        {"--logo", true, text(o.logoFile)},
        {"--logo-pos", true,
         [&o](const std::string& v) {
             if (FindBits(LOGO_POSITIONS, v, o.logoBits))
                 return std::string();
             if (ParsePoint(v, o.logoX, o.logoY)) {
                 o.logoBits = FLAG_LOGO_AT_XY;
                 return std::string();
             }
             return "expected X,Y or one of " + NameList(LOGO_POSITIONS);
         }},
        {"--logo-key", true,
         [&o](const std::string& v) {
             uint32_t key = 0;
             if (!ParseColour(v, key))
                 return std::string("expected #RRGGBB or R,G,B");
             o.logoKeyColor = key;
             return std::string();
         }},
        {"--splash-text", true,
         [&o](const std::string& v) {
             o.splashText = v;
             return std::string();
         }},
        {"--text-pos", true,
         [&o](const std::string& v) {
             if (FindBits(TEXT_POSITIONS, v, o.textPlacement))
                 return std::string();
             if (ParsePoint(v, o.textX, o.textY)) {
                 o.textPlacement = 0;
                 return std::string();
             }
             return "expected X,Y or one of " + NameList(TEXT_POSITIONS);
         }},
        {"--text-color", true, colour(o.textColor)},
        {"--shadow", true,
         [&o](const std::string& v) {
             o.shadow = true;
             return ParseShadow(v, o.shadowColor, o.shadowDx, o.shadowDy)
                        ? std::string()
                        : std::string("expected COLOR,DX,DY, e.g. #404040,2,2");
         }},
        {"--back-color", true, colour(o.backColor)},
        {"--font-height", true,
         [&o](const std::string& v) {
             return ParseSigned32(v, o.fontHeight) ? std::string()
                                                   : std::string("expected a whole number");
         }},
        {"--font", true, text(o.fontFile)},
        {"--font-face", true,
         [&o](const std::string& v) {
             std::string stored;
             std::string problem = CheckFontFace(v, stored);
             if (problem.empty())
                 o.fontFace = stored;
             return problem;
         }},
        {"--no-browser-reader", false,
         [&o](const std::string&) {
             o.browserReader = false;
             return std::string();
         }},
        {"--hide-title", false,
         [&o](const std::string&) {
             o.hideTitle = true;
             return std::string();
         }},
        {"--no-export", false,
         [&o](const std::string&) {
             o.noExport = true;
             return std::string();
         }},
        {"--clear-recent", false,
         [&o](const std::string&) {
             o.clearRecent = true;
             return std::string();
         }},
        {"--method-flags", true,
         [&o](const std::string& v) {
             return ParseUnsigned32(v, o.methodFlags)
                        ? std::string()
                        : std::string("expected a 32-bit number, decimal or 0x hex");
         }},
        {"--iso", true,
         [&o](const std::string& v) {
             if (!IsoImagesSupported())
                 return std::string("this build cannot write ISO images; use the mkdisc of the "
                                    "build machine");
             if (v.empty())
                 return std::string("the value is empty");
             o.isoFile = v;
             return std::string();
         }},
        {"--protection", true,
         [&o](const std::string& v) {
             if (v == "strong")
                 o.protection = Protection::Strong;
             else if (v == "scrambled")
                 o.protection = Protection::Scrambled;
             else
                 return std::string("expected strong or scrambled");
             return std::string();
         }},
        {"--no-integrity", false,
         [&o](const std::string&) {
             o.integrity = false;
             return std::string();
         }},
        {"--force", false,
         [&o](const std::string&) {
             o.force = true;
             return std::string();
         }},
        {"--data-file-limit", true,
         [&o](const std::string& v) {
             if (!ParseUnsigned32(v, o.dataFileLimit) || o.dataFileLimit == 0)
                 return std::string("expected a number of bytes from 1 to 4294967295");
             return std::string();
         }},
    };
}

const OptionRule* FindOptionRule(const std::vector<OptionRule>& table, const std::string& name)
{
    for (const OptionRule& rule : table) {
        if (name == rule.name)
            return &rule;
    }
    return nullptr;
}

std::string CheckCombinations(const std::set<std::string>& seen, const DiscOptions& options)
{
    for (const Dependency& d : DEPENDENCIES) {
        if (seen.count(d.option) && !seen.count(d.needs))
            return std::string(d.option) + " needs " + d.needs;
    }
    if (seen.count("--password") && seen.count("--password-file"))
        return "--password and --password-file cannot be combined";
    if ((seen.count("--password") || seen.count("--password-file")) && seen.count("--content-key"))
        return "--content-key cannot be combined with --password: the password makes the key";
    if (options.protection == Protection::Strong && !options.integrity)
        return "--protection strong cannot be combined with --no-integrity: a strong disc "
               "needs the integrity record";
    return std::string();
}
