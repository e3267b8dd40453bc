// The data files beside the viewer: each file's contents, scrambled with the
// content key or sealed, at the place the plan gave it.
#pragma once
#include <string>
#include <vector>

#include "build_progress.h"
#include "content_writer.h"
#include "data_plan.h"
#include "source_tree.h"
#include "staged_output.h"

// meter (when given) hears of every piece and every finished file. Returns
// each entry's CRC-32 of its plain contents, in entry order (0 for folders
// and for sealed contents).
std::vector<uint32_t> WriteDataFiles(StagedOutput& output, const std::vector<SourceEntry>& entries,
                                     const DataPlan& plan, const ContentWriting& how,
                                     ProgressMeter* meter = nullptr);
