// A picture as report controls hold it: a bitmap of RGB pixels, or an icon
// kept as its file bytes. Pictures of other kinds (JPEG, PNG) are decoded
// into bitmaps when loaded.
//
// A Picture is a value: it owns its pixels and, for icons, the icon file bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarvek::report {

class Picture {
  public:
    enum class Kind { None, Bitmap, Icon };

    // The most pixels a decoded picture may have (a 40-megapixel photo takes
    // 120 MB as RGB); larger pictures are refused rather than decoded.
    static constexpr std::uint64_t kMaxPixels = 40'000'000;

    Picture() = default;
    // A bitmap from rows of RGB pixels, top row first (width × height × 3 bytes).
    // A width or height of 0 gives no picture; a pixel buffer of the wrong size
    // raises an error.
    static Picture from_rgb(int width, int height, std::vector<std::uint8_t> rgb);
    // Decodes picture file bytes (BMP, ICO, JPEG, PNG); raises an error naming
    // `source` when they cannot be read as a picture or have more than
    // kMaxPixels pixels. Transparent pixels are
    // composed over white.
    //
    // An icon keeps its file bytes. Its size is the one the first entry of the
    // icon directory declares, and that entry (PNG or bitmap) is decoded for
    // drawing; when it cannot be decoded the icon draws as a white picture of
    // that size.
    static Picture from_file_data(const std::string& bytes, const std::string& source);
    // Reads and decodes a picture file; errors name `path`.
    static Picture from_file(const std::string& path);
    // Turns the data of an image object back into a picture: "BMP" + bitmap
    // file, "ICO" + icon file; anything else gives no picture. Raises an error
    // when the bytes after a known tag cannot be decoded.
    static Picture from_tagged_data(const std::string& data);

    Kind kind() const { return kind_; }
    bool empty() const { return kind_ == Kind::None; }
    int width() const { return width_; }
    int height() const { return height_; }
    // RGB pixels, top row first; icons are decoded for drawing.
    const std::vector<std::uint8_t>& rgb() const { return rgb_; }

    // The data an image object stores: "BMP" followed by a 24-bit bitmap
    // file, "ICO" followed by the icon file, or "NIL".
    std::string tagged_data() const;

    // The part (x, y, w, h) of this picture as a new bitmap; pixels outside
    // the picture are white. A width or height of 0, or no picture, gives no
    // picture.
    Picture crop(int x, int y, int w, int h) const;

  private:
    Kind kind_ = Kind::None;
    int width_ = 0;
    int height_ = 0;
    std::vector<std::uint8_t> rgb_;
    std::string icon_bytes_;
};

}  // namespace tarvek::report
