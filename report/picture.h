// A picture as report controls hold it: a bitmap of RGB pixels, or an icon
// kept as its file bytes. Pictures of other kinds (JPEG, PNG) are decoded
// into bitmaps when loaded.
//
// A Picture is a value whose pixels never change once made: copies share
// them (and, for icons, the icon file bytes), so a logo drawn on every page
// is one set of pixels however many image objects show it. Copies may be
// used from several threads at once.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarvek::report {

class Picture {
  public:
    enum class Kind { None, Bitmap, Icon };

    // The most pixels a decoded picture may have (a 40-megapixel photo takes
    // 120 MB as RGB); larger pictures are refused rather than decoded.
    static constexpr std::uint64_t kMaxPixels = 40'000'000;
    // The longest side a picture may have: the most the PDF's JPEG images hold.
    static constexpr int kMaxSide = 65'500;
    // The largest picture file read: 8 bytes for each pixel of the budget
    // (the widest pixel a file stores, 16-bit RGBA) and 16 MiB of headers,
    // palette and metadata. Larger files are refused before they are read.
    static constexpr std::uint64_t kMaxFileBytes = kMaxPixels * 8 + (std::uint64_t{16} << 20);
    // How much of a file is read before its header is looked at.
    static constexpr std::size_t kHeaderBytes = std::size_t{64} << 10;

    Picture() = default;
    // A bitmap from rows of RGB pixels, top row first (width × height × 3 bytes).
    // A width or height of 0 gives no picture; a pixel buffer of the wrong size
    // raises an error.
    static Picture from_rgb(int width, int height, std::vector<std::uint8_t> rgb);
    // Decodes picture file bytes (BMP, ICO, JPEG, PNG); raises an error naming
    // `source` when they cannot be read as a picture, or declare more than
    // kMaxPixels pixels or a side longer than kMaxSide (checked before any
    // pixel is decoded). Transparent pixels are composed over white; bitmaps
    // stored top row first come out the right way up.
    //
    // An icon keeps its file bytes. Its size is the one the first entry of the
    // icon directory declares, and that entry (PNG or bitmap) is decoded for
    // drawing; when it cannot be decoded the icon draws as a white picture of
    // that size.
    static Picture from_file_data(const std::string& bytes, const std::string& source);
    // Reads and decodes a picture file; errors name `path`. A file larger
    // than kMaxFileBytes is refused before it is read, and one whose header
    // declares a picture that may not be made is refused after its first
    // kHeaderBytes.
    static Picture from_file(const std::string& path);
    // Turns the data of an image object back into a picture: "BMP" + bitmap
    // file, "ICO" + icon file; anything else gives no picture. Raises an error
    // when the bytes after a known tag cannot be decoded.
    static Picture from_tagged_data(const std::string& data);

    Kind kind() const { return data_ ? data_->kind : Kind::None; }
    bool empty() const { return !data_; }
    int width() const { return data_ ? data_->width : 0; }
    int height() const { return data_ ? data_->height : 0; }
    // RGB pixels, top row first; icons are decoded for drawing. Empty for no
    // picture.
    const std::vector<std::uint8_t>& rgb() const;
    // The icon file bytes of an icon; empty otherwise.
    const std::string& icon_bytes() const;
    // Names these pixels for the life of the process: copies of a picture
    // share its id, every picture made or decoded anew gets a new one. 0 for
    // no picture.
    std::uint64_t id() const { return data_ ? data_->id : 0; }
    // Whether both show the same pixels: copies of one picture.
    bool same_as(const Picture& other) const { return data_ == other.data_; }

    // The data an image object stores: "BMP" followed by a 24-bit bitmap
    // file, "ICO" followed by the icon file, or "NIL".
    std::string tagged_data() const;

    // The part (x, y, w, h) of this picture as a new bitmap; pixels outside
    // the picture are white. A width or height of 0, or no picture, gives no
    // picture.
    Picture crop(int x, int y, int w, int h) const;

  private:
    friend class WeakPicture;
    struct Data {
        Kind kind = Kind::None;
        int width = 0;
        int height = 0;
        std::vector<std::uint8_t> rgb;
        std::string icon_bytes;
        std::uint64_t id = 0;
    };
    static Picture made(Data data);

    std::shared_ptr<const Data> data_;
};

// A reference to a picture's pixels that does not keep them: lock() gives the
// picture back while any copy of it still exists, no picture after that.
class WeakPicture {
  public:
    WeakPicture() = default;
    explicit WeakPicture(const Picture& picture) : data_(picture.data_) {}
    Picture lock() const {
        Picture picture;
        picture.data_ = data_.lock();
        return picture;
    }
    bool expired() const { return data_.expired(); }

  private:
    std::weak_ptr<const Picture::Data> data_;
};

}  // namespace tarvek::report
