// Builds one disc from parsed options; throws BuildError on any failure, after
// which the output folder holds no new or half-written disc.
#pragma once
#include "disc_options.h"

void BuildDisc(const DiscOptions& options);
