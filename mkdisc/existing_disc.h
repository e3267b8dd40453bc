// What protects the disc a build is about to replace, so that a disc is never
// rebuilt with less protection than it had without the author knowing.
#pragma once
#include <string>

#include "disc_options.h"
#include "file_io.h"

enum class DiscStrength { None = 0, Password = 1, Strong = 2 };

// The disc already in outputDir (None when there is none, or it cannot be read).
DiscStrength ExistingDiscStrength(const fs::path& outputDir);

// What the options will build.
DiscStrength PlannedStrength(const DiscOptions& options);

// "strong protection (AES-256) with a password", ...
const char* StrengthText(DiscStrength strength);

// A sentence when the build would replace a disc protected more strongly than
// the new one ("... has ...; the new one, which replaces it, has ..."), else an
// empty text.
std::string WeakerDiscWarning(const DiscOptions& options);
