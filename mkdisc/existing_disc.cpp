#include "existing_disc.h"

#include "build_error.h"
#include "byte_source.h"
#include "disc_open.h"
#include "staged_output.h"

DiscStrength ExistingDiscStrength(const fs::path& outputDir)
{
    std::error_code error;
    fs::path viewer = outputDir / DISC_VIEWER_NAME;
    if (!fs::is_regular_file(viewer, error))
        return DiscStrength::None;
    FilePtr file;
    try {
        file = OpenForReading(viewer, "viewer");
    } catch (const BuildError&) {
        return DiscStrength::None;
    }
    ByteSource source;
    if (!FileSource(file.get(), &source))
        return DiscStrength::None;
    UnscrambleKeyFields();
    OpenedDisc disc;
    InitOpenedDisc(&disc);
    int reason = DISC_OK;
    DiscStrength strength = DiscStrength::None;
    // A strong disc of the earlier record version is strong all the same.
    if (OpenDiscLayout(&source, &disc, &reason))
        strength = disc.strong ? DiscStrength::Strong
                   : disc.needsPassword ? DiscStrength::Password
                                        : DiscStrength::None;
    else if (reason == DISC_OUTDATED)
        strength = DiscStrength::Strong;
    CloseOpenedDisc(&disc);
    return strength;
}

DiscStrength PlannedStrength(const DiscOptions& options)
{
    if (!options.password)
        return DiscStrength::None;
    bool scrambled = !options.integrity || (options.protection && *options.protection == Protection::Scrambled);
    return scrambled ? DiscStrength::Password : DiscStrength::Strong;
}

const char* StrengthText(DiscStrength strength)
{
    switch (strength) {
    case DiscStrength::Strong:
        return "strong protection (AES-256) and a password";
    case DiscStrength::Password:
        return "a password (scrambled)";
    default:
        return "no password";
    }
}

std::string WeakerDiscWarning(const DiscOptions& options)
{
    DiscStrength existing = ExistingDiscStrength(PathFromUtf8(options.outputDir));
    DiscStrength planned = PlannedStrength(options);
    if (planned >= existing)
        return std::string();
    return "the disc in " + ShowPath(PathFromUtf8(options.outputDir)) + " has " + StrengthText(existing) +
           "; the new one, which replaces it, has " + StrengthText(planned);
}
