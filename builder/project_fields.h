// The settings of one disc as the window shows them: one text per field, in
// the order of the window, grouped as there (content, protection, splash,
// switches). One table says for each field its label, where the project file
// keeps it and its default, so the window, the project file and the checks
// agree; a new field is one more row. No windows.h.
#pragma once
#include <array>
#include <string>

enum Field {
    // Content
    FIELD_SOURCE,
    FIELD_OUTPUT,
    FIELD_TITLE,
    // Protection
    FIELD_USE_PASSWORD,  // "1": the disc has a password (the file keeps this, never the password)
    FIELD_PASSWORD,
    FIELD_CONFIRM,
    FIELD_PROTECTION,  // "strong" or "scrambled"; only with a password
    FIELD_LICENCE,
    // Splash
    FIELD_BACKGROUND,
    FIELD_BACKGROUND_PLACEMENT,
    FIELD_BACK_COLOUR,
    FIELD_LOGO,
    FIELD_LOGO_PLACEMENT,
    FIELD_LOGO_KEY,
    FIELD_SPLASH_TEXT,
    FIELD_TEXT_PLACEMENT,
    FIELD_TEXT_COLOUR,
    FIELD_SHADOW_COLOUR,
    FIELD_SHADOW_OFFSET,
    FIELD_TEXT_HEIGHT,
    FIELD_FONT_FILE,
    FIELD_FONT_FACE,
    // Switches: "1" when ticked, "0" when not
    FIELD_NO_EXPORT,
    FIELD_CLEAR_RECENT,
    FIELD_HIDE_TITLE,
    FIELD_BROWSER_READER,  // ticked unless the author unticks it
    FIELD_COUNT,
    FIELD_NONE = FIELD_COUNT  // a problem of no one field
};

struct FieldInfo {
    Field field;
    const char* label;         // as the window shows it, without the ':'
    const char* section;       // of the project file
    const char* key;           // in the project file; null: never saved (passwords)
    const char* defaultValue;
};

// The row of a field; FIELD_NONE has none (null).
const FieldInfo* FindField(Field field);

// UTF-8 texts; the splash text's lines end in "\n".
struct ProjectSettings {
    std::array<std::string, FIELD_COUNT> values;
    std::string& operator[](Field field) { return values[field]; }
    const std::string& operator[](Field field) const { return values[field]; }
};

ProjectSettings DefaultSettings();

// The names the placement fields offer (those mkdisc takes), first the default.
extern const char* const BACKGROUND_PLACEMENTS[8];
extern const char* const LOGO_PLACEMENTS[5];
extern const char* const TEXT_PLACEMENTS[5];
// The protections a disc with password can have (mkdisc's --protection), first the default.
extern const char* const PROTECTIONS[2];

// The same settings as far as a project file keeps them (passwords are not kept).
bool SameSavedSettings(const ProjectSettings& a, const ProjectSettings& b);
