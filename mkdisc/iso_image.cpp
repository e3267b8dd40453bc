#include "iso_image.h"

#include <cstdlib>
#include <memory>
#include <system_error>

#define LIBISOFS_WITHOUT_LIBBURN yes
#include <libisofs/libisofs.h>

#include "build_error.h"

namespace {

const int SECTOR_SIZE = 2048;
const int ISO_LEVEL = 2;           // names up to 31 characters, files up to 4 GiB - 1
const int PROFILE_DISTRIBUTION = 2;  // Rock Ridge and Joliet, plain permissions

std::string IsoProblem(int code)
{
    const char* text = iso_error_to_msg(code);
    return text ? text : "libisofs error " + std::to_string(code);
}

// libisofs must be started once per process and stopped after its last image.
class IsoLibrary {
public:
    IsoLibrary()
    {
        int result = iso_init();
        if (result < 0)
            throw BuildError("cannot start the image writer: " + IsoProblem(result));
        // Names and the label are given as UTF-8 whatever the locale says.
        iso_set_local_charset(const_cast<char*>("UTF-8"), 0);
        // Failures come back as results; nothing is to be printed on the way.
        iso_set_msgs_severities(const_cast<char*>("NEVER"), const_cast<char*>("NEVER"),
                                const_cast<char*>(""));
    }
    ~IsoLibrary() { iso_finish(); }
    IsoLibrary(const IsoLibrary&) = delete;
    IsoLibrary& operator=(const IsoLibrary&) = delete;
};

struct ImageReleaser {
    void operator()(IsoImage* image) const { iso_image_unref(image); }
};
struct OptionsReleaser {
    void operator()(IsoWriteOpts* options) const { iso_write_opts_free(options); }
};
struct SourceReleaser {
    void operator()(burn_source* source) const
    {
        // Ends the writer thread when the image was not read to its end.
        if (source->cancel)
            source->cancel(source);
        source->free_data(source);
        free(source);
    }
};

void Check(int result, const std::string& doing)
{
    if (result < 0)
        throw BuildError("cannot write the ISO image: " + doing + ": " + IsoProblem(result));
}

void WriteImageFile(const fs::path& part, const fs::path& discFolder,
                    const std::vector<std::string>& names, const std::string& label)
{
    IsoImage* rawImage = nullptr;
    Check(iso_image_new(label.c_str(), &rawImage), "cannot start the image");
    std::unique_ptr<IsoImage, ImageReleaser> image(rawImage);
    iso_tree_set_follow_symlinks(image.get(), 0);
    iso_image_set_application_id(image.get(), const_cast<char*>("ARCSEAL 3"));
    // libisofs finds files by absolute path only: a folder given relative to
    // the current one ("cli/harbour") is made absolute first.
    std::error_code error;
    const fs::path folder = fs::absolute(discFolder, error);
    if (error)
        throw BuildError("cannot write the ISO image: cannot resolve " + ShowPath(discFolder) + ": " +
                         error.message());
    for (const std::string& name : names) {
        fs::path file = folder / fs::u8path(name);
        if (fs::is_directory(file, error)) {
            // A folder of the disc (the browser reader's) with all it holds.
            IsoDir* added = nullptr;
            Check(iso_tree_add_new_dir(iso_image_get_root(image.get()), name.c_str(), &added),
                  "cannot add " + ShowPath(file));
            Check(iso_tree_add_dir_rec(image.get(), added, file.c_str()), "cannot add " + ShowPath(file));
            continue;
        }
        Check(iso_tree_add_node(image.get(), iso_image_get_root(image.get()), file.c_str(), nullptr),
              "cannot add " + ShowPath(file));
    }

    IsoWriteOpts* rawOptions = nullptr;
    Check(iso_write_opts_new(&rawOptions, PROFILE_DISTRIBUTION), "cannot set its options");
    std::unique_ptr<IsoWriteOpts, OptionsReleaser> options(rawOptions);
    Check(iso_write_opts_set_iso_level(options.get(), ISO_LEVEL), "cannot set the ISO level");
    Check(iso_write_opts_set_joliet(options.get(), 1), "cannot ask for Joliet names");

    burn_source* rawSource = nullptr;
    Check(iso_image_create_burn_source(image.get(), options.get(), &rawSource), "cannot lay it out");
    std::unique_ptr<burn_source, SourceReleaser> source(rawSource);
    const off_t expected = source->get_size(source.get());

    FilePtr out = OpenForWriting(part);
    unsigned char sector[SECTOR_SIZE];
    off_t written = 0;
    for (;;) {
        int got = source->read_xt(source.get(), sector, SECTOR_SIZE);
        if (got <= 0)
            break;
        WriteBytes(out.get(), sector, (size_t)got, part);
        written += got;
    }
    FinishWriting(out, part);
    if (written != expected)
        throw BuildError("cannot write the ISO image: it came out " + std::to_string(written) +
                         " bytes long instead of " + std::to_string(expected) +
                         " (a disc file could not be read)");
}

}  // namespace

bool IsoImagesSupported()
{
    return true;
}

void WriteIsoImage(const fs::path& image, const fs::path& discFolder,
                   const std::vector<std::string>& names, const std::string& label)
{
    fs::path part = image;
    part += ".mkdisc-part";
    try {
        IsoLibrary library;
        WriteImageFile(part, discFolder, names, label);
    } catch (...) {
        std::error_code ignored;
        fs::remove(part, ignored);
        throw;
    }
    std::error_code error;
    fs::rename(part, image, error);
    if (error) {
        std::error_code ignored;
        fs::remove(part, ignored);
        throw BuildError("cannot rename " + ShowPath(part) + " to " + ShowPath(image) + ": " +
                         error.message());
    }
}
