#include "report/pdf_filter.h"

#include <jpeglib.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <deque>
#include <numbers>
#include <vector>

#include "base/errors.h"
#include "base/string_helpers.h"
#include "report/engine_texts.h"
#include "report/picture.h"
#include "report/text_metrics.h"
#include "report/text_placement.h"

namespace tarvek::report {

namespace {

constexpr std::string_view kEol = "\r\n";

std::string points(int px) {
    return pdf_number(px * 72.0 / 96.0);
}

// Appenders for the content streams, which are built in one string a page.
void append_points(std::string& out, int px) {
    append_pdf_number(out, px * 72.0 / 96.0);
}

void append_points(std::string& out, double px) {
    append_pdf_number(out, px * 72.0 / 96.0);
}

// A colour as three components: red, green, blue.
void append_color(std::string& out, const MetaColor& c) {
    // 256 possible components, each formatted once.
    static const std::array<std::string, 256> kComponents = [] {
        std::array<std::string, 256> table;
        for (int value = 0; value < 256; ++value) table[value] = pdf_number(value / 255.0);
        return table;
    }();
    out += kComponents[c.red];
    out += ' ';
    out += kComponents[c.green];
    out += ' ';
    out += kComponents[c.blue];
}

void append_int(std::string& out, long long value) {
    char buffer[24];
    out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

std::string ref(int number) {
    return std::to_string(number) + " 0 R";
}

std::string remove_blanks(const std::string& name) {
    std::string out;
    for (char c : name) {
        if (c != ' ') out += c;
    }
    return out;
}

bool is_standard_font(const std::string& name) {
    static const char* const kStandard[] = {
        "Courier",          "Courier-Bold",   "Courier-Oblique",   "Courier-BoldOblique",
        "Helvetica",        "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique",
        "Symbol",           "Times-Roman",    "Times-Bold",        "Times-Italic",
        "Times-BoldItalic", "ZapfDingbats"};
    const std::string bare = remove_blanks(name);
    for (const char* standard : kStandard) {
        if (ascii_iequals(bare, standard)) return true;
    }
    return false;
}

std::string truetype_base_name(const std::string& name, unsigned style) {
    std::string base = remove_blanks(name);
    const bool bold = style & fsBold;
    const bool italic = style & fsItalic;
    if (bold && italic) {
        base += ",BoldItalic";
    } else if (bold) {
        base += ",Bold";
    } else if (italic) {
        base += ",Italic";
    }
    if (style & fsUnderline) base += ",Underline";
    if (style & fsStrikeOut) base += ",StrikeOut";
    return base;
}

// --- output file -------------------------------------------------------------

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// The output file with the byte position the cross-reference table needs.
// Writes never throw (the JPEG library calls in through C); failures are
// remembered and checked at page and document boundaries.
class Output {
  public:
    explicit Output(const std::string& path)
        : path_(path), buffer_(std::make_unique<char[]>(kBufferSize)) {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) {
            throw Error("Cannot create file \"" + path + "\". " + std::strerror(errno));
        }
        file_.reset(f);
        std::setvbuf(f, nullptr, _IONBF, 0);  // buffered here, in large blocks
    }
    // An unfinished document keeps what was written of it.
    ~Output() { flush(); }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    void write(const void* data, std::size_t size) noexcept {
        position_ += static_cast<std::int64_t>(size);
        const auto* bytes = static_cast<const char*>(data);
        while (size > 0) {
            if (used_ == kBufferSize) flush();
            const std::size_t n = std::min(size, kBufferSize - used_);
            std::memcpy(buffer_.get() + used_, bytes, n);
            used_ += n;
            bytes += n;
            size -= n;
        }
    }
    void write(std::string_view text) noexcept { write(text.data(), text.size()); }
    void line(std::string_view text) noexcept {
        write(text);
        write(kEol);
    }
    std::int64_t position() const { return position_; }

    void check() const {
        if (error_ != 0 || std::ferror(file_.get())) fail(error_ != 0 ? error_ : EIO);
    }
    void close() {
        flush();
        check();
        std::FILE* f = file_.release();
        if (std::fclose(f) != 0) fail(errno);
    }

  private:
    static constexpr std::size_t kBufferSize = 1 << 18;

    void flush() noexcept {
        if (!file_) return;
        if (used_ > 0 && std::fwrite(buffer_.get(), 1, used_, file_.get()) != used_ &&
            error_ == 0) {
            error_ = errno;
        }
        used_ = 0;
    }

    [[noreturn]] void fail(int error) const {
        throw Error("Cannot write file \"" + path_ + "\". " + std::strerror(error));
    }

    std::string path_;
    std::unique_ptr<std::FILE, FileCloser> file_;
    std::unique_ptr<char[]> buffer_;
    std::size_t used_ = 0;
    std::int64_t position_ = 0;
    int error_ = 0;
};

// --- JPEG --------------------------------------------------------------------

struct JpegErrors {
    jpeg_error_mgr manager;  // first: the library sees only this part
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

struct JpegDestination {
    jpeg_destination_mgr manager;  // first, as above
    Output* out;
    JOCTET buffer[4096];
};

extern "C" {
static void jpeg_fail(j_common_ptr cinfo) {
    auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
    cinfo->err->format_message(cinfo, errors->message);
    std::longjmp(errors->jump, 1);
}
static void jpeg_quiet(j_common_ptr) {}
static void jpeg_dest_init(j_compress_ptr cinfo) {
    auto* d = reinterpret_cast<JpegDestination*>(cinfo->dest);
    d->manager.next_output_byte = d->buffer;
    d->manager.free_in_buffer = sizeof d->buffer;
}
static boolean jpeg_dest_empty(j_compress_ptr cinfo) {
    auto* d = reinterpret_cast<JpegDestination*>(cinfo->dest);
    d->out->write(d->buffer, sizeof d->buffer);
    d->manager.next_output_byte = d->buffer;
    d->manager.free_in_buffer = sizeof d->buffer;
    return TRUE;
}
static void jpeg_dest_term(j_compress_ptr cinfo) {
    auto* d = reinterpret_cast<JpegDestination*>(cinfo->dest);
    d->out->write(d->buffer, sizeof d->buffer - d->manager.free_in_buffer);
}
}

// A compressor that streams straight into the output.
struct JpegCompressor {
    jpeg_compress_struct cinfo{};
    JpegErrors errors{};
    JpegDestination destination{};

    JpegCompressor() = default;
    JpegCompressor(const JpegCompressor&) = delete;
    JpegCompressor& operator=(const JpegCompressor&) = delete;
    // Safe on a structure the library never initialised (it is zeroed).
    ~JpegCompressor() { jpeg_destroy_compress(&cinfo); }
};

// Nothing with a destructor may live in this frame: the library's errors
// come back here by longjmp.
bool compress_jpeg(JpegCompressor& c, Output& out, const std::uint8_t* rgb, int width, int height) {
    c.cinfo.err = jpeg_std_error(&c.errors.manager);
    c.errors.manager.error_exit = jpeg_fail;
    c.errors.manager.output_message = jpeg_quiet;
    if (setjmp(c.errors.jump)) return false;
    jpeg_create_compress(&c.cinfo);
    c.destination.manager.init_destination = jpeg_dest_init;
    c.destination.manager.empty_output_buffer = jpeg_dest_empty;
    c.destination.manager.term_destination = jpeg_dest_term;
    c.destination.out = &out;
    c.cinfo.dest = &c.destination.manager;
    c.cinfo.image_width = static_cast<JDIMENSION>(width);
    c.cinfo.image_height = static_cast<JDIMENSION>(height);
    c.cinfo.input_components = 3;
    c.cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c.cinfo);
    jpeg_set_quality(&c.cinfo, 90, TRUE);
    jpeg_start_compress(&c.cinfo, TRUE);
    const std::size_t stride = static_cast<std::size_t>(width) * 3;
    while (c.cinfo.next_scanline < c.cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb + c.cinfo.next_scanline * stride);
        jpeg_write_scanlines(&c.cinfo, &row, 1);
    }
    jpeg_finish_compress(&c.cinfo);
    return true;
}

}  // namespace

void append_pdf_number(std::string& out, double value) {
    // Readers take reals within +-32767 only; nothing on a page comes near,
    // but a broken value must not become a broken file.
    constexpr double kLimit = 32767.0;
    if (!(value == value)) value = 0;  // NaN
    value = std::clamp(value, -kLimit, kLimit);
    // Page coordinates are whole pixels, so quarters of a point: exact in
    // binary, written without the general conversion.
    const double quarters = value * 4;
    if (quarters == std::floor(quarters)) {
        const auto q = static_cast<long long>(quarters);
        const long long magnitude = q < 0 ? -q : q;
        if (q < 0) out += '-';
        append_int(out, magnitude / 4);
        static constexpr std::string_view kFractions[] = {"", ".25", ".5", ".75"};
        out += kFractions[magnitude % 4];
        return;
    }
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    if (text.find('.') != std::string_view::npos) {
        while (text.back() == '0') text.remove_suffix(1);
        if (text.back() == '.') text.remove_suffix(1);
    }
    if (text == "-0") text = "0";
    out += text;
}

std::string pdf_number(double value) {
    std::string text;
    append_pdf_number(text, value);
    return text;
}

void append_pdf_escaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '(' || c == ')' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 32 || byte == 127) {
            const char octal[] = {'\\', static_cast<char>('0' + (byte >> 6)),
                                  static_cast<char>('0' + ((byte >> 3) & 7)),
                                  static_cast<char>('0' + (byte & 7))};
            out.append(octal, sizeof octal);
        } else {
            out += c;
        }
    }
}

std::string pdf_escape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    append_pdf_escaped(out, text);
    return out;
}

std::string local_timestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[32];
    std::strftime(buffer, sizeof buffer, "%Y%m%d%H%M%S", &local);
    return buffer;
}

// --- writer ------------------------------------------------------------------

class TRLPDFFilter::Writer {
  public:
    Writer(const std::string& path, TextMetrics& metrics, TRLPDFFilterImageFormat image_format)
        : out_(path), path_(path), metrics_(metrics), image_format_(image_format) {
        slot(0);  // the free-list head, never written
    }

    void begin(const TRLPDFFilterDocumentInfo& info, const std::string& timestamp) {
        out_.line("%PDF-1.2");
        info_ = start_object();
        out_.line("/CreationDate(D:" + timestamp + ")");
        const std::pair<const char*, const std::string*> entries[] = {
            {"/Title(", &info.Title},     {"/Subject(", &info.Subject},
            {"/Author(", &info.Author},   {"/Keywords(", &info.KeyWords},
            {"/Creator(", &info.Creator}, {"/Producer(", &info.Producer}};
        for (const auto& [key, value] : entries) {
            if (!value->empty()) out_.line(key + *value + ")");
        }
        end_dictionary();

        catalog_ = start_object();
        page_tree_ = reserve();
        out_.line("/Type/Catalog");
        out_.line("/Pages " + ref(page_tree_));
        end_dictionary();
        resources_ = reserve();
        out_.check();
    }

    void draw_page(const GraphicSurface& page, GraphicStorage& pages) {
        const Macros* collection_macros = &pages.macros;
        height_ = page.height;
        // Images go first: the page's content refers to them by name.
        std::vector<int> image_names;
        for (const GraphicObject& object : page.objects()) {
            if (object.kind != ObjectKind::Image) continue;
            image_names.push_back(image_name(object.picture, pages));
        }

        const int page_number = start_object();
        out_.line("/Type/Page");
        out_.line("/Parent " + ref(page_tree_));
        out_.line("/Resources " + ref(resources_));
        out_.line("/MediaBox [ 0 0 " + points(page.width) + " " + points(page.height) + " ]");
        const int contents = reserve();
        out_.line("/Contents " + ref(contents));
        end_dictionary();
        const int length = reserve();

        begin_stream(contents, length);
        std::string& ops = page_operators_;
        ops.clear();
        std::size_t complete = 0;  // bytes of ops that whole objects produced
        try {
            std::size_t next_image = 0;
            for (const GraphicObject& object : page.objects()) {
                if (object.kind == ObjectKind::Image) {
                    const int name = image_names[next_image++];
                    if (name > 0) image_operators(object, name, ops);
                } else {
                    object_operators(page, object, collection_macros, ops);
                }
                complete = ops.size();
                if (ops.size() >= kOperatorsChunk) {
                    out_.write(ops);
                    ops.clear();
                    complete = 0;
                }
            }
            out_.write(ops);
        } catch (...) {
            // What the objects before the failing one produced is written.
            ops.resize(complete);
            out_.write(ops);
            // Close the stream so that the objects written so far stay sound;
            // the unfinished page is left out of the page tree.
            end_stream(length);
            throw;
        }
        end_stream(length);

        pages_.push_back(page_number);
        last_width_ = page.width;
        last_height_ = page.height;
        out_.check();
    }

    // `pages` gives the paper size when no page was written.
    void end(GraphicStorage* pages) {
        for (std::size_t i = 0; i < fonts_.size(); ++i) write_font(fonts_[i], i + 1);

        begin_object(resources_);
        out_.line("/ProcSet [ /PDF/Text/ImageB ]");
        out_.line("/Font <<");
        for (std::size_t i = 0; i < fonts_.size(); ++i) {
            out_.line("/F" + std::to_string(i + 1) + " " + ref(fonts_[i].number));
        }
        out_.line(">>");
        out_.line("/XObject <<");
        for (std::size_t i = 0; i < images_.size(); ++i) {
            out_.line("/Image" + std::to_string(i + 1) + " " + ref(images_[i]));
        }
        out_.line(">>");
        end_dictionary();

        begin_object(page_tree_);
        out_.line("/Type/Pages");
        out_.line("/Count " + std::to_string(pages_.size()));
        int width = last_width_;
        int height = last_height_;
        if (pages_.empty()) {
            width = pages ? pages->page_width() : 0;
            height = pages ? pages->page_height() : 0;
        }
        out_.line("/MediaBox [ 0 0 " + points(width) + " " + points(height) + " ]");
        // A long document has a long list: it is written as it goes.
        constexpr std::size_t kKidsWrittenEvery = std::size_t{64} * 1024;
        std::string kids = "/Kids [ ";
        for (int page : pages_) {
            kids += ref(page);
            kids += ' ';
            if (kids.size() >= kKidsWrittenEvery) {
                out_.write(kids);
                kids.clear();
            }
        }
        kids += ']';
        out_.line(kids);
        end_dictionary();

        const std::int64_t xref = out_.position();
        const int size = highest_ + 1;
        out_.line("xref");
        out_.line("0 " + std::to_string(size));
        out_.line("0000000000 65535 f");
        for (int number = 1; number < size; ++number) {
            const std::int64_t offset = offsets_[static_cast<std::size_t>(number)];
            if (offset < 0) {
                throw Error("PDF object " + std::to_string(number) + " of \"" + path() +
                            "\" was never written");
            }
            char entry[32];
            std::snprintf(entry, sizeof entry, "%010lld 00000 n", static_cast<long long>(offset));
            out_.line(entry);
        }
        out_.line("trailer");
        out_.line("<<");
        out_.line("/Size " + std::to_string(size));
        out_.line("/Root " + ref(catalog_));
        out_.line("/Info " + ref(info_));
        out_.line(">>");
        out_.line("startxref");
        out_.line(std::to_string(xref));
        out_.line("%%EOF");
        out_.close();
    }

  private:
    struct FontEntry {
        std::string name;  // at most 127 bytes
        unsigned style = 0;
        int number = 0;
    };

    const std::string& path() const { return path_; }

    // Makes room for `number` in the tables.
    std::size_t slot(int number) {
        const auto index = static_cast<std::size_t>(number);
        if (index >= offsets_.size()) {
            offsets_.resize(index + 1, -1);
            reserved_.resize(index + 1, false);
        }
        return index;
    }

    // A number for an object referred to before it is written.
    int reserve() {
        const int number = highest_ + 1;
        reserved_[slot(number)] = true;
        highest_ = number;
        return number;
    }

    // A number for an object written right now: the next one above the last
    // started that nobody reserved.
    int next_free() {
        int number = last_started_ + 1;
        while (reserved_[slot(number)]) ++number;
        last_started_ = number;
        highest_ = std::max(highest_, number);
        return number;
    }

    void mark_offset(int number) { offsets_[slot(number)] = out_.position(); }

    int start_object() {
        const int number = next_free();
        begin_object(number);
        return number;
    }
    void begin_object(int number) {
        mark_offset(number);
        out_.line(std::to_string(number) + " 0 obj <<");
    }
    void end_dictionary() { out_.line(">> endobj"); }

    void begin_stream(int number, int length) {
        begin_object(number);
        out_.line("/Length " + ref(length));
        out_.line(">>");
        out_.line("stream");
        stream_start_ = out_.position();
    }
    // The length counts everything after "stream" and its line end, up to
    // "endstream", the last line end included.
    void end_stream(int length) {
        const std::int64_t bytes = out_.position() - stream_start_;
        out_.line("endstream");
        out_.line("endobj");
        mark_offset(length);
        out_.line(std::to_string(length) + " 0 obj");
        out_.line(std::to_string(bytes));
        out_.line("endobj");
    }

    // The 1-based position in the image list of the image object showing
    // `picture`, written now unless an earlier page showed these very pixels
    // (the page collection numbers them); 0 for no picture.
    int image_name(const Picture& picture, GraphicStorage& pages) {
        if (picture.empty()) return 0;
        const std::uint32_t number = pages.picture_number(picture);
        if (number >= image_names_.size()) image_names_.resize(number + 1, 0);
        int& name = image_names_[number];
        if (name == 0) name = write_image(picture);
        return name;
    }

    // Writes the image object of a picture and returns its 1-based position
    // in the image list.
    int write_image(const Picture& picture) {
        const int width = picture.width();
        const int height = picture.height();
        const int length = reserve();
        const int number = start_object();
        images_.push_back(number);
        if (image_format_ == ifJPeg) {
            out_.line("/Type/XObject/Subtype/Image");
        } else {
            out_.line("/Type/XObject");
            out_.line("/Subtype/Image");
        }
        out_.line("/Width " + std::to_string(width));
        out_.line("/Height " + std::to_string(height));
        out_.line("/ColorSpace/DeviceRGB");
        out_.line("/BitsPerComponent 8");
        out_.line("/Length " + ref(length));
        out_.line(image_format_ == ifJPeg ? "/Filter/DCTDecode" : "/Filter [/ASCIIHexDecode]");
        out_.line(">>");
        out_.line("stream");
        stream_start_ = out_.position();

        std::string failure;
        if (image_format_ == ifJPeg) {
            JpegCompressor compressor;
            if (!compress_jpeg(compressor, out_, picture.rgb().data(), width, height)) {
                failure = compressor.errors.message;
            }
            out_.write(kEol);
        } else {
            write_hex_pixels(picture.rgb());
        }
        end_stream(length);
        if (!failure.empty()) {
            throw Error("Cannot compress a picture of " + std::to_string(width) + "x" +
                        std::to_string(height) + " pixels as JPEG: " + failure);
        }
        return static_cast<int>(images_.size());
    }

    void write_hex_pixels(const std::vector<std::uint8_t>& rgb) {
        static const char kDigits[] = "0123456789ABCDEF";
        std::string text;
        text.reserve(8192);
        int since_break = 0;
        for (std::size_t i = 0; i + 2 < rgb.size(); i += 3) {
            for (std::size_t k = 0; k < 3; ++k) {
                text += kDigits[rgb[i + k] >> 4];
                text += kDigits[rgb[i + k] & 15];
            }
            since_break += 6;
            if (since_break >= 80) {
                text += kEol;
                since_break = 0;
            }
            if (text.size() >= 8000) {
                out_.write(text);
                text.clear();
            }
        }
        text += '>';
        text += kEol;
        out_.write(text);
    }

    // A point (x, y) of the page, y turned upwards.
    void point(std::string& ops, double x, double y) const {
        append_points(ops, x);
        ops += ' ';
        append_points(ops, height_ - y);
    }

    void rectangle(std::string& ops, const Rect& r) const {
        append_points(ops, r.left);
        ops += ' ';
        append_points(ops, height_ - r.bottom);
        ops += ' ';
        append_points(ops, r.right - r.left);
        ops += ' ';
        append_points(ops, r.bottom - r.top);
    }

    static void add(std::string& ops, std::string_view text) {
        ops += text;
        ops += kEol;
    }

    void rectangle_line(std::string& ops, const Rect& r, std::string_view op) const {
        rectangle(ops, r);
        add(ops, op);
    }

    static void color_line(std::string& ops, const MetaColor& c, std::string_view op) {
        append_color(ops, c);
        add(ops, op);
    }

    // Pen width, cap and dash, and the pen colour: what strokes need.
    void pen_operators(const MetaPen& pen, std::string& ops) const {
        if (pen.style == 6) {  // clear
            ops += '0';
        } else {
            append_points(ops, pen.width);
        }
        add(ops, " w");
        add(ops, "0 J");
        switch (pen.style) {
            case 1:
            case 7:
                add(ops, "[] 0 d");
                break;
            case 2:
                add(ops, "[3] 0 d");
                break;
            case 3:
                add(ops, "[1] 0 d");
                break;
            case 4:
                add(ops, "[2 1] 0 d");
                break;
            case 5:
                add(ops, "[3 5] 6 d");
                break;
            default:
                break;
        }
        color_line(ops, pen.color, " RG");
    }

    void path_line(const std::vector<std::pair<double, double>>& path, std::string& ops) const {
        for (std::size_t i = 0; i < path.size(); ++i) {
            point(ops, path[i].first, path[i].second);
            ops += i == 0 ? " m " : " l ";
        }
        ops += kEol;
    }

    void object_operators(const GraphicSurface& page, const GraphicObject& object,
                          const Macros* collection_macros, std::string& ops) {
        switch (object.kind) {
            case ObjectKind::SetClipRect:
                add(ops, "q");
                rectangle_line(ops, object.bounds, " re");
                add(ops, "W n");
                break;
            case ObjectKind::ResetClipRect:
                add(ops, "Q");
                break;
            case ObjectKind::FillRect:
                add(ops, "0 w");
                color_line(ops, object.brush.color, " rg");
                rectangle_line(ops, object.bounds, " re");
                add(ops, "f");
                break;
            case ObjectKind::Rectangle:
                pen_operators(object.pen, ops);
                color_line(ops, object.brush.color, " rg");
                rectangle_line(ops, object.bounds, " re");
                add(ops, "f");
                break;
            case ObjectKind::Line:
                pen_operators(object.pen, ops);
                point(ops, object.from.x, object.from.y);
                add(ops, " m");
                point(ops, object.to.x, object.to.y);
                add(ops, " l");
                add(ops, "S");
                break;
            case ObjectKind::Pixel:
                add(ops, "0 w");
                add(ops, "0 J");
                color_line(ops, object.pixel_color, " rg");
                rectangle_line(ops, object.bounds, " re");
                add(ops, "f");
                break;
            case ObjectKind::Ellipse: {
                const Rect& r = object.bounds;
                const double cx = (r.left + r.right) / 2.0;
                const double cy = (r.top + r.bottom) / 2.0;
                const double rx = (r.right - r.left) / 2.0;
                const double ry = (r.bottom - r.top) / 2.0;
                std::vector<std::pair<double, double>> path;
                for (int degrees = 0; degrees < 360; degrees += 10) {
                    const double a = degrees * std::numbers::pi / 180.0;
                    path.emplace_back(cx + rx * std::cos(a), cy - ry * std::sin(a));
                }
                pen_operators(object.pen, ops);
                color_line(ops, object.brush.color, " rg");
                path_line(path, ops);
                add(ops, "b");
                break;
            }
            case ObjectKind::Polygon:
            case ObjectKind::Polyline: {
                if (object.points.empty()) break;
                std::vector<std::pair<double, double>> path;
                for (const Point& p : object.points) path.emplace_back(p.x, p.y);
                const bool polygon = object.kind == ObjectKind::Polygon;
                pen_operators(object.pen, ops);
                if (polygon) color_line(ops, object.brush.color, " rg");
                path_line(path, ops);
                add(ops, polygon ? "b" : "S");
                break;
            }
            case ObjectKind::Text:
                text_operators(page, object, collection_macros, ops);
                break;
            case ObjectKind::Image:
            case ObjectKind::Arc:
                break;
        }
    }

    void image_operators(const GraphicObject& object, int name, std::string& ops) const {
        const Rect& r = object.bounds;
        add(ops, "q");
        ops += "1 0 0 1 ";
        append_points(ops, r.left);
        ops += ' ';
        append_points(ops, height_ - r.bottom);
        add(ops, " cm");
        append_points(ops, r.right - r.left);
        ops += " 0 0 ";
        append_points(ops, r.bottom - r.top);
        add(ops, " 0 0 cm");
        ops += "/Image";
        append_int(ops, name);
        add(ops, " Do");
        add(ops, "Q");
    }

    void text_operators(const GraphicSurface& page, const GraphicObject& object,
                        const Macros* collection_macros, std::string& ops) {
        const auto name_index = static_cast<std::size_t>(object.font.name_index);
        if (object.font.name_index < 0 || name_index >= page.fonts().size()) {
            throw Error("A text of page " + std::to_string(page.page_index + 1) +
                        " refers to font " + std::to_string(object.font.name_index) +
                        ", which the page does not list");
        }
        Font& font = text_font_;
        font.name = page.fonts()[name_index];
        font.style = object.font.style;
        font.set_size(object.font.size);
        // Most texts have no macro: they are measured and written as they are.
        std::string substituted;
        const bool has_macro = may_name_macros(object.text);
        if (has_macro) substituted = page.substitute_macros(object.text, collection_macros);
        const std::string& text = has_macro ? substituted : object.text;
        const TextPlace place = pdf_text_place(object, text, font, metrics_);

        add(ops, "q");
        color_line(ops, object.font.color, " rg");
        if (!(object.text_flags & tfNoClip)) {
            rectangle_line(ops, place.clip, " re");
            add(ops, "W n");
        }
        // Upwards from the page bottom: glyphs stand a quarter of the line
        // height above the foot of their line.
        const int baseline = height_ - (place.top + place.line_height) + place.line_height / 4;

        const int font_number = font_entry(font.name, font.style);
        add(ops, "BT");
        ops += "/F";
        append_int(ops, font_number);
        ops += ' ';
        append_int(ops, object.font.size);
        add(ops, " Tf");
        append_points(ops, place.x);
        ops += ' ';
        append_points(ops, baseline);
        add(ops, " Td");
        ops += '(';
        append_pdf_escaped(ops, text);
        add(ops, ") Tj");
        add(ops, "ET");
        add(ops, "Q");
    }

    // The 1-based position of the font in the font list, appended when new.
    int font_entry(const std::string& full_name, unsigned style) {
        const std::string_view name = std::string_view(full_name).substr(0, 127);
        for (std::size_t i = 0; i < fonts_.size(); ++i) {
            if (fonts_[i].style == style && ascii_iequals(fonts_[i].name, name)) {
                return static_cast<int>(i + 1);
            }
        }
        fonts_.push_back(FontEntry{std::string(name), style, reserve()});
        return static_cast<int>(fonts_.size());
    }

    void write_font(const FontEntry& font, std::size_t position) {
        const std::string f = "/F" + std::to_string(position);
        if (is_standard_font(font.name)) {
            begin_object(font.number);
            out_.line("/Type/Font/Subtype/Type1/Name" + f + "/BaseFont/" +
                      remove_blanks(font.name) + "/Encoding/WinAnsiEncoding");
            end_dictionary();
            return;
        }

        const OutlineMetrics* metrics = nullptr;
        try {
            metrics = &metrics_.outline(font.name, font.style);
        } catch (const Error& e) {
            throw Error("Invalid font for GetOutlineTextMetrics (\"" + font.name +
                        "\"): " + e.what());
        }
        const std::string base = truetype_base_name(font.name, font.style);
        begin_object(font.number);
        out_.line("/Type/Font/Subtype/TrueType/Name" + f + "/BaseFont/" + base);
        out_.line("/FirstChar " + std::to_string(metrics->first_char));
        out_.line("/LastChar " + std::to_string(metrics->last_char));
        out_.line("/Widths [");
        std::string line;
        int on_line = 0;
        for (int code = metrics->first_char; code <= metrics->last_char; ++code) {
            line += std::to_string(metrics->widths[static_cast<std::size_t>(code)]) + " ";
            if (++on_line == 18) {
                out_.line(line);
                line.clear();
                on_line = 0;
            }
        }
        if (on_line > 0) out_.line(line);
        out_.line("]");
        const int descriptor = reserve();
        out_.line("/FontDescriptor " + ref(descriptor));
        out_.line("/Encoding/WinAnsiEncoding");
        end_dictionary();

        begin_object(descriptor);
        out_.line("/Type/FontDescriptor");
        out_.line("/FontName/" + base);
        out_.line("/Flags 32");
        out_.line("/FontBBox [ " + std::to_string(metrics->bbox_left) + " " +
                  std::to_string(metrics->bbox_bottom) + " " + std::to_string(metrics->bbox_right) +
                  " " + std::to_string(metrics->bbox_top) + " ]");
        out_.line("/MissingWidth 0");
        out_.line("/StemV 73");
        out_.line("/StemH 73");
        out_.line("/ItalicAngle " + std::to_string(metrics->italic_angle));
        out_.line("/CapHeight " + std::to_string(metrics->cap_height));
        out_.line("/XHeight " + std::to_string(metrics->x_height));
        out_.line("/Ascent " + std::to_string(metrics->ascent));
        out_.line("/Descent " + std::to_string(metrics->descent));
        out_.line("/Leading " + std::to_string(metrics->internal_leading));
        out_.line("/MaxWidth " + std::to_string(metrics->max_width));
        out_.line("/AvgWidth " + std::to_string(metrics->avg_width));
        end_dictionary();
    }

    Output out_;
    std::string path_;
    TextMetrics& metrics_;
    TRLPDFFilterImageFormat image_format_;

    // By object number, -1 until written. A deque: the table of a long
    // document never needs room for twice its entries, nor a copy of them.
    std::deque<std::int64_t> offsets_;
    std::vector<bool> reserved_;  // by object number
    int highest_ = 0;             // the highest number handed out
    int last_started_ = 0;        // the highest number started directly
    std::vector<FontEntry> fonts_;
    std::vector<int> images_;       // object numbers
    std::vector<int> image_names_;  // by picture number in the page collection; 0 unwritten
    std::vector<int> pages_;        // object numbers
    int info_ = 0, catalog_ = 0, page_tree_ = 0, resources_ = 0;
    int height_ = 0;  // of the page being drawn
    static constexpr std::size_t kOperatorsChunk = 1 << 16;
    std::string page_operators_;  // reused from page to page
    Font text_font_;              // likewise
    int last_width_ = 0, last_height_ = 0;
    std::int64_t stream_start_ = 0;
};

// --- filter ------------------------------------------------------------------

TRLPDFFilter::TRLPDFFilter() : TRLCustomSaveFilter(".pdf") {
    DisplayName = EngineTexts::current().pdf_document;
}

TRLPDFFilter::~TRLPDFFilter() = default;

void TRLPDFFilter::InternalBeginDoc() {
    writer_.reset();
    TextMetrics& metrics = metrics_ ? *metrics_ : TextMetrics::instance();
    auto writer = std::make_unique<Writer>(FileName, metrics, ImageFormat);
    writer->begin(DocumentInfo, clock_ ? clock_() : local_timestamp());
    writer_ = std::move(writer);
}

void TRLPDFFilter::InternalDrawPage(const GraphicSurface& page) {
    if (!Pages()) throw Error("A page reached the PDF filter without its page collection");
    if (writer_) writer_->draw_page(page, *Pages());
}

void TRLPDFFilter::InternalEndDoc() {
    // The writer goes whatever happens: a failed end leaves the file as it is.
    std::unique_ptr<Writer> writer = std::move(writer_);
    if (writer) writer->end(Pages());
}

}  // namespace tarvek::report
