// The data files beside the viewer: each file's contents, scrambled with the
// content key, at the place the plan gave it.
#pragma once
#include <string>
#include <vector>

#include "build_progress.h"
#include "data_plan.h"
#include "source_tree.h"
#include "staged_output.h"

// meter (when given) hears of every slice and every finished file.
void WriteDataFiles(StagedOutput& output, const std::vector<SourceEntry>& entries,
                    const DataPlan& plan, const std::string& contentKey,
                    ProgressMeter* meter = nullptr);
