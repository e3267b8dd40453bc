#include "disc_check.h"

#include <cstring>
#include <set>
#include <utility>
#include <vector>
#include <system_error>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#endif

#include "build_error.h"
#include "content_copy.h"
#include "cp1252.h"
#include "data_stream.h"
#include "disc_reader.h"
#include "folder_listing.h"
#include "path_text.h"
#include "read_ahead.h"
#include "scramble.h"

namespace {

// The data files are opened in the disc's folder; a file that cannot be is
// taken as missing (the copy then says so).
FILE* OpenDataFile(void* context, const char* name)
{
    const fs::path& folder = *(const fs::path*)context;
    try {
        return OpenForReading(folder / PathFromUtf8(name), "data file").release();
    } catch (const BuildError&) {
        return nullptr;
    }
}

// Creates one folder (a real folder, never a link that could lead out of
// the tree) inside its parent's, which is there already; returns it, or an
// empty path with the problem.
fs::path MakeFolder(const fs::path& parent, const std::string& name, std::string& problem)
{
    fs::path folder = name.empty() ? parent : parent / PathFromUtf8(name);
    std::error_code error;
    fs::file_status status = fs::symlink_status(LongPathForm(folder), error);
    if (fs::is_symlink(status) || (fs::exists(status) && !fs::is_directory(status))) {
        problem = ShowPath(folder) + " is there and is not a folder";
        return fs::path();
    }
    if (!fs::exists(status) && !fs::create_directory(LongPathForm(folder), error) && error) {
        problem = "cannot create " + ShowPath(folder) + ": " + error.message();
        return fs::path();
    }
    return folder;
}

bool IsDiscFile(const ReadableDisc& disc, const fs::path& target)
{
    std::error_code error;
    if (!fs::exists(target, error))
        return false;
    if (fs::equivalent(target, disc.viewer, error))
        return true;
    for (const DiscItem& item : disc) {
        if (IsFileItem(item.itemType) && item.dataFileName[0] && IsPlainFileName(item.dataFileName) &&
            fs::equivalent(target, disc.folder / PathFromUtf8(disc.NameText(item.dataFileName)), error))
            return true;
    }
    return false;
}

class DiscReader {
public:
    DiscReader(const ReadableDisc& disc, std::ostream& out) : disc_(disc), out_(out) {}

    // Copies one item's contents to destination (null: only checks them);
    // true when every byte came and every check held, else the line is out.
    bool Copy(const DiscItem& item, FILE* destination, const fs::path& destinationPath)
    {
        std::string dataName = disc_.NameText(item.dataFileName);
        if (!item.dataFileName[0])
            return Fail("unreadable", item, "it names no data file");
        if (const char* why = FileNameProblem(item.dataFileName))
            return Fail("unreadable", item,
                        "its data file name \"" + dataName + "\" is not a file beside the viewer: " + why);
        DataFileOpener opener = {OpenDataFile, (void*)&disc_.folder};
        DataRead source;
        int started = StartDataRead(&source, &opener, item.dataFileName, item.dataOffset, disc_.opened.dataFileLimit);
        if (started != DATA_READ_STARTED) {
            std::string name = disc_.NameText(source.name);
            EndDataRead(&source);
            return Fail("unreadable", item,
                        started == DATA_FILE_MISSING
                            ? "data file " + name + " is missing"
                            : "data file " + name + " cannot be read at offset " + std::to_string(item.dataOffset));
        }
        ContentFormat format;
        if (!DiscContentFormat(&disc_.opened, item.itemId, item.itemSize, item.reserved, nullptr, &format)) {
            EndDataRead(&source);
            throw DiscRefused("the disc's contents cannot be opened");
        }
        int copied = !destination && IsLargeSealed(format) ? CheckInTwoHalves(format, item, &source)
                                                           : CopyFrom(format, destination, &source);
        std::string lastFile = disc_.NameText(source.name);
        EndDataRead(&source);
        switch (copied) {
        case COPY_DONE:
            return true;
        case COPY_DAMAGED:
            return Fail("damaged", item, "");
        case COPY_SOURCE_ENDED:
            return Fail(disc_.opened.checksums ? "damaged" : "unreadable", item,
                        "data file " + lastFile + " ends before its contents do");
        case COPY_WRITE_FAILED:
            return Fail("not written", item, "cannot write " + ShowPath(destinationPath) + ": " +
                                                 std::generic_category().message(errno));
        default:
            return Fail("unreadable", item, "out of memory");
        }
    }

    // Larger contents are read ahead on a second thread while the pieces
    // already read are checked.
    static int CopyFrom(const ContentFormat& format, FILE* destination, DataRead* source)
    {
        uint64_t stored = StoredContentSize(&format);
        uint32_t pieceSize = ContentPieceSize(&format);
        if (stored > 2ull * pieceSize) {
            // The reading thread descrambles too: the copy only sums.
            ContentFormat summed = format;
            summed.xorValue = 0;
            ReadAhead reader(source, stored, pieceSize, format.mode == CONTENT_SEALED ? 0 : format.xorValue);
            if (reader.Started()) {
                ContentPieces pieces = reader.Pieces();
                return CopyContentsFrom(&summed, destination, &pieces, nullptr, nullptr);
            }
        }
        return CopyFromDataFiles(&format, source, destination, nullptr, nullptr);
    }

    bool IsLargeSealed(const ContentFormat& format) const
    {
        uint64_t chunksPerPiece = ContentPieceSize(&format) / (format.chunkSize + CHUNK_TAG_SIZE);
        return format.mode == CONTENT_SEALED && disc_.opened.secondCipher &&
               SealedChunkCount(&format) >= 4 * chunksPerPiece;
    }

    // A large sealed file is checked in two halves at once, each with its
    // own reading of the data files and its own cipher: the tags, not the
    // reading, take the time, and each chunk's tag stands alone.
    int CheckInTwoHalves(const ContentFormat& format, const DiscItem& item, DataRead* source)
    {
        const uint64_t chunks = SealedChunkCount(&format);
        const uint64_t firstHalf = chunks / 2;
        ContentFormat second = format;
        second.cipher = disc_.opened.secondCipher;
        int secondResult = COPY_NO_MEMORY;
        char secondName[sizeof source->name] = "";
        std::thread other([&] {
            DataFileOpener opener = {OpenDataFile, (void*)&disc_.folder};
            DataRead read{};
            uint64_t offset = item.dataOffset + SealedChunksStoredSize(&format, 0, firstHalf);
            if (StartDataRead(&read, &opener, item.dataFileName, offset, disc_.opened.dataFileLimit) ==
                DATA_READ_STARTED)
                secondResult = CopyChunksFromDataFiles(&second, &read, nullptr, firstHalf, chunks - firstHalf);
            else
                secondResult = COPY_SOURCE_ENDED;
            memcpy(secondName, read.name, sizeof secondName);
            EndDataRead(&read);
        });
        int firstResult = CopyChunksFromDataFiles(&format, source, nullptr, 0, firstHalf);
        other.join();
        if (firstResult != COPY_DONE)
            return firstResult;
        memcpy(source->name, secondName, sizeof secondName);  // where the second half ended, if it did
        return secondResult;
    }

    bool Fail(const char* what, const DiscItem& item, const std::string& why)
    {
        out_ << what << ": " << ItemPathText(disc_, item) << (why.empty() ? "" : " (" + why + ")") << "\n";
        return false;
    }

private:
    const ReadableDisc& disc_;
    std::ostream& out_;
};

// Gives part the target's name, replacing a file of that name in one step.
void ReplaceWith(const fs::path& part, const fs::path& target, std::error_code& error)
{
    error.clear();  // what an earlier look at the target left there is not this call's
#ifdef _WIN32
    if (!MoveFileExW(LongPathForm(part).c_str(), LongPathForm(target).c_str(), MOVEFILE_REPLACE_EXISTING))
        error = std::error_code((int)GetLastError(), std::system_category());
#else
    fs::rename(part, target, error);
#endif
}

bool IsFile(const DiscItem& item)
{
    return IsFileItem(item.itemType);
}

size_t CountFiles(const ReadableDisc& disc)
{
    size_t files = 0;
    for (const DiscItem& item : disc)
        files += IsFile(item);
    return files;
}

void NoChecksumsNote(const ReadableDisc& disc, std::ostream& out)
{
    if (!disc.opened.checksums)
        out << "the disc carries no checksums: only whether each file can be read is checked\n";
}

std::string Summary(size_t failed, size_t files, const char* good, const char* bad)
{
    if (failed == 0)
        return "all " + std::to_string(files) + " files " + good + "\n";
    return std::to_string(failed) + " of " + std::to_string(files) + " files " + bad + "\n";
}

int Verify(const ReadableDisc& disc, std::ostream& out)
{
    NoChecksumsNote(disc, out);
    DiscReader reader(disc, out);
    size_t failed = 0;
    for (const DiscItem& item : disc) {
        if (IsFile(item) && !reader.Copy(item, nullptr, fs::path()))
            ++failed;
    }
    size_t files = CountFiles(disc);
    out << (disc.opened.checksums ? Summary(failed, files, "are intact", "are damaged")
                           : Summary(failed, files, "can be read", "cannot be read"));
    return failed ? EXIT_DAMAGED : EXIT_INTACT;
}

// A name for the copy in progress, beside its target and of no other file.
fs::path PartPath(const fs::path& target)
{
    for (unsigned attempt = 0;; ++attempt) {
        fs::path part = target;
        part += ".part" + (attempt ? std::to_string(attempt) : std::string());
        std::error_code error;
        if (!fs::exists(fs::symlink_status(LongPathForm(part), error)))
            return part;
    }
}

// Writes one file to a temporary name and gives it the target's name only
// when it is whole and intact: an existing file is never replaced by less.
bool ExtractFile(const ReadableDisc& disc, DiscReader& reader, const DiscItem& item, const fs::path& folder)
{
    fs::path target = folder / PathFromUtf8(disc.NameText(item.name));
    std::error_code error;
    fs::file_status status = fs::symlink_status(LongPathForm(target), error);
    if (fs::is_directory(status))
        return reader.Fail("not written", item, ShowPath(target) + " is a folder");
    if (IsDiscFile(disc, target))
        return reader.Fail("not written", item, ShowPath(target) + " is one of the disc's own files");
    fs::path part = PartPath(target);
    FilePtr file;
    try {
        file = OpenForWriting(part);
    } catch (const BuildError& failure) {
        return reader.Fail("not written", item, failure.what());
    }
    bool copied = reader.Copy(item, file.get(), part);
    if (copied) {
        try {
            FinishWriting(file, part);
        } catch (const BuildError& failure) {
            copied = reader.Fail("not written", item, failure.what());
        }
    }
    file.reset();
    if (copied) {
        ReplaceWith(part, target, error);
        if (error)
            copied = reader.Fail("not written", item, "cannot rename " + ShowPath(part) + " to " +
                                                          ShowPath(target) + ": " + error.message());
    }
    if (!copied)
        fs::remove(part, error);
    else if (item.modified)
        SetFileModified(target, item.modified);  // a time that cannot be set costs no file
    return copied;
}

int Extract(const ReadableDisc& disc, const fs::path& outDir, std::ostream& out, std::ostream& err,
            const std::string& program)
{
    std::error_code error;
    fs::create_directories(outDir, error);
    if (!fs::is_directory(outDir, error)) {
        err << program << ": cannot create " << ShowPath(outDir) << (error ? ": " + error.message() : "") << "\n";
        return EXIT_NOT_A_DISC;
    }
    std::string title = disc.title.empty() ? "Arcseal" : disc.title;
    if (const char* why = disc.NameProblem(title.c_str())) {
        out << "refused: the disc title \"" << disc.NameText(title.c_str()) << "\" cannot name a folder: " << why
            << "; no file is written\n";
        return EXIT_DAMAGED;
    }
    fs::path root = outDir / PathFromUtf8(disc.NameText(title.c_str()));
    NoChecksumsNote(disc, out);
    DiscReader reader(disc, out);
    std::string rootProblem;
    root = MakeFolder(root, "", rootProblem);
    if (root.empty())
        out << "not written: " << rootProblem << "\n";
    // Each folder is made once, inside its parent's (parents come first in
    // the table), so a path is never walked again: made[i] is folder i's.
    std::vector<fs::path> made(disc.opened.itemCount);
    // Two items of one folder whose names Windows takes for the same would
    // land on one file: the later one is refused.
    std::set<std::pair<uint32_t, std::string>> taken;
    size_t failed = 0;
    for (uint32_t i = 0; i < disc.opened.itemCount; ++i) {
        const DiscItem& item = disc.opened.items[i];
        if (disc.IsTop(item))
            continue;  // the whole disc and disc roots
        bool file = IsFile(item);
        const DiscItem* parent = disc.FolderOf(item);
        uint32_t parentIndex = parent ? item.parent : DISC_NO_PARENT;
        const fs::path& parentFolder = parent ? made[parentIndex] : root;
        std::string problem;
        bool ownName = false;
        if (parentFolder.empty()) {
            problem = "its folder could not be made";
        } else if (const char* why = disc.NameProblem(item.name)) {
            problem = "\"" + disc.NameText(item.name) + "\" cannot be a file name: " + why;
            ownName = true;
        } else if (!taken.insert({parentIndex, disc.FoldedName(item.name)}).second && file) {
            problem = "another item of its folder has the same name";
        }
        if (problem.empty() && !file)
            made[i] = MakeFolder(parentFolder, disc.NameText(item.name), problem);
        if (!problem.empty()) {
            // A folder's own bad name is told once; its files say it again.
            if (file || ownName || !parentFolder.empty())
                reader.Fail("refused", item, problem);
            failed += file;
            continue;
        }
        if (file && !ExtractFile(disc, reader, item, parentFolder))
            ++failed;
    }
    size_t files = CountFiles(disc);
    if (failed == 0)
        out << "all " << files << " files are written to " << ShowPath(root) << "\n";
    else
        out << failed << " of " << files << " files are not written\n";
    return failed ? EXIT_DAMAGED : EXIT_INTACT;
}

}  // namespace

int CheckDisc(const ReadRequest& request, std::ostream& out, std::ostream& err, const std::string& program)
{
    try {
        ReadableDisc disc;
        OpenDiscForReading(PathFromUtf8(request.discDir), request.password, disc);
        if (request.mode == ReadMode::Verify)
            return Verify(disc, out);
        return Extract(disc, PathFromUtf8(request.outDir), out, err, program);
    } catch (const DiscRefused& refusal) {
        err << program << ": " << refusal.what() << "\n";
    }
    return EXIT_NOT_A_DISC;
}
