#include "browser_reader.h"

#include <cstring>
#include <system_error>

#include "browser_reader_files.h"
#include "build_error.h"

void StageBrowserReader(StagedOutput& output)
{
    const fs::path folder = output.StageFolder(BROWSER_READER_FOLDER);
    const std::string prefix = std::string(BROWSER_READER_FOLDER) + "/";
    for (size_t i = 0; i < BROWSER_READER_FILE_COUNT; ++i) {
        const EmbeddedFile& file = BROWSER_READER_FILES[i];
        fs::path path;
        if (strcmp(file.discPath, BROWSER_READER_PAGE) == 0) {
            path = output.Stage(BROWSER_READER_PAGE);
        } else if (strncmp(file.discPath, prefix.c_str(), prefix.size()) == 0) {
            path = folder / fs::u8path(file.discPath + prefix.size());
            std::error_code error;
            fs::create_directories(path.parent_path(), error);
            if (error)
                throw BuildError("cannot create " + ShowPath(path.parent_path()) + ": " + error.message());
        } else {
            throw BuildError(std::string("the browser reader's file ") + file.discPath + " has no place on a disc");
        }
        FilePtr out = OpenForWriting(path);
        WriteBytes(out.get(), file.bytes, file.size, path);
        FinishWriting(out, path);
    }
}
