#include "command_line.h"

#include <cstring>
#include <functional>
#include <set>

#include "cp1252.h"
#include "iso_image.h"
#include "item_names.h"
#include "key_fields.h"
#include "option_values.h"
#include "scramble.h"

namespace {

const size_t FONT_FACE_MAX = 31;  // LOGFONT keeps 32 characters with the NUL

using ValueHandler = std::function<std::string(const std::string& value)>;

struct OptionRule {
    const char* name;
    bool takesValue;
    ValueHandler handle;  // returns an empty text or the problem with the value
};

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

std::string CheckPassword(const std::string& value, std::string& stored)
{
    std::string password;
    std::string problem = ToCp1252(value, password);
    if (!problem.empty())
        return problem;
    if (password.empty())
        return "the password is empty";
    if (password.size() > MAX_PASSWORD_LENGTH)
        return "the password is longer than 250 characters";
    if (CombinedKeyValue((password + passwordSalt).c_str()) == 0)
        return "this password would leave the file contents unscrambled; choose another";
    stored = password;
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

std::string CheckLabel(const std::string& value, std::string& stored)
{
    std::string label;
    std::string problem = ConvertItemName(value, label);
    if (!problem.empty())
        return problem + " (the label names the folder the whole disc is exported to)";
    stored = label;
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

std::string CheckCombinations(const std::set<std::string>& seen, const DiscOptions& options)
{
    for (const Dependency& d : DEPENDENCIES) {
        if (seen.count(d.option) && !seen.count(d.needs))
            return std::string(d.option) + " needs " + d.needs;
    }
    if (seen.count("--password") && seen.count("--content-key"))
        return "--content-key cannot be combined with --password: the password makes the key";
    if (options.protection == Protection::Strong && !seen.count("--password"))
        return "--protection strong needs --password: the key is made from the password";
    if (options.protection == Protection::Strong && !options.integrity)
        return "--protection strong cannot be combined with --no-integrity: a strong disc "
               "needs the integrity record";
    return std::string();
}

const char* const READ_OPTIONS[] = {"--verify", "--extract", "--to"};

std::string OptionName(const std::string& arg)
{
    return arg.substr(0, arg.find('='));
}

bool IsReadForm(const std::vector<std::string>& args)
{
    for (const std::string& arg : args) {
        if (arg == "--")
            return false;
        for (const char* option : READ_OPTIONS) {
            if (OptionName(arg) == option)
                return true;
        }
    }
    return false;
}

// mkdisc --verify DISC_DIR [--password PW], mkdisc --extract DISC_DIR --to OUT_DIR
// [--password PW]: the building options mean nothing here and are refused.
CommandLineResult ParseReadForm(const std::vector<std::string>& args, ReadRequest& request,
                                std::string& error)
{
    std::set<std::string> seen;
    std::string mode;
    bool optionsEnded = false;
    auto refuse = [&error](const std::string& message) {
        error = message;
        return CommandLineResult::UsageError;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || arg.size() < 2 || arg[0] != '-')
            return refuse("unexpected argument " + arg +
                          ": --verify and --extract read a built disc and take no SOURCE_DIR or OUTPUT_DIR");
        if (arg == "--help")
            return CommandLineResult::Help;
        std::string name = OptionName(arg);
        bool known = name == "--verify" || name == "--extract" || name == "--to" || name == "--password";
        if (!known) {
            DiscOptions unused;
            for (const OptionRule& rule : OptionTable(unused)) {
                if (name == rule.name)
                    return refuse(name + " cannot be combined with --verify or --extract");
            }
            return refuse("unknown option " + name);
        }
        if (!seen.insert(name).second)
            return refuse(name + " is given more than once");
        std::string value;
        if (name.size() < arg.size())
            value = arg.substr(name.size() + 1);
        else if (i + 1 < args.size())
            value = args[++i];
        else
            return refuse(name + " needs a value");
        if (value.empty() && name != "--password")
            return refuse(name + ": the value is empty");
        if (name == "--verify" || name == "--extract") {
            if (!mode.empty())
                return refuse("--verify and --extract cannot be combined");
            mode = name;
            request.mode = name == "--verify" ? ReadMode::Verify : ReadMode::Extract;
            request.discDir = value;
        } else if (name == "--to") {
            request.outDir = value;
        } else {
            request.password = value;
        }
    }
    if (seen.count("--to") && mode != "--extract")
        return refuse("--to needs --extract");
    if (mode == "--extract" && !seen.count("--to"))
        return refuse("--extract needs --to OUT_DIR");
    return CommandLineResult::Read;
}

}  // namespace

CommandLineResult ParseCommandLine(const std::vector<std::string>& args, DiscOptions& options,
                                   std::string& error, ReadRequest* request)
{
    if (IsReadForm(args)) {
        if (!request) {
            error = "--verify, --extract and --to are options of the command line only";
            return CommandLineResult::UsageError;
        }
        return ParseReadForm(args, *request, error);
    }
    std::vector<OptionRule> table = OptionTable(options);
    std::vector<std::string> positional;
    std::set<std::string> seen;
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            if (!optionsEnded && arg.size() > 1 && arg[0] == '-') {
                error = "unknown option " + arg;
                return CommandLineResult::UsageError;
            }
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help")
            return CommandLineResult::Help;
        size_t equals = arg.find('=');
        std::string name = arg.substr(0, equals);
        const OptionRule* rule = nullptr;
        for (const OptionRule& candidate : table) {
            if (name == candidate.name)
                rule = &candidate;
        }
        if (!rule) {
            error = "unknown option " + name;
            return CommandLineResult::UsageError;
        }
        if (!seen.insert(name).second) {
            error = name + " is given more than once";
            return CommandLineResult::UsageError;
        }
        std::string value;
        if (!rule->takesValue) {
            if (equals != std::string::npos) {
                error = name + " takes no value";
                return CommandLineResult::UsageError;
            }
        } else if (equals != std::string::npos) {
            value = arg.substr(equals + 1);
        } else if (i + 1 < args.size()) {
            value = args[++i];
        } else {
            error = name + " needs a value";
            return CommandLineResult::UsageError;
        }
        std::string problem = rule->handle(value);
        if (!problem.empty()) {
            error = name + ": " + problem;
            return CommandLineResult::UsageError;
        }
    }
    if (positional.size() != 2) {
        error = positional.size() < 2 ? "SOURCE_DIR and OUTPUT_DIR are required"
                                      : "unexpected argument " + positional[2];
        return CommandLineResult::UsageError;
    }
    error = CheckCombinations(seen, options);
    if (!error.empty())
        return CommandLineResult::UsageError;
    options.sourceDir = positional[0];
    options.outputDir = positional[1];
    return CommandLineResult::Build;
}

std::string HelpText(const std::string& program)
{
    std::string text = R"(Usage: mkdisc [options] SOURCE_DIR OUTPUT_DIR
       mkdisc --verify DISC_DIR [--password TEXT]
       mkdisc --extract DISC_DIR --to OUT_DIR [--password TEXT]

Builds a disc from the folder SOURCE_DIR: OUTPUT_DIR receives discview.exe (the
viewer with the disc's layout appended) and the data files disc0001.dat,
disc0002.dat, ... with the scrambled file contents. OUTPUT_DIR is created when
missing; an earlier disc there is replaced, a folder holding other files is
refused (see --force), and nothing is changed when the build fails. Symbolic
links and special files in SOURCE_DIR are refused, as are names that Windows
cannot create or code page 1252 cannot hold.

Options:
  --viewer FILE          the bare viewer to copy (default: discview.dll, else
                         discview.exe, beside the program)
  --label NAME           name of the whole-disc item (default: the name of
                         SOURCE_DIR)
  --password TEXT        readers must type TEXT (at most 250 characters);
                         the contents are protected with it (default: none)
  --protection MODE      strong: AES-256 with a key made from the password,
                         names hidden too (the default with --password);
                         scrambled: the XOR scrambling every Arcseal viewer
                         reads (the default without a password)
  --no-integrity         no integrity record and no checksums: exactly the
                         discs of earlier versions (scrambled only)
  --content-key TEXT     key of the contents of a disc without password
                         (default: 16 random characters per disc)
  --eula FILE            licence text shown for acceptance; UTF-8 text of at
                         most 1 MiB (default: none)
  --background IMG       splash background image (default: none)
  --background-mode M    stretch, quarters, tile, top-left, top-centre,
                         bottom-centre, bottom-left or centre (default: stretch)
  --logo IMG             splash logo image (default: none)
  --logo-pos P           top-left, top-centre, bottom-centre, bottom-left,
                         centre or X,Y (default: top-left)
  --logo-key COLOR       logo colour drawn transparent (default: none)
  --splash-text T|@FILE  splash text, or the UTF-8 text in FILE; at most 2788
                         bytes with CR LF line ends, 1023 bytes a line;
                         @@T for a text T that begins with @ (default: none)
  --text-pos P           top-left, top-centre, bottom-left, bottom-centre,
                         centre or X,Y (default: centre)
  --text-color COLOR     splash text colour (default: #FFFFFF)
  --shadow COLOR,DX,DY   draw the text with a shadow offset by DX,DY pixels
                         (default: no shadow)
  --back-color COLOR     splash background colour (default: #000000)
  --font-height N        splash font height (default: 32)
  --font FILE            font file installed by the viewer (with --font-face)
  --font-face NAME       face name of that font, used for the splash text
  --no-export            the viewer offers no export
  --clear-recent         the viewer clears the recent-documents list on exit
  --method-flags N       method flags of the file items, decimal or 0x hex
                         (default: 0x440)
  --data-file-limit B    largest size of one data file in bytes
                         (default and maximum: 4294967295)
  --force                build into OUTPUT_DIR even when it holds other files
                         than an earlier disc (they stay, and a disc burnt
                         from the folder carries them)
  --iso FILE             also write the disc as an ISO 9660 image with Joliet
                         names, labelled with the disc title (host build only)
  --help                 show this text

Reading a built disc (DISC_DIR holds its discview.exe and data files):
  --verify DISC_DIR      reads every file and checks it against the disc's
                         checksums; names each damaged or unreadable file
  --extract DISC_DIR     writes the disc's files into a folder named after
                         the disc title, checking each one; a damaged file is
                         not written and never replaces one that is there
  --to OUT_DIR           where --extract writes (created when missing)
  --password TEXT        the disc's password, when it has one

COLOR is #RRGGBB or R,G,B. Exit codes: 0 done, 1 error, 2 usage error.
--verify and --extract: 0 every file intact, 1 some file damaged, unreadable
or not written, 2 not a disc, a damaged disc, or a wrong or missing password.
)";
    // The window program runs the same command line under its own name.
    const std::string usage = "Usage: mkdisc";
    text.replace(0, usage.size(), "Usage: " + program);
    for (const char* form : {"       mkdisc --verify", "       mkdisc --extract"}) {
        size_t at = text.find(form);
        text.replace(at, strlen(form), "       " + program + " " + strchr(form, '-'));
    }
    return text;
}
