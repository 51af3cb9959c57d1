#include "report/controls.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include "base/errors.h"
#include "base/string_helpers.h"
#include "report/engine_texts.h"
#include "report/report.h"
#include "report/text_metrics.h"
#include "report/text_placement.h"

namespace tarvek::report {

namespace {

bool width_free(TRLControlAlign a) {
    switch (a) {
        case faNone:
        case faLeft:
        case faRight:
        case faLeftMost:
        case faRightMost:
        case faLeftTop:
        case faRightTop:
        case faLeftBottom:
        case faRightBottom:
        case faCenter:
        case faCenterLeft:
        case faCenterTop:
        case faCenterRight:
        case faCenterBottom:
        case faClientLeft:
        case faClientRight:
        case faHeight:
        case faLeftOnly:
        case faRightOnly:
        case faTopOnly:
        case faBottomOnly:
            return true;
        default:
            return false;
    }
}

bool height_free(TRLControlAlign a) {
    switch (a) {
        case faNone:
        case faTop:
        case faBottom:
        case faLeftTop:
        case faRightTop:
        case faLeftBottom:
        case faRightBottom:
        case faCenter:
        case faCenterLeft:
        case faCenterTop:
        case faCenterRight:
        case faCenterBottom:
        case faClientTop:
        case faClientBottom:
        case faWidth:
        case faLeftOnly:
        case faRightOnly:
        case faTopOnly:
        case faBottomOnly:
            return true;
        default:
            return false;
    }
}

TextAlignment alignment_code(TRLTextAlignment a) {
    switch (a) {
        case taRightJustify:
            return TextAlignment::Right;
        case taCenter:
            return TextAlignment::Center;
        case taJustify:
            return TextAlignment::Justify;
        default:
            return TextAlignment::Left;
    }
}

TextLayout layout_code(TRLTextLayout l) {
    switch (l) {
        case tlBottom:
            return TextLayout::Bottom;
        case tlCenter:
            return TextLayout::Center;
        default:
            return TextLayout::Top;
    }
}

TextMetrics& metrics() {
    return TextMetrics::instance();
}

// Ordering key of a docked control: non-bands first, bands by kind.
int band_kind_order(const TRLCustomControl& c) {
    if (const auto* band = dynamic_cast<const TRLCustomBand*>(&c))
        return 1 + static_cast<int>(band->BandType);
    return 0;
}

int group_index(const TRLCustomControl& c) {
    if (const auto* band = dynamic_cast<const TRLCustomBand*>(&c)) return band->GroupIndex;
    return 0;
}

}  // namespace

// --- borders -------------------------------------------------------------

void TRLBorders::SetSides(TRLBorderSides sides) {
    sides_ = sides;
    if (sides == sdNone) {
        for (int i = 0; i < 4; ++i) draw_[i] = fixed_[i] = false;
    } else if (sides == sdAll) {
        for (bool& d : draw_) d = true;
    }
    changed();
}

void TRLBorders::set_draw(int side, bool value) {
    draw_[side] = value;
    if (!value) fixed_[side] = false;
    const bool all = draw_[0] && draw_[1] && draw_[2] && draw_[3];
    if (!(all && sides_ == sdAll)) sides_ = sdCustom;
    changed();
}

void TRLBorders::set_fixed(int side, bool value) {
    fixed_[side] = value;
    if (value && !draw_[side]) {
        set_draw(side, true);
        return;
    }
    changed();
}

void TRLBorders::SetWidth(int width) {
    if (width < 0) return;
    width_ = width;
    changed();
}

bool TRLBorders::IsDrawn(int side) const {
    if (width_ <= 0 || !draw_[side]) return false;
    if (fixed_[side]) return true;
    const TRLCustomReport* report = owner_.Report();
    return !report || report->PrintQuality == pqFullFeature;
}

void TRLBorders::changed() {
    owner_.AdjustBounds();
}

// --- control -------------------------------------------------------------

TRLCustomControl::TRLCustomControl(std::string name) : name_(std::move(name)) {}

TRLCustomControl::~TRLCustomControl() = default;

bool TRLCustomControl::InLayoutLoading() const {
    const TRLCustomControl* root = this;
    while (root->parent_) root = root->parent_;
    return root->layout_loading_ > 0;
}

TRLCustomReport* TRLCustomControl::Report() const {
    const TRLCustomControl* c = this;
    while (c->parent_) c = c->parent_;
    return dynamic_cast<TRLCustomReport*>(const_cast<TRLCustomControl*>(c));
}

void TRLCustomControl::SetBounds(int left, int top, int width, int height) {
    const Rect next{left, top, left + width, top + height};
    if (next == bounds_) return;
    const int dw = width - bounds_.width();
    const int dh = height - bounds_.height();
    bounds_ = next;
    if (InLayoutLoading()) return;
    GrowContainer(dw, dh);
    if (parent_) parent_->AlignControls();
}

void TRLCustomControl::GrowContainer(int width_change, int height_change) {
    auto grow = [&](int change, bool (*is_free)(TRLControlAlign), bool width) {
        if (change == 0 || !is_free(align_)) return;
        TRLCustomSite* site = parent_;
        while (site && !is_free(site->Align())) site = site->Parent();
        if (!site || !(width ? site->GrowsWidth() : site->GrowsHeight())) return;
        if (site->AutoSize()) {
            site->AdjustBounds();
        } else if (site->AutoExpand() && (behavior_ & beSiteExpander)) {
            if (width) {
                site->SetWidth(site->Width() + change);
            } else {
                site->SetHeight(site->Height() + change);
            }
        }
    };
    grow(width_change, width_free, true);
    grow(height_change, height_free, false);
}

void TRLCustomControl::SetAlign(TRLControlAlign align) {
    if (parent_) parent_->aligned_children_ += (align != faNone) - (align_ != faNone);
    align_ = align;
    if (!InLayoutLoading() && parent_) parent_->AlignControls();
}

void TRLCustomControl::SetAlignment(TRLTextAlignment v) {
    alignment_ = v;
    ContentChanged();
}

void TRLCustomControl::SetLayout(TRLTextLayout v) {
    layout_ = v;
    ContentChanged();
}

void TRLCustomControl::SetAutoSize(bool v) {
    auto_size_ = v;
    if (v) ContentChanged();
}

Color TRLCustomControl::GetColor() const {
    if (parent_color_ && parent_) return parent_->GetColor();
    return color_;
}

void TRLCustomControl::SetColor(Color c) {
    color_ = c;
    parent_color_ = false;
}

const report::Font& TRLCustomControl::GetFont() const {
    if (parent_font_ && parent_) return parent_->GetFont();
    return font_;
}

void TRLCustomControl::SetFont(const report::Font& font) {
    font_ = font;
    parent_font_ = false;
    ContentChanged();
}

void TRLCustomControl::ContentChanged() {
    if (!InLayoutLoading()) AdjustBounds();
}

void TRLCustomControl::CalcSize(int& width, int& height) {
    width = Width();
    height = Height();
}

void TRLCustomControl::AdjustBounds() {
    if (InLayoutLoading()) return;
    int w = 0, h = 0;
    CalcSize(w, h);
    int left = Left(), right = Left() + w;
    if (alignment_ == taRightJustify) {
        left = Left() + Width() - w;
        right = left + w;
    } else if (alignment_ == taCenter) {
        if (w % 2 != 0) ++w;
        left = Left() + (Width() - w) / 2;
        right = left + w;
    }
    int top = Top(), bottom = Top() + h;
    if (layout_ == tlBottom) {
        top = Top() + Height() - h;
        bottom = top + h;
    } else if (layout_ == tlCenter) {
        if (h % 2 != 0) ++h;
        top = Top() + (Height() - h) / 2;
        bottom = top + h;
    }
    SetBounds(left, top, right - left, bottom - top);
}

Rect TRLCustomControl::PrintClientRect() const {
    Rect r = PrintBounds();
    const int w = borders_.Width();
    if (borders_.IsDrawn(0)) r.left += w;
    if (borders_.IsDrawn(1)) r.top += w;
    if (borders_.IsDrawn(2)) r.right -= w;
    if (borders_.IsDrawn(3)) r.bottom -= w;
    return r;
}

Rect TRLCustomControl::LayoutClientRect() const {
    Rect r = bounds_;
    const int w = borders_.Width() + 1;
    if (borders_.IsDrawn(0)) r.left += w;
    if (borders_.IsDrawn(1)) r.top += w;
    if (borders_.IsDrawn(2)) r.right -= w;
    if (borders_.IsDrawn(3)) r.bottom -= w;
    return r;
}

bool TRLCustomControl::CanPrint() {
    return visible_;
}

void TRLCustomControl::InternalPrint(GraphicSurface& surface) {
    DrawBackground(surface, PrintBounds());
    DrawBorders(surface, PrintBounds());
}

void TRLCustomControl::DrawBackground(GraphicSurface& surface, const Rect& r) const {
    if (transparent_) return;
    surface.brush = MetaBrush{MetaColor::from(GetColor()), 1};
    surface.fill_rect(r);
}

void TRLCustomControl::DrawBorders(GraphicSurface& surface, const Rect& r) const {
    const int w = borders_.Width();
    if (w <= 0 || !borders_.AnyDrawn()) return;
    const MetaColor color = MetaColor::from(borders_.BorderColor());
    surface.pen = MetaPen{color, 5, 1, 1};
    surface.brush = MetaBrush{color, 1};
    if (borders_.IsDrawn(0)) surface.rectangle(r.left, r.top, r.left + w, r.bottom);
    if (borders_.IsDrawn(1)) surface.rectangle(r.left, r.top, r.right, r.top + w);
    if (borders_.IsDrawn(2)) surface.rectangle(r.right - w, r.top, r.right, r.bottom);
    if (borders_.IsDrawn(3)) surface.rectangle(r.left, r.bottom - w, r.right, r.bottom);
}

// --- labels --------------------------------------------------------------

namespace {

// Text controls print the text they obtain now, after their BeforePrint
// handler had its say; the text becomes their caption, which re-sizes them.
template <typename TextControl>
bool capture_text(TextControl& control) {
    bool print_it = control.Visible();
    if (!print_it) return false;
    std::string text = control.MakeText();
    if (control.BeforePrint) control.BeforePrint(control, text, print_it);
    if (print_it) control.SetCaption(std::move(text));
    return print_it;
}

}  // namespace

namespace {

// Border allowance of automatic sizes: Borders.Width + 1 per drawn side.
void add_border_allowance(const TRLBorders& b, int& width, int& height, bool horizontal) {
    const int w = b.Width() + 1;
    if (horizontal) {
        if (b.IsDrawn(0)) width += w;
        if (b.IsDrawn(2)) width += w;
    }
    if (b.IsDrawn(1)) height += w;
    if (b.IsDrawn(3)) height += w;
}

}  // namespace

TRLCustomLabel::TRLCustomLabel(std::string name) : TRLCustomControl(std::move(name)) {
    auto_size_ = true;
    bounds_ = {0, 0, 65, 17};
}

void TRLCustomLabel::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    ContentChanged();
}

const TRLCustomLabel::Measures& TRLCustomLabel::Measured() {
    const report::Font& font = GetFont();
    Measures& m = measures_;
    if (!measured_ || m.caption != caption_ || !(m.font == font)) {
        m.width = metrics().text_width(font, caption_ + " ");
        m.blank = metrics().text_width(font, " ");
        m.height = metrics().line_height(font);
        m.caption = caption_;
        m.font = font;
        measured_ = true;
    }
    return m;
}

void TRLCustomLabel::CalcSize(int& width, int& height) {
    if (!auto_size_) {
        TRLCustomControl::CalcSize(width, height);
        return;
    }
    const Measures& m = Measured();
    width = m.width;
    height = m.height;
    add_border_allowance(borders_, width, height, true);
}

bool TRLCustomLabel::CanPrint() {
    return capture_text(*this);
}

void TRLCustomLabel::InternalPrint(GraphicSurface& surface) {
    TRLCustomControl::InternalPrint(surface);
    const Rect r = PrintClientRect();
    const report::Font& font = GetFont();
    const Measures& m = Measured();
    const int sp = m.blank / 2;
    const int tw = m.width;
    const int th = m.height;
    int x = sp + r.left;
    if (alignment_ == taRightJustify) x = sp + r.right - tw;
    if (alignment_ == taCenter) x = sp + (r.left + r.right - tw) / 2;
    int y = r.top;
    if (layout_ == tlCenter) y = (r.top + r.bottom - th) / 2;
    if (layout_ == tlBottom) y = r.bottom - th;
    surface.font = font;
    surface.brush.style = 2;
    surface.text_out(r, x, y, caption_, alignment_code(alignment_), layout_code(layout_),
                     auto_size_ ? (tfNoClip | tfNeverBreak) : tfNeverBreak);
}

// --- data texts ----------------------------------------------------------

std::string field_text(const TRLCustomControl& control, const TDataSource* source,
                       const std::string& field, const std::string& display_mask) {
    const TRLCustomReport* report = control.Report();
    if (!report || !report->Preparing()) return {};
    if (!source || !source->DataSet) return {};
    Dataset& dataset = *source->DataSet;
    if (!dataset.active() || dataset.eof()) return {};
    const Field* f = dataset.find_field(field);
    if (!f) return {};
    if (f->type() == FieldType::Memo || f->type() == FieldType::Blob) return f->as_string();
    if (!display_mask.empty() &&
        (f->type() == FieldType::Float || f->type() == FieldType::Decimal)) {
        const FormatSettings& fs = FormatSettings::current();
        if (const Decimal* d = std::get_if<Decimal>(&f->value()))
            return format_float(display_mask, *d, fs);
        return format_float(display_mask, f->as_float(), fs);
    }
    return f->display_text();
}

void TRLCustomDBText::SetDataSource(TDataSource* source) {
    data_source_ = source;
    ContentChanged();
}

void TRLCustomDBText::SetDataField(std::string field) {
    data_field_ = std::move(field);
    ContentChanged();
}

std::string TRLCustomDBText::MakeText() {
    std::string value = field_text(*this, data_source_, data_field_, DisplayMask);
    if (Text.empty()) return value;
    const auto hash = Text.find('#');
    if (hash == std::string::npos) return Text + value;
    return Text.substr(0, hash) + value + Text.substr(hash + 1);
}

// --- multi-line texts ------------------------------------------------------

std::vector<std::string> WrapText(const std::string& text, int max_width, const report::Font& font,
                                  TextAlignment alignment, std::vector<bool>* paragraph_ends,
                                  WrapAt wrap_at) {
    std::vector<std::string> lines;
    auto ended = [&](bool paragraph) {
        if (paragraph_ends) paragraph_ends->push_back(paragraph);
    };
    auto is_blank = [](char c) { return c == ' ' || c == '\t'; };
    auto is_break = [](char c) { return c == '\r' || c == '\n'; };
    // A line fits when it ends inside the width as every output draws it;
    // without a width to keep to, nothing needs measuring.
    const bool wraps = max_width < kNoWrapWidth;
    const std::optional<DrawnExtent> extent =
        wraps ? std::optional<DrawnExtent>(std::in_place, font, alignment, metrics())
              : std::nullopt;
    auto width_of = [&](std::size_t from, std::size_t to) {
        return wraps ? (*extent)(std::string_view(text).substr(from, to - from)) : 0;
    };
    const std::size_t n = text.size();
    if (wrap_at == WrapAt::AnyCharacter && wraps) {
        for (std::size_t p = 0; p < n;) {
            std::size_t end = p;
            while (end < n && !is_break(text[end])) ++end;
            if (p == end) {
                lines.emplace_back();
                ended(true);
            }
            // The paragraph [p, end) in lines, each the longest start that
            // fits, and at least one character so that every line takes
            // something.
            while (p < end) {
                std::size_t fits = p + 1;
                if (width_of(p, end) <= max_width) {
                    fits = end;
                } else {
                    std::size_t over = end;
                    while (over - fits > 1) {
                        const std::size_t middle = fits + (over - fits) / 2;
                        (width_of(p, middle) <= max_width ? fits : over) = middle;
                    }
                    std::size_t cut = fits;
                    while (cut > p + 1 && (is_blank(text[cut - 1]) || is_blank(text[cut]))) --cut;
                    if (cut > p + 1) fits = cut;
                }
                lines.push_back(text.substr(p, fits - p));
                ended(fits == end);
                p = fits;
            }
            if (end == n) break;
            p = end + 1;
            if (text[end] == '\r' && p < n && text[p] == '\n') ++p;
        }
        return lines;
    }
    std::size_t p = 0;
    while (p < n) {
        const std::size_t start = p;
        bool word_taken = false;
        for (;;) {
            if (p >= n) {
                lines.push_back(text.substr(start, p - start));
                ended(true);
                break;
            }
            const char c = text[p];
            if (is_blank(c)) {
                if (word_taken && width_of(start, p) > max_width) {
                    lines.push_back(text.substr(start, p - start));
                    ended(false);
                    while (p < n && is_blank(text[p])) ++p;
                    break;
                }
                ++p;
                continue;
            }
            if (is_break(c)) {
                lines.push_back(text.substr(start, p - start));
                ended(true);
                ++p;
                if (c == '\r' && p < n && text[p] == '\n') ++p;
                break;
            }
            const std::size_t word_start = p;
            while (p < n && !is_blank(text[p]) && !is_break(text[p])) ++p;
            if (word_taken && width_of(start, p) > max_width) {
                p = word_start;
                lines.push_back(text.substr(start, word_start - start));
                ended(false);
                break;
            }
            word_taken = true;
        }
    }
    return lines;
}

TRLCustomMultiLine::TRLCustomMultiLine(std::string name) : TRLCustomControl(std::move(name)) {
    auto_size_ = true;
    behavior_ = beSiteExpander;
    bounds_ = {0, 0, 185, 89};
}

void TRLCustomMultiLine::SetWordWrap(bool v) {
    word_wrap_ = v;
    ContentChanged();
}

void TRLCustomMultiLine::SetLinesBreakAt(WrapAt v) {
    wrap_at_ = v;
    ContentChanged();
}

void TRLCustomMultiLine::SetShrinkToFitDownTo(int pixels) {
    shrink_to_fit_down_to_ = pixels;
    ContentChanged();
}

void TRLCustomMultiLine::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    ContentChanged();
}

void TRLCustomMultiLine::CalcSize(int& width, int& height) {
    if (!auto_size_) {
        TRLCustomControl::CalcSize(width, height);
        return;
    }
    const report::Font& font = GetFont();
    width = Width();
    const auto lines =
        WrapText(caption_, word_wrap_ ? Width() : kNoWrapWidth, font, alignment_code(alignment_));
    height = lines.empty() ? metrics().line_height(font)
                           : static_cast<int>(lines.size()) * metrics().line_height(font);
    add_border_allowance(borders_, width, height, false);
}

bool TRLCustomMultiLine::CanPrint() {
    return capture_text(*this);
}

void TRLCustomMultiLine::InternalPrint(GraphicSurface& surface) {
    TRLCustomControl::InternalPrint(surface);
    const Rect r = PrintClientRect();
    report::Font font = GetFont();
    const int wrap_width = word_wrap_ ? r.right - r.left : kNoWrapWidth;
    // Paragraph ends decide which justified lines stay left-aligned.
    std::vector<bool> ends_paragraph;
    std::vector<std::string> lines;
    int lh = 0;
    for (;;) {
        ends_paragraph.clear();
        lines = WrapText(caption_, wrap_width, font, alignment_code(alignment_), &ends_paragraph,
                         wrap_at_);
        lh = metrics().line_height(font);
        if (shrink_to_fit_down_to_ <= 0 ||
            static_cast<long long>(lines.size()) * lh <= r.bottom - r.top)
            break;
        const int pixels = std::abs(font.height);
        if (pixels <= shrink_to_fit_down_to_) {
            throw Error(Name() + ": its text does not fit in " + std::to_string(r.right - r.left) +
                        " x " + std::to_string(r.bottom - r.top) + " pixels even in a font " +
                        std::to_string(pixels) + " pixels high");
        }
        font.height = -(pixels - 1);
    }
    surface.font = font;
    if (transparent_) {
        surface.brush.style = 2;
    } else {
        surface.brush = MetaBrush{MetaColor::from(GetColor()), 1};
    }
    const int line_right = static_cast<int>(
        std::min<long long>(static_cast<long long>(r.left) + wrap_width, kNoWrapWidth));
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const int offset = static_cast<int>(k) * lh;
        if (k > 0 && offset > r.bottom - r.top) break;
        Rect line_rect{r.left, r.top + offset, line_right, std::min(r.top + offset + lh, r.bottom)};
        const int lw = metrics().text_width(font, lines[k]);
        int x = r.left;
        if (alignment_ == taRightJustify) x = line_rect.right - lw;
        if (alignment_ == taCenter) x = (r.left + line_rect.right - lw) / 2;
        TextAlignment code = alignment_code(alignment_);
        if (alignment_ == taJustify && ends_paragraph[k]) code = TextAlignment::Left;
        surface.text_out(line_rect, x, r.top + offset, lines[k], code, TextLayout::Top,
                         tfNoClip | tfNeverBreak);
    }
}

void TRLCustomMemo::SetLines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    caption_ = MakeText();
    ContentChanged();
}

std::string TRLCustomMemo::MakeText() {
    std::string text;
    for (const std::string& line : lines_) text += line + "\r\n";
    return text;
}

void TRLCustomDBMemo::SetDataSource(TDataSource* source) {
    data_source_ = source;
    ContentChanged();
}

void TRLCustomDBMemo::SetDataField(std::string field) {
    data_field_ = std::move(field);
    ContentChanged();
}

std::string TRLCustomDBMemo::MakeText() {
    return field_text(*this, data_source_, data_field_, {});
}

// --- images --------------------------------------------------------------

TRLCustomImage::TRLCustomImage(std::string name) : TRLCustomControl(std::move(name)) {
    bounds_ = {0, 0, 105, 105};
}

void TRLCustomImage::SetPicture(const report::Picture& picture) {
    picture_ = picture;
    ContentChanged();
}

void TRLCustomImage::SetStretch(bool v) {
    stretch_ = v;
    if (v) scaled_ = false;
}

void TRLCustomImage::SetScaled(bool v) {
    scaled_ = v;
    if (v) stretch_ = false;
}

void TRLCustomImage::CalcSize(int& width, int& height) {
    if (!auto_size_ || picture_.empty()) {
        TRLCustomControl::CalcSize(width, height);
        return;
    }
    width = picture_.width();
    height = picture_.height();
    add_border_allowance(borders_, width, height, true);
}

bool TRLCustomImage::CanPrint() {
    bool print_it = visible_;
    if (print_it && BeforePrint) BeforePrint(*this, print_it);
    return print_it;
}

void TRLCustomImage::InternalPrint(GraphicSurface& surface) {
    TRLCustomControl::InternalPrint(surface);
    if (picture_.empty()) return;
    const Rect r = PrintClientRect();
    if (scaled_) {
        surface.scale_picture(r, picture_, Center);
    } else if (stretch_) {
        surface.stretch_picture(r, picture_);
    } else {
        surface.clip_picture(r, picture_, Center);
    }
}

// --- sites ---------------------------------------------------------------

TRLCustomSite::TRLCustomSite(std::string name) : TRLCustomControl(std::move(name)) {
    bounds_ = {0, 0, 64, 32};
}

TRLCustomSite::~TRLCustomSite() = default;

void TRLCustomSite::adopt(std::unique_ptr<TRLCustomControl> child) {
    child->parent_ = this;
    if (child->align_ != faNone) ++aligned_children_;
    children_.push_back(std::move(child));
    if (!InLayoutLoading()) AlignControls();
}

TRLCustomControl* TRLCustomSite::Find(const std::string& name) {
    if (name_ == name) return this;
    for (auto& child : children_) {
        if (child->Name() == name) return child.get();
        if (auto* site = dynamic_cast<TRLCustomSite*>(child.get())) {
            if (TRLCustomControl* found = site->Find(name)) return found;
        }
    }
    return nullptr;
}

Rect TRLCustomSite::BorderRect() const {
    return Rect{mm_to_pixels(Margins.LeftMargin), mm_to_pixels(Margins.TopMargin),
                Width() - mm_to_pixels(Margins.RightMargin),
                Height() - mm_to_pixels(Margins.BottomMargin)};
}

Rect TRLCustomSite::ClientRect() const {
    Rect r = BorderRect();
    const int w = borders_.Width();
    if (borders_.IsDrawn(0)) r.left += w;
    if (borders_.IsDrawn(1)) r.top += w;
    if (borders_.IsDrawn(2)) r.right -= w;
    if (borders_.IsDrawn(3)) r.bottom -= w;
    r.left += mm_to_pixels(InsideMargins.LeftMargin);
    r.top += mm_to_pixels(InsideMargins.TopMargin);
    r.right -= mm_to_pixels(InsideMargins.RightMargin);
    r.bottom -= mm_to_pixels(InsideMargins.BottomMargin);
    return r;
}

void TRLCustomSite::SetBounds(int left, int top, int width, int height) {
    const Rect before = bounds_;
    TRLCustomControl::SetBounds(left, top, width, height);
    if (bounds_ != before && !InLayoutLoading()) AlignControls();
}

void TRLCustomSite::AlignControls() {
    // Every change of a child's size lands here: most sites align nothing.
    if (aligned_children_ == 0 || aligning_ || InLayoutLoading()) return;
    aligning_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{aligning_};

    std::vector<TRLCustomControl*> lists[7];
    const TRLControlAlign order[7] = {faLeftMost, faRightMost, faTop,   faBottom,
                                      faLeft,     faRight,     faClient};
    for (auto& child : children_) {
        if (!child->Visible() || child->Align() == faNone) continue;
        for (int i = 0; i < 7; ++i) {
            if (child->Align() == order[i]) lists[i].push_back(child.get());
        }
    }
    for (int i = 0; i < 7; ++i) {
        std::stable_sort(lists[i].begin(), lists[i].end(),
                         [&](TRLCustomControl* a, TRLCustomControl* b) {
                             if (band_kind_order(*a) != band_kind_order(*b))
                                 return band_kind_order(*a) < band_kind_order(*b);
                             if (group_index(*a) != group_index(*b))
                                 return group_index(*a) < group_index(*b);
                             switch (order[i]) {
                                 case faTop:
                                     return a->Top() < b->Top();
                                 case faBottom:
                                     return a->Top() > b->Top();
                                 case faLeft:
                                     return a->Left() < b->Left();
                                 case faRight:
                                     return a->Left() > b->Left();
                                 default:
                                     return false;
                             }
                         });
    }
    Rect c = ClientRect();
    for (TRLCustomControl* k : lists[0]) {
        k->SetBounds(c.left, c.top, k->Width(), c.height());
        c.left += k->Width();
    }
    for (TRLCustomControl* k : lists[1]) {
        k->SetBounds(c.right - k->Width(), c.top, k->Width(), c.height());
        c.right -= k->Width();
    }
    for (TRLCustomControl* k : lists[2]) {
        k->SetBounds(c.left, c.top, c.width(), k->Height());
        c.top += k->Height();
    }
    for (TRLCustomControl* k : lists[3]) {
        k->SetBounds(c.left, c.bottom - k->Height(), c.width(), k->Height());
        c.bottom -= k->Height();
    }
    for (TRLCustomControl* k : lists[4]) {
        k->SetBounds(c.left, c.top, k->Width(), c.height());
        c.left += k->Width();
    }
    for (TRLCustomControl* k : lists[5]) {
        k->SetBounds(c.right - k->Width(), c.top, k->Width(), c.height());
        c.right -= k->Width();
    }
    if (!lists[6].empty()) {
        const int count = static_cast<int>(lists[6].size());
        const int each = c.width() / count;
        int x = c.left;
        for (int i = 0; i < count; ++i) {
            const int w = i + 1 == count ? c.right - x : each;
            lists[6][static_cast<std::size_t>(i)]->SetBounds(x, c.top, w, c.height());
            x += w;
        }
    }
}

bool TRLCustomSite::CanPrint() {
    bool print_it = visible_;
    if (print_it && BeforePrint) BeforePrint(*this, print_it);
    return print_it;
}

void TRLCustomSite::PrepareChildren() {
    for (auto& child : children_) {
        const bool printable = child->CanPrint();
        child->SetPrintedNow(printable);
        if (!printable) continue;
        child->AdjustBounds();
        if (child->IsSite()) static_cast<TRLCustomSite&>(*child).PrepareChildren();
    }
}

void TRLCustomSite::DrawChildren() {
    for (auto& child : children_) {
        if (!child->PrintedNow()) continue;
        next_group_id();
        surface_.generator = child.get();
        child->InternalPrint(surface_);
        if (child->AfterPrint) child->AfterPrint(*child);
    }
}

void TRLCustomSite::InternalPrint(GraphicSurface& surface) {
    surface_.clear();
    surface_.open();
    surface_.width = Width();
    surface_.height = Height();
    DrawChildren();
    surface_.close();
    surface.generator = this;
    DrawBackground(surface, PrintBounds());
    DrawBorders(surface, BorderRect().moved(Left(), Top()));
    surface.move_surface(Left(), Top(), surface_);
}

void TRLCustomSite::CollectBounds(std::vector<std::pair<TRLCustomControl*, Rect>>& out) {
    out.emplace_back(this, BoundsRect());
    for (auto& child : children_) {
        if (child->IsSite()) {
            static_cast<TRLCustomSite&>(*child).CollectBounds(out);
        } else {
            out.emplace_back(child.get(), child->BoundsRect());
        }
    }
}

TRLCustomBand::TRLCustomBand(std::string name) : TRLCustomSite(std::move(name)) {
    bounds_ = {0, 0, 185, 16};
    align_ = faTop;
    auto_expand_ = true;
}

}  // namespace tarvek::report
