// The layout appended to discview.exe: sections, the 40-byte trailer and the
// 4636-byte header. No windows.h: the disc builder writes exactly these bytes.
#pragma once
#include <cstddef>
#include <cstdint>

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "the layout records are read and written as little-endian memory images"
#endif

const uint32_t LAYOUT_MAGIC = 7654322;
const uint32_t LAYOUT_TRAILER_SIZE = 40;
const uint32_t LAYOUT_HEADER_SIZE = 4636;

#pragma pack(push, 1)
struct LayoutTrailer {
    uint32_t layoutStart;    // file offset of the item table
    uint32_t itemTableSize;
    uint32_t itemCount;
    uint32_t eulaSize;
    uint32_t headerSize;
    uint32_t backImageSize;
    uint32_t logoImageSize;
    uint32_t fontSize;
    uint32_t reserved;
    uint32_t magic;          // LAYOUT_MAGIC
};

struct LayoutHeader {
    uint32_t flags;
    uint32_t textFlags;      // only the low byte is read
    uint32_t backColor;      // COLORREF 0x00BBGGRR
    uint32_t logoKeyColor;
    uint32_t textColor;
    uint32_t shadowColor;
    int32_t fontHeight;
    int32_t shadowDx;
    int32_t shadowDy;
    int32_t textX;
    int32_t textY;
    int32_t logoX;
    int32_t logoY;
    unsigned char unused1[8];
    char fontFileName[255];
    char fontFaceName[255];
    char backImageName[255];
    char logoImageName[255];
    char splashText[2789];   // lines ended by CR LF
    char contentKey[255];    // password check block, or the content key
    unsigned char unused2[512];
};
#pragma pack(pop)

static_assert(sizeof(LayoutTrailer) == LAYOUT_TRAILER_SIZE, "trailer is 40 bytes");
static_assert(sizeof(LayoutHeader) == LAYOUT_HEADER_SIZE, "header is 4636 bytes");
static_assert(offsetof(LayoutHeader, logoY) == 48, "header field offsets");
static_assert(offsetof(LayoutHeader, fontFileName) == 60, "header field offsets");
static_assert(offsetof(LayoutHeader, fontFaceName) == 315, "header field offsets");
static_assert(offsetof(LayoutHeader, backImageName) == 570, "header field offsets");
static_assert(offsetof(LayoutHeader, logoImageName) == 825, "header field offsets");
static_assert(offsetof(LayoutHeader, splashText) == 1080, "header field offsets");
static_assert(offsetof(LayoutHeader, contentKey) == 3869, "header field offsets");

// Bits of LayoutHeader::flags.
const uint32_t FLAG_BACK_IMAGE = 0x1;
const uint32_t FLAG_BACK_TILE = 0x2;
const uint32_t FLAG_BACK_QUARTERS = 0x4;
const uint32_t FLAG_BACK_TOP_LEFT = 0x10;
const uint32_t FLAG_BACK_TOP_CENTRE = 0x20;
const uint32_t FLAG_BACK_BOTTOM_LEFT = 0x40;
const uint32_t FLAG_BACK_BOTTOM_CENTRE = 0x80;
const uint32_t FLAG_BACK_CENTRE = 0x100;
const uint32_t FLAG_LOGO_IMAGE = 0x200;
const uint32_t FLAG_LOGO_TOP_LEFT = 0x400;
const uint32_t FLAG_LOGO_TOP_CENTRE = 0x800;
const uint32_t FLAG_LOGO_BOTTOM_LEFT = 0x1000;
const uint32_t FLAG_LOGO_BOTTOM_CENTRE = 0x2000;
const uint32_t FLAG_LOGO_CENTRE = 0x4000;
const uint32_t FLAG_LOGO_AT_XY = 0x8000;
const uint32_t FLAG_LOGO_TRANSPARENT = 0x10000;
const uint32_t FLAG_SPLASH_TEXT = 0x20000;
const uint32_t FLAG_TEXT_SHADOW = 0x40000;
const uint32_t FLAG_EXPORT_DISABLED = 0x400000;
const uint32_t FLAG_CLEAR_RECENT = 0x800000;
const uint32_t FLAG_PASSWORD = 0x1000000;
const uint32_t FLAG_EULA = 0x2000000;

// Bits of the low byte of LayoutHeader::textFlags.
const uint32_t TEXT_TOP_LEFT = 0x2;
const uint32_t TEXT_TOP_CENTRE = 0x4;
const uint32_t TEXT_BOTTOM_LEFT = 0x8;
const uint32_t TEXT_BOTTOM_CENTRE = 0x10;
const uint32_t TEXT_CENTRE = 0x20;
const uint32_t TEXT_CUSTOM_FONT = 0x40;

// File offsets of the sections, each computed from every size before it.
struct LayoutSections {
    uint64_t itemTable;
    uint64_t eula;
    uint64_t header;
    uint64_t backImage;
    uint64_t logoImage;
    uint64_t font;
    uint64_t end;           // one past the font section
};

void ComputeLayoutSections(const LayoutTrailer* trailer, LayoutSections* sections);

// 1 when the trailer's values fit a file of that length: every section, and the
// 4636 header bytes the reader always takes, lie before the trailer.
int LayoutFitsFile(const LayoutTrailer* trailer, uint64_t fileLength);

// A header text may be stored without its NUL: end each one inside its own field.
void TerminateHeaderTexts(LayoutHeader* header);
