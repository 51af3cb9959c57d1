// The page surface: drawings recorded as resolution-independent graphic
// objects in report pixels, the surfaces that collect them and the page
// collection that holds finished pages.
//
// Ownership: a surface owns its objects; image objects share their
// picture's pixels (Picture is a shared value). The page collection owns its
// pages and keeps at most five of them in memory, the rest in a private swap
// file that goes with the collection; each distinct picture is written there
// once and pages refer to it by number.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/errors.h"
#include "report/graphics.h"
#include "report/picture.h"

namespace tarvek::report {

struct MetaColor {
    std::uint8_t red = 0, green = 0, blue = 0;
    static MetaColor from(Color c);  // resolves system colours
    friend bool operator==(const MetaColor&, const MetaColor&) = default;
};

// Brush style codes: 1 solid, 2 clear, 3 horizontal, 4 vertical, 5 forward
// diagonal, 6 backward diagonal, 7 cross, 8 diagonal cross.
struct MetaBrush {
    MetaColor color;
    int style = 1;
    friend bool operator==(const MetaBrush&, const MetaBrush&) = default;
};

// Pen mode codes 1-16 (5 copy); style codes 1 solid ... 7 inside-frame.
struct MetaPen {
    MetaColor color;
    int mode = 5;
    int style = 1;
    int width = 0;
    friend bool operator==(const MetaPen&, const MetaPen&) = default;
};

struct MetaFont {
    int pixels_per_inch = 72;
    std::uint8_t charset = 1;
    MetaColor color;
    int height = 0;
    int name_index = 0;  // into the surface's font list
    int pitch = 1;       // 1 default, 2 variable, 3 fixed
    int size = 0;
    unsigned style = 0;  // 1 bold, 2 italic, 4 underline, 8 strike-out
    friend bool operator==(const MetaFont&, const MetaFont&) = default;
};

// Where a text lies across its bounds, and down them. The codes are the ones
// pages store.
enum class TextAlignment : std::uint8_t { Left = 1, Right = 2, Center = 3, Justify = 4 };
enum class TextLayout : std::uint8_t { Top = 1, Bottom = 2, Center = 3 };

enum TextFlag : unsigned {
    tfNoClip = 1,      // draw without clipping to the bounds
    tfNeverBreak = 4,  // a split band must not cut this text
};

enum class ObjectKind {
    Text,
    Rectangle,
    FillRect,
    Image,
    SetClipRect,
    ResetClipRect,
    Line,
    Pixel,
    Ellipse,
    Arc,
    Polygon,
    Polyline,
};

const char* object_class_name(ObjectKind kind);  // "TRLTextObject", ...

// One recorded drawing. Fields that a kind does not use keep their defaults:
// `origin` belongs to texts, `from`/`to` to lines and arcs, `points` to
// polygons and polylines, and offset/scale leave the others alone. A new
// field is listed in PageFormat::object_fields (report/page_format.h), which
// stored pages, offset/scale and the dump follow.
struct GraphicObject {
    ObjectKind kind = ObjectKind::FillRect;
    Rect bounds;
    int group_id = 0;
    int generator_id = 0;

    // Text
    std::string text;
    Point origin;
    TextAlignment alignment = TextAlignment::Left;
    TextLayout layout = TextLayout::Top;
    unsigned text_flags = tfNoClip | tfNeverBreak;
    MetaFont font;

    // Text, rectangle, fill, line, shapes
    MetaBrush brush;
    MetaPen pen;

    // Image: the picture itself, shared with whoever else shows it; its
    // tagged bytes ("BMP"/"ICO" + file bytes, or "NIL") are
    // picture.tagged_data().
    Picture picture;
    bool parity = false;

    // Line, pixel, shapes
    Point from, to;
    MetaColor pixel_color;
    std::vector<Point> points;

    // Moves every coordinate of the object.
    void offset(int dx, int dy);
    // Multiplies coordinates (and font size) by the factors, rounding to
    // nearest with halves away from zero. The font height is left as it is.
    void scale(double sx, double sy);
};

// The process-wide drawing counter: incremented each time a control starts
// drawing; new objects take its value as their group id.
int next_group_id();
int current_group_id();

// Name=value pairs; names compare exactly and the first entry of a name wins.
using Macros = std::vector<std::pair<std::string, std::string>>;
std::string macro_value(const Macros& macros, const std::string& name, bool* found = nullptr);
// Replaces the value of the first entry of `name`, or appends one.
void set_macro(Macros& macros, const std::string& name, const std::string& value);
// Whether a text may name a macro ({Name}); substitution leaves others as
// they are.
inline bool may_name_macros(std::string_view text) {
    return text.find('{') != std::string_view::npos;
}

class GraphicSurface {
  public:
    GraphicSurface() = default;
    GraphicSurface(const GraphicSurface&) = delete;
    GraphicSurface& operator=(const GraphicSurface&) = delete;

    int width = 0;
    int height = 0;
    Rect margins;
    int page_index = -1;
    Macros macros;
    const void* generator = nullptr;  // the control currently drawing

    // Drawing state copied into new objects. A new surface has a white
    // brush, a black pen and a black font.
    MetaBrush brush{MetaColor{255, 255, 255}, 1};
    MetaPen pen;
    Font font;

    const std::vector<GraphicObject>& objects() const { return objects_; }
    std::vector<GraphicObject>& objects() { return objects_; }
    const std::vector<std::string>& fonts() const { return fonts_; }
    int font_index(const std::string& name);  // adds the name when new

    bool opened() const { return opened_; }
    // Something was drawn or copied onto the surface since the last clear().
    bool modified() const { return modified_; }
    void open() { opened_ = true; }
    void close() { opened_ = false; }
    // Removes every object, font and macro; clip back to none (an empty
    // rectangle) and the surface unmodified.
    void clear();

    const Rect& clip_rect() const { return clip_; }

    // Drawing operations: each appends one object from the arguments and the
    // current state, with the current group id. Justified text is measured
    // with the text measurement service; nothing else here is.
    // scale_picture and clip_picture append nothing for an empty picture.
    void fill_rect(const Rect& r);
    void rectangle(int left, int top, int right, int bottom);
    void text_out(const Rect& r, int x, int y, const std::string& text, TextAlignment alignment,
                  TextLayout layout, unsigned flags);
    void stretch_picture(const Rect& r, const Picture& picture);
    void draw_picture(int x, int y, const Picture& bitmap, bool parity);
    void scale_picture(const Rect& r, const Picture& picture, bool center);
    void clip_picture(const Rect& r, const Picture& picture, bool center);
    void set_clip_rect(const Rect& r);
    void reset_clip_rect();

    // Composition. Copies keep each object's fields (group id included) and
    // re-point text objects at this surface's font list. copy_surface appends
    // the source's macros as they are, duplicates included.
    void copy_surface(int x, int y, const GraphicSurface& source);
    void copy_rect(const Rect& destination, const GraphicSurface& source, const Rect& source_rect);
    // The same, taking the objects out of `source` instead of duplicating
    // them: for a container's working surface, which is cleared before it is
    // drawn on again. `source` keeps its fonts and state but no objects or
    // macros; it must not be this surface.
    void move_surface(int x, int y, GraphicSurface& source);
    void move_rect(const Rect& destination, GraphicSurface& source, const Rect& source_rect);
    // The highest row at or above `row` that no unbreakable text straddles;
    // nullopt when that is not above 0.
    std::optional<int> find_cut_row(int row) const;

    // The text of an object with {Name} replaced from this page's macros, else
    // the collection's.
    std::string substitute_macros(const std::string& text, const Macros* collection_macros) const;

    // A copy of everything but the generator, which is not carried over.
    std::unique_ptr<GraphicSurface> clone() const;

    // Where serialised pages keep their pictures: the page collection stores
    // each distinct picture once and a page refers to it by number.
    class PictureStore {
      public:
        virtual ~PictureStore() = default;
        virtual std::uint32_t number_of(const Picture& picture) = 0;
        // Raises an error for a number it never gave.
        virtual Picture picture(std::uint32_t number) = 0;
    };
    // Internal serialisation for the swap file; round trips exactly except
    // for the generator (pictures come back with the same pixels). Without a
    // store the pictures are part of the bytes. deserialize raises an error
    // on damaged data: a PageDataError where the bytes break the format.
    std::string serialize(PictureStore* pictures = nullptr) const;
    static std::unique_ptr<GraphicSurface> deserialize(std::string_view bytes,
                                                       PictureStore* pictures = nullptr);

  private:
    friend struct PageFormat;  // names the fields a stored page keeps

    GraphicObject& append(ObjectKind kind, const Rect& bounds);
    // Turns the font index of an object taken from `source` into ours;
    // `ours` remembers the indexes turned so far (empty at first).
    GraphicObject& adopt_font(GraphicObject& object, const GraphicSurface& source,
                              std::vector<int>& ours);
    // Objects is a const vector (copied from) or a vector (moved from).
    template <typename Objects>
    void copy_objects(int x, int y, Objects& objects, const GraphicSurface& source);
    template <typename Objects>
    void copy_objects(const Rect& destination, Objects& objects, const GraphicSurface& source,
                      const Rect& source_rect);
    MetaFont meta_font();
    std::string justified(const std::string& text, int x, int right);

    std::vector<GraphicObject> objects_;
    std::vector<std::string> fonts_;
    Rect clip_;
    std::vector<Rect> clip_stack_;
    bool opened_ = false;
    bool modified_ = false;
};

// Stored page bytes that cannot be read back: "Damaged page data at byte N:
// reason", N being where reading stopped; the byte and the reason are given
// apart as well.
class PageDataError : public Error {
  public:
    PageDataError(std::size_t offset, const std::string& reason);
    std::size_t offset() const noexcept { return offset_; }
    const std::string& reason() const noexcept { return reason_; }

  private:
    std::size_t offset_;
    std::string reason_;
};

// Thread safety: a collection may be filled on one thread while another
// takes its pages through the added-page listener and asks for picture
// numbers; its other operations belong to one thread at a time.
class GraphicStorage {
  public:
    GraphicStorage();
    ~GraphicStorage();
    GraphicStorage(const GraphicStorage&) = delete;
    GraphicStorage& operator=(const GraphicStorage&) = delete;

    static constexpr int kPagesInMemory = 5;

    // Removes every page and macro, and the swap file with them.
    void clear();
    // Appends a page and assigns its index; the page is written to the swap
    // file at once (created on the first add), with each picture not stored
    // before, and stays in memory as the newest page.
    void add(std::unique_ptr<GraphicSurface> page);
    // The page, read back from the swap file when needed; nullptr when the
    // index is out of range. The pointer is valid until the next call of
    // page(), page_for_change(), add() or clear().
    const GraphicSurface* page(int index);
    // The same page for changing: it is written to the swap file again when
    // it leaves memory.
    GraphicSurface* page_for_change(int index);
    int page_count() const;

    // Called by add() with each page once it is stored, on the adding
    // thread and outside any lock: a filter may write pages while later ones
    // are prepared. The page must not be changed; the listener may wait, and
    // its errors leave add() (the page stays added).
    using AddedPageListener = std::function<void(std::shared_ptr<const GraphicSurface> page)>;
    void set_added_page_listener(AddedPageListener listener);

    // The number under which the collection stores `picture` (shown on its
    // pages; stored now when it is new): the same pixels, shown on any page,
    // have one number, however the pages came and went from memory.
    std::uint32_t picture_number(const Picture& picture);

    Macros macros;
    // Derived from the PaperWidth/PaperHeight/Orientation macros ("2" is
    // landscape, anything else portrait); 0 when the size is missing. A size
    // that is not a number raises an error naming the macro.
    int page_width() const;
    int page_height() const;

    // Bytes written to the swap file so far; 0 until a page is added after
    // construction or clear(). The swap file has no name in the file system
    // (it cannot outlive the process, however the process ends).
    std::uint64_t swap_size() const;
    // Bytes read back from the swap file since construction or clear().
    std::uint64_t swap_read() const;
    int pages_in_memory() const;

  private:
    struct Impl;
    mutable std::mutex mutex_;
    std::unique_ptr<Impl> impl_;
};

// A readable dump of pages: one line per graphic object with its class,
// rectangle, text, flags, colours and font; images show their tag, pixel size
// and a checksum of their data. Group ids are left out (they depend on what
// ran before), texts are escaped to ASCII. Used by golden tests.
// dump_storage starts with the collection macros, then for each page a
// header line (index, size, page macros) and its objects indented by two.
std::string dump_surface(const GraphicSurface& surface);
std::string dump_storage(GraphicStorage& storage);

}  // namespace tarvek::report
