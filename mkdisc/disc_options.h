// Everything the command line decides about one disc. Paths and the splash
// text are UTF-8 as given; label, password, content key and font face are
// already CP1252, the form the viewer compares and shows.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "item_records.h"
#include "layout_format.h"

const uint32_t DEFAULT_METHOD_FLAGS = METHOD_SCRAMBLED | METHOD_SCRAMBLE;
const uint32_t MAX_DATA_FILE_SIZE = 0xFFFFFFFFu;  // offsets and sizes are 32-bit

// Why a strong disc cannot be built without a password.
const char STRONG_NEEDS_PASSWORD[] =
    "--protection strong needs --password or --password-file: the key is made from the password";

// How the file contents are kept: AES-256-GCM under a key from the password,
// or the design's XOR scrambling.
enum class Protection { Strong, Scrambled };

struct DiscOptions {
    std::string sourceDir;
    std::string outputDir;
    std::optional<std::string> viewer;
    std::optional<std::string> label;
    std::optional<std::string> password;
    std::optional<std::string> contentKey;
    std::optional<std::string> eulaFile;

    std::optional<std::string> backgroundFile;
    uint32_t backgroundBits = 0;  // stretched when no placement bit is set

    std::optional<std::string> logoFile;
    uint32_t logoBits = FLAG_LOGO_TOP_LEFT;
    int32_t logoX = 0;
    int32_t logoY = 0;
    std::optional<uint32_t> logoKeyColor;

    std::optional<std::string> splashText;  // the text itself, or @FILE
    uint32_t textPlacement = TEXT_CENTRE;   // 0: at textX, textY
    int32_t textX = 0;
    int32_t textY = 0;
    uint32_t textColor = 0x00FFFFFF;
    bool shadow = false;
    uint32_t shadowColor = 0;
    int32_t shadowDx = 0;
    int32_t shadowDy = 0;
    uint32_t backColor = 0;
    int32_t fontHeight = 32;

    std::optional<std::string> fontFile;
    std::optional<std::string> fontFace;

    bool noExport = false;
    bool clearRecent = false;
    uint32_t methodFlags = DEFAULT_METHOD_FLAGS;
    uint32_t dataFileLimit = MAX_DATA_FILE_SIZE;

    // Builds into an output folder that holds other files too.
    bool force = false;

    std::optional<std::string> isoFile;  // the disc as an ISO 9660 image too

    // Strong by default when there is a password, else scrambled.
    std::optional<Protection> protection;
    // --protection strong without a password: it is asked for on the terminal.
    bool askPassword = false;
    // autorun.inf and the ISO image name the disc "DISC", not by its title.
    bool hideTitle = false;
    // The page that opens the disc in any browser, with its scripts.
    bool browserReader = true;
    // The integrity record and the checksums; off makes the discs of before.
    bool integrity = true;
};
