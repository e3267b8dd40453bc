#include "disc_builder.h"

#include "build_error.h"
#include "content_key.h"
#include "data_files.h"
#include "folder_checks.h"
#include "item_names.h"
#include "key_fields.h"
#include "layout_inputs.h"
#include "staged_output.h"
#include "viewer_file.h"

namespace {

const char VIEWER_NAME[] = "discview.exe";

std::string DefaultLabel(const fs::path& sourceDir)
{
    std::error_code error;
    fs::path folder = fs::weakly_canonical(fs::absolute(sourceDir, error), error);
    if (error)
        throw BuildError("cannot resolve " + ShowPath(sourceDir) + ": " + error.message());
    std::string utf8Name;
    std::string label;
    std::string problem = "the folder has no name";
    if (!folder.filename().empty())
        problem = PathToUtf8(folder.filename(), utf8Name) ? ConvertItemName(utf8Name, label)
                                                          : "the name is not valid Unicode";
    if (!problem.empty())
        throw BuildError("the name of source folder " + ShowPath(sourceDir) +
                         " cannot label the disc: " + problem + "; give a label with --label");
    return label;
}

}  // namespace

void BuildDisc(const DiscOptions& options)
{
    UnscrambleKeyFields();
    fs::path sourceDir = PathFromUtf8(options.sourceDir);
    fs::path outputDir = PathFromUtf8(options.outputDir);
    CheckSourceAndOutput(sourceDir, outputDir);

    // Everything is read and checked before the first byte is written.
    fs::path viewer = options.viewer ? PathFromUtf8(*options.viewer) : DefaultViewerPath();
    uint64_t viewerSize = CheckBareViewer(viewer);
    std::string label = options.label ? *options.label : DefaultLabel(sourceDir);
    LayoutInputs inputs = ReadLayoutInputs(options);
    std::vector<SourceEntry> entries = ScanSourceTree(sourceDir);
    DataPlan plan = PlanDataFiles(entries, options.dataFileLimit);
    ItemTable table = BuildItemTable(label, entries, plan, options.methodFlags);
    std::string contentKey = ChooseContentKey(options);
    LayoutHeader header = MakeLayoutHeader(options, inputs.texts, contentKey);

    StagedOutput output(outputDir);
    WriteViewerWithLayout(output.Stage(VIEWER_NAME), viewer, viewerSize, table, inputs, header);
    WriteDataFiles(output, entries, plan, contentKey);
    output.Commit(VIEWER_NAME, plan.dataFileCount);
}
