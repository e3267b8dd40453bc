// Builds one disc from parsed options; throws BuildError on any failure, after
// which the output folder holds no new or half-written disc.
#pragma once
#include "build_progress.h"
#include "disc_options.h"

// progress, when given, hears how far the build has come and may stop it
// (BuildCancelled). Returns what the disc holds.
BuildTotals BuildDisc(const DiscOptions& options, BuildProgress* progress = nullptr);
