#include "project_fields.h"

namespace {

const FieldInfo FIELDS[FIELD_COUNT] = {
    {FIELD_SOURCE, "Source folder", "Content", "SourceFolder", ""},
    {FIELD_OUTPUT, "Output folder", "Content", "OutputFolder", ""},
    {FIELD_TITLE, "Disc title", "Content", "DiscTitle", ""},
    // A project file is plain text anyone may read: passwords stay out of it.
    // That the disc has one is kept, so a reopened project never builds a disc
    // without it unasked.
    {FIELD_USE_PASSWORD, "Password", "Protection", "HasPassword", "0"},
    {FIELD_PASSWORD, "Password", "Protection", nullptr, ""},
    {FIELD_CONFIRM, "Confirm password", "Protection", nullptr, ""},
    {FIELD_PROTECTION, "Protection", "Protection", "Protection", "strong"},
    {FIELD_LICENCE, "Licence text file", "Protection", "LicenceFile", ""},
    {FIELD_BACKGROUND, "Background image", "Splash", "BackgroundImage", ""},
    {FIELD_BACKGROUND_PLACEMENT, "Background placement", "Splash", "BackgroundPlacement", "stretch"},
    {FIELD_BACK_COLOUR, "Background colour", "Splash", "BackgroundColour", "#000000"},
    {FIELD_LOGO, "Logo image", "Splash", "LogoImage", ""},
    {FIELD_LOGO_PLACEMENT, "Logo placement", "Splash", "LogoPlacement", "top-left"},
    {FIELD_LOGO_KEY, "Transparent colour", "Splash", "LogoTransparentColour", ""},
    {FIELD_SPLASH_TEXT, "Splash text", "Splash", "SplashText", ""},
    {FIELD_TEXT_PLACEMENT, "Text placement", "Splash", "TextPlacement", "centre"},
    {FIELD_TEXT_COLOUR, "Text colour", "Splash", "TextColour", "#FFFFFF"},
    {FIELD_SHADOW_COLOUR, "Shadow colour", "Splash", "ShadowColour", ""},
    {FIELD_SHADOW_OFFSET, "Shadow offset", "Splash", "ShadowOffset", "2,2"},
    {FIELD_TEXT_HEIGHT, "Text height", "Splash", "TextHeight", "32"},
    {FIELD_FONT_FILE, "Font file", "Splash", "FontFile", ""},
    {FIELD_FONT_FACE, "Font face", "Splash", "FontFace", ""},
    {FIELD_NO_EXPORT, "No export", "Switches", "NoExport", "0"},
    {FIELD_CLEAR_RECENT, "Clear recent documents", "Switches", "ClearRecentDocuments", "0"},
    {FIELD_HIDE_TITLE, "Hide title from drive", "Switches", "HideTitle", "0"},
    {FIELD_BROWSER_READER, "Reader for any browser", "Switches", "BrowserReader", "1"},
};

}  // namespace

const char* const BACKGROUND_PLACEMENTS[8] = {"stretch",    "quarters",      "tile",        "top-left",
                                              "top-centre", "bottom-centre", "bottom-left", "centre"};
const char* const LOGO_PLACEMENTS[5] = {"top-left", "top-centre", "bottom-centre", "bottom-left", "centre"};
const char* const TEXT_PLACEMENTS[5] = {"centre", "top-left", "top-centre", "bottom-left", "bottom-centre"};
const char* const PROTECTIONS[2] = {"strong", "scrambled"};

const FieldInfo* FindField(Field field)
{
    if (field < 0 || field >= FIELD_COUNT)
        return nullptr;
    return &FIELDS[field];
}

ProjectSettings DefaultSettings()
{
    ProjectSettings settings;
    for (const FieldInfo& info : FIELDS)
        settings[info.field] = info.defaultValue;
    return settings;
}

bool SameSavedSettings(const ProjectSettings& a, const ProjectSettings& b)
{
    for (const FieldInfo& info : FIELDS) {
        if (info.key && a[info.field] != b[info.field])
            return false;
    }
    return true;
}
