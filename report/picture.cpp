#include "report/picture.h"

#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>

#include "base/errors.h"

namespace tarvek::report {

namespace {

constexpr std::string_view kPngMagic{"\x89PNG\r\n\x1A\n", 8};
constexpr std::string_view kJpegMagic{"\xFF\xD8\xFF", 3};
constexpr std::string_view kBmpMagic{"BM", 2};
constexpr std::string_view kIconMagic{"\x00\x00\x01\x00", 4};

bool starts_with(std::string_view bytes, std::string_view magic) {
    return bytes.substr(0, magic.size()) == magic;
}

std::uint32_t u16_at(std::string_view b, std::size_t at) {
    return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8;
}

std::uint32_t u32_at(std::string_view b, std::size_t at) {
    return u16_at(b, at) | u16_at(b, at + 2) << 16;
}

void put_u32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

struct StbPixels {
    void operator()(stbi_uc* p) const { stbi_image_free(p); }
};

struct Rgba {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // 4 bytes a pixel, top row first
};

// Why a picture of the size its header declares cannot be taken; empty when
// it can. Sizes are taken as magnitudes: a bitmap stored top row first
// declares a negative height.
std::string size_refusal(int declared_width, int declared_height) {
    const std::uint64_t width = static_cast<std::uint64_t>(std::abs(std::int64_t{declared_width}));
    const std::uint64_t height =
        static_cast<std::uint64_t>(std::abs(std::int64_t{declared_height}));
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    if (width * height > Picture::kMaxPixels) {
        return "it declares " + size + " pixels, more than the " +
               std::to_string(Picture::kMaxPixels) + " a picture may have";
    }
    if (width > Picture::kMaxSide || height > Picture::kMaxSide) {
        return "it declares " + size + " pixels; a side of a picture may have at most " +
               std::to_string(Picture::kMaxSide);
    }
    return {};
}

// The size the header of picture file bytes declares; false when stb cannot
// tell from them.
bool declared_size(std::string_view bytes, int& width, int& height) {
    int channels = 0;
    return stbi_info_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                                 static_cast<int>(std::min<std::size_t>(
                                     bytes.size(), std::numeric_limits<int>::max())),
                                 &width, &height, &channels) != 0;
}

// Decodes with stb into RGBA; nullopt with `reason` set when stb refuses.
std::optional<Rgba> decode_rgba(std::string_view bytes, std::string& reason) {
    if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        reason = "file too large";
        return std::nullopt;
    }
    int width = 0, height = 0, channels = 0;
    // The header's size is checked before any pixel is decoded: a small file
    // may declare a picture that would take gigabytes.
    if (declared_size(bytes, width, height)) {
        reason = size_refusal(width, height);
        if (!reason.empty()) return std::nullopt;
    }
    std::unique_ptr<stbi_uc, StbPixels> data(
        stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                              static_cast<int>(bytes.size()), &width, &height, &channels, 4));
    if (!data) {
        const char* why = stbi_failure_reason();
        reason = why ? why : "unknown decoding error";
        return std::nullopt;
    }
    Rgba out{width, height, {}};
    out.pixels.assign(data.get(), data.get() + static_cast<std::size_t>(width) * height * 4);
    return out;
}

// Pictures are drawn on white paper, so transparency is resolved here once.
std::vector<std::uint8_t> over_white(const Rgba& image) {
    std::vector<std::uint8_t> rgb;
    rgb.reserve(static_cast<std::size_t>(image.width) * image.height * 3);
    for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
        const unsigned alpha = image.pixels[i + 3];
        for (std::size_t c = 0; c < 3; ++c) {
            const unsigned value = image.pixels[i + c];
            rgb.push_back(
                static_cast<std::uint8_t>((value * alpha + 255 * (255 - alpha) + 127) / 255));
        }
    }
    return rgb;
}

// An icon entry stores its bitmap as a headerless bitmap of doubled height
// (colour rows, then a 1-bit transparency mask). Giving it a file header with
// the true height lets stb read the colour rows; the mask is applied here.
std::optional<Rgba> decode_icon_bitmap(std::string_view dib, int width, int height) {
    if (dib.size() < 40) return std::nullopt;
    const std::uint32_t header_size = u32_at(dib, 0);
    if (header_size < 40 || header_size > dib.size()) return std::nullopt;
    const auto dib_width = static_cast<std::int32_t>(u32_at(dib, 4));
    const auto dib_height = static_cast<std::int32_t>(u32_at(dib, 8));
    if (dib_width != width || dib_height != 2 * height) return std::nullopt;
    const std::uint32_t bits = u16_at(dib, 14);
    const std::uint32_t compression = u32_at(dib, 16);
    const std::uint32_t colours_used = u32_at(dib, 32);
    if (bits == 0 || bits > 32 || colours_used > 256) return std::nullopt;

    const std::size_t palette = colours_used ? colours_used : (bits <= 8 ? 1u << bits : 0u);
    const std::size_t masks = (compression == 3 && header_size == 40) ? 12 : 0;
    const std::size_t pixel_offset = header_size + masks + palette * 4;

    std::string file(kBmpMagic);
    put_u32(file, static_cast<std::uint32_t>(14 + dib.size()));
    put_u32(file, 0);
    put_u32(file, static_cast<std::uint32_t>(14 + pixel_offset));
    file.append(dib.substr(0, 8));
    put_u32(file, static_cast<std::uint32_t>(height));
    file.append(dib.substr(12));

    std::string ignored;
    std::optional<Rgba> image = decode_rgba(file, ignored);
    if (!image || image->width != width || image->height != height) return std::nullopt;

    // 32-bit entries carry their own alpha; the others rely on the mask.
    if (bits < 32) {
        const std::size_t colour_row = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
        const std::size_t mask_row = (static_cast<std::size_t>(width) + 31) / 32 * 4;
        const std::size_t mask_at = pixel_offset + colour_row * height;
        if (mask_at + mask_row * height <= dib.size()) {
            for (int y = 0; y < height; ++y) {
                const std::size_t row_at = mask_at + mask_row * (height - 1 - y);  // bottom-up
                for (int x = 0; x < width; ++x) {
                    const auto mask = static_cast<std::uint8_t>(dib[row_at + x / 8]);
                    if (mask & (0x80 >> (x % 8))) {
                        image->pixels[(static_cast<std::size_t>(y) * width + x) * 4 + 3] = 0;
                    }
                }
            }
        }
    }
    return image;
}

[[noreturn]] void unreadable(const std::string& source, const std::string& reason) {
    throw Error("Cannot read picture " + source + ": " + reason);
}

}  // namespace

Picture Picture::made(Data data) {
    static std::atomic<std::uint64_t> last_id{0};
    data.id = ++last_id;
    Picture picture;
    picture.data_ = std::make_shared<const Data>(std::move(data));
    return picture;
}

const std::vector<std::uint8_t>& Picture::rgb() const {
    static const std::vector<std::uint8_t> kNone;
    return data_ ? data_->rgb : kNone;
}

const std::string& Picture::icon_bytes() const {
    static const std::string kNone;
    return data_ ? data_->icon_bytes : kNone;
}

Picture Picture::from_rgb(int width, int height, std::vector<std::uint8_t> rgb) {
    if (width < 0 || height < 0) {
        throw Error("Cannot make a bitmap of " + std::to_string(width) + "x" +
                    std::to_string(height) + " pixels");
    }
    if (width == 0 || height == 0) return {};
    const std::size_t expected = static_cast<std::size_t>(width) * height * 3;
    if (rgb.size() != expected) {
        throw Error("Cannot make a bitmap of " + std::to_string(width) + "x" +
                    std::to_string(height) + " pixels from " + std::to_string(rgb.size()) +
                    " bytes (expected " + std::to_string(expected) + ")");
    }
    return made(
        Data{.kind = Kind::Bitmap, .width = width, .height = height, .rgb = std::move(rgb)});
}

Picture Picture::from_file_data(const std::string& bytes, const std::string& source) {
    if (starts_with(bytes, kIconMagic)) {
        if (bytes.size() < 6 + 16) unreadable(source, "the icon directory is truncated");
        const std::uint32_t count = u16_at(bytes, 4);
        if (count == 0) unreadable(source, "the icon holds no image");
        if (bytes.size() < 6 + 16 * static_cast<std::size_t>(count)) {
            unreadable(source, "the icon directory is truncated");
        }
        // A size byte of 0 stands for 256 pixels.
        const int width =
            static_cast<std::uint8_t>(bytes[6]) ? static_cast<std::uint8_t>(bytes[6]) : 256;
        const int height =
            static_cast<std::uint8_t>(bytes[7]) ? static_cast<std::uint8_t>(bytes[7]) : 256;
        const std::size_t size = u32_at(bytes, 6 + 8);
        const std::size_t offset = u32_at(bytes, 6 + 12);

        std::optional<Rgba> image;
        if (offset <= bytes.size() && size <= bytes.size() - offset) {
            const std::string_view entry = std::string_view(bytes).substr(offset, size);
            if (starts_with(entry, kPngMagic)) {
                std::string ignored;
                image = decode_rgba(entry, ignored);
                if (image && (image->width != width || image->height != height)) image.reset();
            } else {
                image = decode_icon_bitmap(entry, width, height);
            }
        }
        return made(Data{.kind = Kind::Icon,
                         .width = width,
                         .height = height,
                         .rgb = image ? over_white(*image)
                                      : std::vector<std::uint8_t>(
                                            static_cast<std::size_t>(width) * height * 3, 255),
                         .icon_bytes = bytes});
    }

    if (!starts_with(bytes, kBmpMagic) && !starts_with(bytes, kJpegMagic) &&
        !starts_with(bytes, kPngMagic)) {
        unreadable(source,
                   bytes.empty() ? "the file is empty" : "not a BMP, ICO, JPEG or PNG picture");
    }
    std::string reason;
    std::optional<Rgba> image = decode_rgba(bytes, reason);
    if (!image) unreadable(source, reason);
    return from_rgb(image->width, image->height, over_white(*image));
}

Picture Picture::from_file(const std::string& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    if (!file) unreadable(path, std::strerror(errno));
    // Nothing is read of a file larger than any picture may be.
    struct stat status {};
    if (::fstat(::fileno(file.get()), &status) == 0 && S_ISREG(status.st_mode) &&
        static_cast<std::uint64_t>(status.st_size) > kMaxFileBytes) {
        unreadable(path, "the file has " + std::to_string(status.st_size) +
                             " bytes, more than the " + std::to_string(kMaxFileBytes) +
                             " a picture file may have");
    }
    std::string bytes;
    char buffer[65536];
    std::size_t got = 0;
    bool header_seen = false;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        bytes.append(buffer, got);
        if (bytes.size() > kMaxFileBytes) {
            unreadable(path, "the file has more than the " + std::to_string(kMaxFileBytes) +
                                 " bytes a picture file may have");
        }
        // The header decides before the rest is read (a shorter file is
        // checked when it is decoded).
        if (!header_seen && bytes.size() >= kHeaderBytes) {
            header_seen = true;
            int width = 0, height = 0;
            if (declared_size(bytes, width, height)) {
                if (const std::string refusal = size_refusal(width, height); !refusal.empty())
                    unreadable(path, refusal);
            }
        }
    }
    if (std::ferror(file.get())) unreadable(path, std::strerror(errno));
    return from_file_data(bytes, path);
}

Picture Picture::from_tagged_data(const std::string& data) {
    const std::string_view tag = std::string_view(data).substr(0, 3);
    const std::string body = data.size() > 3 ? data.substr(3) : std::string();
    if (tag == "BMP") {
        if (!starts_with(body, kBmpMagic))
            unreadable("image object data", "the BMP data is not a bitmap file");
        return from_file_data(body, "image object data");
    }
    if (tag == "ICO") {
        if (!starts_with(body, kIconMagic))
            unreadable("image object data", "the ICO data is not an icon file");
        return from_file_data(body, "image object data");
    }
    return {};
}

std::string Picture::tagged_data() const {
    switch (kind()) {
        case Kind::None:
            return "NIL";
        case Kind::Icon:
            return "ICO" + data_->icon_bytes;
        case Kind::Bitmap:
            break;
    }
    std::string out = "BMP";
    const auto append = [](void* context, void* data, int size) {
        static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                                   static_cast<std::size_t>(size));
    };
    if (!stbi_write_bmp_to_func(append, &out, width(), height(), 3, rgb().data())) {
        throw Error("Cannot encode a bitmap of " + std::to_string(width()) + "x" +
                    std::to_string(height()) + " pixels");
    }
    return out;
}

Picture Picture::crop(int x, int y, int w, int h) const {
    if (empty() || w <= 0 || h <= 0) return {};
    std::vector<std::uint8_t> out(static_cast<std::size_t>(w) * h * 3, 255);
    // The whole picture is the picture itself: the same pixels, shared.
    if (x == 0 && y == 0 && w == width() && h == height() && kind() == Kind::Bitmap) return *this;
    const int first_x = std::max(x, 0), last_x = std::min(x + w, width());
    const int first_y = std::max(y, 0), last_y = std::min(y + h, height());
    const std::vector<std::uint8_t>& pixels = rgb();
    for (int row = first_y; row < last_y; ++row) {
        if (first_x >= last_x) break;
        const auto from =
            pixels.begin() + (static_cast<std::ptrdiff_t>(row) * width() + first_x) * 3;
        std::copy(from, from + static_cast<std::ptrdiff_t>(last_x - first_x) * 3,
                  out.begin() + (static_cast<std::ptrdiff_t>(row - y) * w + (first_x - x)) * 3);
    }
    return from_rgb(w, h, std::move(out));
}

}  // namespace tarvek::report
