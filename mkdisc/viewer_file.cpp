#include "viewer_file.h"

#include <cstring>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#endif

#include "build_error.h"
#include "disc_crypto.h"
#include "key_fields.h"
#include "scramble.h"

namespace {

fs::path OwnExecutable()
{
#ifdef _WIN32
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, &path[0], (DWORD)path.size());
        if (length == 0)
            throw BuildError("cannot find mkdisc's own folder; name the viewer with --viewer");
        if (length < path.size()) {
            path.resize(length);
            return fs::path(path);
        }
        path.resize(path.size() * 2);
    }
#else
    std::error_code error;
    fs::path path = fs::read_symlink("/proc/self/exe", error);
    if (error)
        throw BuildError("cannot find mkdisc's own folder; name the viewer with --viewer");
    return path;
#endif
}

uint32_t SectionSize(uint64_t size, const char* what)
{
    if (size > 0xFFFFFFFFu)
        throw BuildError(std::string("the ") + what + " is larger than 4294967295 bytes");
    return (uint32_t)size;
}

}  // namespace

fs::path DefaultViewerPath()
{
    fs::path folder = OwnExecutable().parent_path();
    std::error_code error;
    for (const char* name : {"discview.dll", "discview.exe"}) {
        fs::path candidate = folder / name;
        if (fs::is_regular_file(candidate, error))
            return candidate;
    }
    throw BuildError("no viewer beside mkdisc (looked for discview.dll and discview.exe in " +
                     ShowPath(folder) + "); name it with --viewer");
}

uint64_t CheckBareViewer(const fs::path& viewer)
{
    uint64_t size = RegularFileSize(viewer, "viewer");
    if (size == 0)
        throw BuildError("viewer " + ShowPath(viewer) + " is empty");
    if (size >= 0xFFFFFFFFu)
        throw BuildError("viewer " + ShowPath(viewer) + " is too large");
    if (size >= LAYOUT_TRAILER_SIZE) {
        FilePtr file = OpenForReading(viewer, "viewer");
        unsigned char magic[4];
        bool read = SeekTo(file.get(), size - 4) &&
                    fread(magic, 1, sizeof magic, file.get()) == sizeof magic;
        if (!read)
            throw BuildError("cannot read viewer " + ShowPath(viewer));
        uint32_t value = (uint32_t)magic[0] | (uint32_t)magic[1] << 8 | (uint32_t)magic[2] << 16 |
                         (uint32_t)magic[3] << 24;
        if (value == LAYOUT_MAGIC)
            throw BuildError("viewer " + ShowPath(viewer) +
                             " already carries a disc layout; use the bare discview");
    }
    return size;
}

LayoutTrailer MakeTrailer(uint64_t viewerSize, const ItemTable& table, const LayoutInputs& inputs)
{
    LayoutTrailer trailer;
    memset(&trailer, 0, sizeof trailer);
    trailer.layoutStart = (uint32_t)viewerSize;
    trailer.itemTableSize = SectionSize(table.bytes.size() + (table.sealed ? CHUNK_TAG_SIZE : 0), "item table");
    // A sealed table is read only by viewers that open it with the password:
    // to any other it holds no items.
    trailer.itemCount = table.sealed ? 0 : table.itemCount;
    trailer.eulaSize = SectionSize(inputs.eulaText.size(), "licence text");
    trailer.headerSize = LAYOUT_HEADER_SIZE;
    trailer.backImageSize = SectionSize(inputs.background.size, "background image");
    trailer.logoImageSize = SectionSize(inputs.logo.size, "logo image");
    trailer.fontSize = SectionSize(inputs.font.size, "font");
    trailer.magic = LAYOUT_MAGIC;
    return trailer;
}

std::vector<unsigned char> LayoutTail(const LayoutInputs& inputs, const LayoutHeader& header,
                                      const LayoutTrailer& trailer)
{
    std::vector<unsigned char> tail(inputs.eulaText.begin(), inputs.eulaText.end());
    const unsigned char* headerBytes = reinterpret_cast<const unsigned char*>(&header);
    tail.insert(tail.end(), headerBytes, headerBytes + sizeof header);
    for (const SectionFile* section : {&inputs.background, &inputs.logo, &inputs.font}) {
        if (section->size == 0)
            continue;
        if (!section->converted.empty()) {
            tail.insert(tail.end(), section->converted.begin(), section->converted.end());
            continue;
        }
        size_t at = tail.size();
        tail.resize(at + section->size);
        FilePtr file = OpenForReading(section->path, "file");
        if (fread(tail.data() + at, 1, section->size, file.get()) != section->size || fgetc(file.get()) != EOF)
            throw BuildError(ShowPath(section->path) + " changed while the disc was built");
    }
    XorWithValue(tail.data(), tail.size(), CombinedKeyValue(layoutKey));
    const unsigned char* trailerBytes = reinterpret_cast<const unsigned char*>(&trailer);
    tail.insert(tail.end(), trailerBytes, trailerBytes + sizeof trailer);
    return tail;
}

void WriteViewerWithLayout(const fs::path& destination, const fs::path& viewer,
                           uint64_t viewerSize, const ItemTable& table,
                           const std::vector<unsigned char>& tail)
{
    FilePtr out = OpenForWriting(destination);
    // An empty key leaves the bytes as they are: the viewer's program image.
    CopyScrambled(viewer, viewerSize, out.get(), destination, "");
    if (table.sealed) {
        WriteBytes(out.get(), table.bytes.data(), table.bytes.size(), destination);
    } else {
        std::vector<unsigned char> scrambled = table.bytes;
        XorWithValue(scrambled.data(), scrambled.size(), CombinedKeyValue(layoutKey));
        WriteBytes(out.get(), scrambled.data(), scrambled.size(), destination);
    }
    WriteBytes(out.get(), tail.data(), tail.size(), destination);
    FinishWriting(out, destination);
}
