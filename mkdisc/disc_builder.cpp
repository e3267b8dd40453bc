#include "disc_builder.h"

#include <cstring>

#include "autorun_file.h"
#include "browser_reader.h"
#include "build_error.h"
#include "content_key.h"
#include "cp1252.h"
#include "content_copy.h"
#include "data_files.h"
#include "disc_protection.h"
#include "folder_checks.h"
#include "iso_image.h"
#include "layout_digest.h"
#include "item_names.h"
#include "key_fields.h"
#include "layout_inputs.h"
#include "option_rules.h"
#include "scramble.h"
#include "staged_output.h"
#include "viewer_file.h"

namespace {

std::string DefaultLabel(const fs::path& sourceDir, bool wide)
{
    std::error_code error;
    fs::path folder = fs::weakly_canonical(fs::absolute(sourceDir, error), error);
    if (error)
        throw BuildError("cannot resolve " + ShowPath(sourceDir) + ": " + error.message());
    std::string utf8Name;
    std::string label;
    std::string problem = "the folder has no name";
    if (!folder.filename().empty())
        problem = !PathToUtf8(folder.filename(), utf8Name) ? "the name is not valid Unicode"
                  : wide                                   ? ConvertWideItemName(utf8Name, label)
                                                           : ConvertItemName(utf8Name, label);
    if (!problem.empty())
        throw BuildError("the name of source folder " + ShowPath(sourceDir) +
                         " cannot label the disc: " + problem + "; give a label with --label");
    return label;
}

// The image must not end up on the disc or in the next build's source.
void CheckIsoFile(const fs::path& iso, const fs::path& sourceDir, const fs::path& outputDir)
{
    std::error_code error;
    fs::path folder = fs::weakly_canonical(fs::absolute(iso, error).parent_path(), error);
    if (error)
        throw BuildError("cannot resolve " + ShowPath(iso) + ": " + error.message());
    for (const fs::path& around : {sourceDir, outputDir}) {
        fs::path resolved = fs::weakly_canonical(fs::absolute(around, error), error);
        if (!error && IsSameOrInside(folder, resolved))
            throw BuildError("--iso " + ShowPath(iso) + " lies inside " + ShowPath(around) +
                             "; put the image somewhere else");
    }
    if (fs::is_directory(iso, error))
        throw BuildError("--iso " + ShowPath(iso) + " is a folder");
}

BuildTotals Totals(const std::vector<SourceEntry>& entries, const DataPlan& plan)
{
    BuildTotals totals;
    for (const SourceEntry& entry : entries) {
        if (entry.isFolder) {
            ++totals.folders;
        } else {
            ++totals.files;
            totals.bytes += entry.size;
        }
    }
    totals.dataFiles = plan.dataFileCount;
    return totals;
}

// The record goes into the header; strong discs carry no password check
// block the original viewer could be fooled by, and their item table is
// sealed bound to every byte of the layout behind it. Returns that layout.
std::vector<unsigned char> SealAndRecord(DiscProtection& protection, ItemTable& table,
                                         LayoutHeader& header, uint64_t viewerSize,
                                         const LayoutInputs& inputs, uint64_t dataFileLimit)
{
    if (protection.integrity) {
        protection.FinishRecord();
        if (protection.strong) {
            table.sealed = true;
            protection.record.itemCount = table.itemCount;
            protection.record.plainTableSize = (uint32_t)table.bytes.size();
            protection.record.dataFileLimit = table.wide ? dataFileLimit : 0;
            memset(header.contentKey, 0, sizeof header.contentKey);
        }
        WriteIntegrityRecord(&protection.record, &header);
    }
    std::vector<unsigned char> tail = LayoutTail(inputs, header, MakeTrailer(viewerSize, table, inputs));
    if (table.sealed) {
        MemoryBytes bytes = {tail.data(), tail.size()};
        ByteSource source;
        MemorySource(&bytes, &source);
        unsigned char digest[SHA256_SIZE];
        uint32_t plainSize = (uint32_t)table.bytes.size();
        table.bytes.resize(table.bytes.size() + CHUNK_TAG_SIZE);
        if (!ComputeLayoutDigest(&source, 0, digest) ||
            !SealItemTable(protection.keys.tableKey, table.bytes.data(), plainSize, digest, table.wide))
            throw BuildError("cannot seal the item table (libgcrypt failed)");
    }
    // Every key is in the record (wrapped) or spent: none stays in memory.
    memset(&protection.keys, 0, sizeof protection.keys);
    return tail;
}

}  // namespace

BuildTotals BuildDisc(const DiscOptions& options, BuildProgress* progress)
{
    UnscrambleKeyFields();
    fs::path sourceDir = PathFromUtf8(options.sourceDir);
    fs::path outputDir = PathFromUtf8(options.outputDir);
    CheckSourceAndOutput(sourceDir, outputDir);
    // A build replaces an earlier disc, never an author's own files; nor does
    // it mix its files among them unasked.
    if (!options.force) {
        std::vector<std::string> others = OtherFilesInOutput(outputDir);
        if (!others.empty())
            throw BuildError(OtherFilesText(outputDir, others) +
                             "; choose an empty folder, or give --force to build there all the same");
    }
    if (options.isoFile)
        CheckIsoFile(PathFromUtf8(*options.isoFile), sourceDir, outputDir);

    // Everything is read and checked before the first byte is written.
    fs::path viewer = options.viewer ? PathFromUtf8(*options.viewer) : DefaultViewerPath();
    uint64_t viewerSize = CheckBareViewer(viewer);
    // Strong discs hold the wide records: any name, any size, one data stream.
    const bool wide = IsStrongDisc(options);
    if (wide && options.dataFileLimit < MIN_DATA_FILE_LIMIT)
        throw BuildError("--data-file-limit must be at least " + std::to_string(MIN_DATA_FILE_LIMIT) +
                         " bytes for a strong disc");
    std::string label = options.label ? *options.label : DefaultLabel(sourceDir, wide);
    // What a drive shows before anyone opens the disc: its title, or a neutral name.
    const std::string shownLabel = options.hideTitle ? std::string("DISC") : label;
    LayoutInputs inputs = ReadLayoutInputs(options);
    std::vector<SourceEntry> entries = ScanSourceTree(sourceDir, wide);
    std::unique_ptr<DiscProtection> protection = ChooseProtection(options);
    DataPlan plan = wide ? PlanDataStream(entries, options.dataFileLimit, protection->ChunkSize())
                         : PlanDataFiles(entries, options.dataFileLimit, protection->ChunkSize());
    std::string contentKey = ChooseContentKey(options);
    BuildTotals totals = Totals(entries, plan);
    ContentWriting how;
    how.xorValue = CombinedKeyValue(contentKey.c_str());
    how.cipher = protection->contentCipher.get();
    how.chunkSize = protection->ChunkSize();
    how.wideSizes = wide;

    ProgressMeter meter(progress);
    if (progress)
        progress->Planned(totals);
    meter.CheckCancel();
    {
        StagedOutput output(outputDir);
        // The data files go first: the item table carries their checksums.
        std::vector<uint32_t> checksums = WriteDataFiles(output, entries, plan, how, &meter);
        ItemTable table = BuildItemTable(label, entries, plan, options.methodFlags,
                                         protection->integrity && !protection->strong
                                             ? checksums : std::vector<uint32_t>());
        LayoutHeader header = MakeLayoutHeader(options, inputs.texts, contentKey);
        std::vector<unsigned char> tail =
            SealAndRecord(*protection, table, header, viewerSize, inputs, plan.dataFileLimit);
        WriteViewerWithLayout(output.Stage(DISC_VIEWER_NAME), viewer, viewerSize, table, tail);
        std::string autorunLabel;
        bool utf16 = wide && !Utf8ToCp1252(shownLabel, autorunLabel);
        WriteAutorunFile(output.Stage(AUTORUN_NAME), DISC_VIEWER_NAME, utf16 || !wide ? shownLabel : autorunLabel,
                         utf16);
        if (options.browserReader)
            StageBrowserReader(output);
        // The last moment a cancel leaves the folder as it was.
        meter.CheckCancel();
        output.Commit(DISC_VIEWER_NAME, plan.dataFileCount);
    }

    if (options.isoFile) {
        std::vector<std::string> names = {DISC_VIEWER_NAME, AUTORUN_NAME};
        if (options.browserReader)
            names.insert(names.end(), {BROWSER_READER_PAGE, BROWSER_READER_FOLDER});
        for (uint32_t number = 1; number <= plan.dataFileCount; ++number)
            names.push_back(DataFileName(number));
        try {
            WriteIsoImage(PathFromUtf8(*options.isoFile), outputDir, names,
                          wide ? shownLabel : Cp1252ToUtf8(shownLabel));
        } catch (const BuildError& failure) {
            throw BuildError("the disc is built in " + ShowPath(outputDir) + ", but " + failure.what());
        }
    }
    return totals;
}
