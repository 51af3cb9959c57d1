// The report's control tree: the common control, text controls (labels,
// data texts, memos, data memos), images and containers (sites: panels,
// bands and the report itself, declared in report/report.h).
//
// Geometry is in report pixels (96 per inch) relative to the parent.
// Property writes with effects follow the engine's rules: a new caption
// re-applies AdjustBounds, a bounds change may grow the nearest container
// and re-docks it. A container owns its children; children are kept, and
// processed, in creation order.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/dataset.h"
#include "report/graphics.h"
#include "report/metafile.h"
#include "report/picture.h"

namespace tarvek::report {

class TRLCustomControl;
class TRLCustomSite;
class TRLCustomReport;

enum TRLControlAlign {
    faNone,
    faTop,
    faBottom,
    faLeft,
    faRight,
    faClient,
    faLeftMost,
    faRightMost,
    faLeftTop,
    faRightTop,
    faLeftBottom,
    faRightBottom,
    faCenter,
    faCenterLeft,
    faCenterTop,
    faCenterRight,
    faCenterBottom,
    faClientLeft,
    faClientRight,
    faClientTop,
    faClientBottom,
    faHeight,
    faWidth,
    faLeftOnly,
    faRightOnly,
    faTopOnly,
    faBottomOnly,
};

enum TRLTextAlignment { taLeftJustify, taRightJustify, taCenter, taJustify };
enum TRLTextLayout { tlTop, tlBottom, tlCenter, tlJustify };
enum TRLControlBehavior : unsigned { beSiteExpander = 1 };
enum TRLBorderSides { sdCustom, sdNone, sdAll };
enum TRLBandType {
    btHeader,
    btTitle,
    btColumnHeader,
    btDetail,
    btColumnFooter,
    btSummary,
    btFooter
};

using TRLBeforePrintEvent = std::function<void(TRLCustomControl& Sender, bool& PrintIt)>;
using TRLBeforeTextEvent =
    std::function<void(TRLCustomControl& Sender, std::string& Text, bool& PrintIt)>;
using TRLAfterPrintEvent = std::function<void(TRLCustomControl& Sender)>;

// What feeds data controls: a holder of a dataset (the layout owns both).
struct TDataSource {
    std::string Name;
    Dataset* DataSet = nullptr;
};

// Border lines of a control. Changes re-apply the owner's AdjustBounds.
class TRLBorders {
  public:
    explicit TRLBorders(TRLCustomControl& owner) : owner_(owner) {}

    TRLBorderSides Sides() const { return sides_; }
    void SetSides(TRLBorderSides sides);
    bool DrawLeft() const { return draw_[0]; }
    bool DrawTop() const { return draw_[1]; }
    bool DrawRight() const { return draw_[2]; }
    bool DrawBottom() const { return draw_[3]; }
    void SetDrawLeft(bool v) { set_draw(0, v); }
    void SetDrawTop(bool v) { set_draw(1, v); }
    void SetDrawRight(bool v) { set_draw(2, v); }
    void SetDrawBottom(bool v) { set_draw(3, v); }
    bool FixedLeft() const { return fixed_[0]; }
    bool FixedTop() const { return fixed_[1]; }
    bool FixedRight() const { return fixed_[2]; }
    bool FixedBottom() const { return fixed_[3]; }
    void SetFixedLeft(bool v) { set_fixed(0, v); }
    void SetFixedTop(bool v) { set_fixed(1, v); }
    void SetFixedRight(bool v) { set_fixed(2, v); }
    void SetFixedBottom(bool v) { set_fixed(3, v); }
    int Width() const { return width_; }
    void SetWidth(int width);  // negative values are ignored
    Color BorderColor() const { return color_; }
    void SetColor(Color color) { color_ = color; }
    int Style() const { return style_; }  // stored only; lines are always solid
    void SetStyle(int brush_style) { style_ = brush_style; }

    // Whether a side (0 left, 1 top, 2 right, 3 bottom) is drawn.
    bool IsDrawn(int side) const;
    bool AnyDrawn() const { return IsDrawn(0) || IsDrawn(1) || IsDrawn(2) || IsDrawn(3); }

  private:
    void set_draw(int side, bool value);
    void set_fixed(int side, bool value);
    void changed();

    TRLCustomControl& owner_;
    TRLBorderSides sides_ = sdNone;
    bool draw_[4] = {false, false, false, false};
    bool fixed_[4] = {false, false, false, false};
    int width_ = 1;
    Color color_ = clBlack;
    int style_ = 1;
};

// Page and container margins in millimetres.
struct TRLMargins {
    double LeftMargin = 0;
    double TopMargin = 0;
    double RightMargin = 0;
    double BottomMargin = 0;
};

class TRLCustomControl {
  public:
    explicit TRLCustomControl(std::string name);
    virtual ~TRLCustomControl();
    TRLCustomControl(const TRLCustomControl&) = delete;
    TRLCustomControl& operator=(const TRLCustomControl&) = delete;

    const std::string& Name() const { return name_; }
    TRLCustomSite* Parent() const { return parent_; }
    // The report at the root of the tree, if any.
    TRLCustomReport* Report() const;
    virtual const char* ClassName() const = 0;

    int Left() const { return bounds_.left; }
    int Top() const { return bounds_.top; }
    int Width() const { return bounds_.width(); }
    int Height() const { return bounds_.height(); }
    Rect BoundsRect() const { return bounds_; }
    void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
    void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
    void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
    void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }
    virtual void SetBounds(int left, int top, int width, int height);

    bool Visible() const { return visible_; }
    void SetVisible(bool v) { visible_ = v; }
    TRLControlAlign Align() const { return align_; }
    void SetAlign(TRLControlAlign align);
    TRLTextAlignment Alignment() const { return alignment_; }
    void SetAlignment(TRLTextAlignment v);
    TRLTextLayout Layout() const { return layout_; }
    void SetLayout(TRLTextLayout v);
    bool AutoSize() const { return auto_size_; }
    void SetAutoSize(bool v);
    unsigned Behavior() const { return behavior_; }
    void SetBehavior(unsigned v) { behavior_ = v; }
    TRLBorders& Borders() { return borders_; }
    const TRLBorders& Borders() const { return borders_; }

    Color GetColor() const;  // the parent's when ParentColor
    void SetColor(Color c);
    bool ParentColor() const { return parent_color_; }
    void SetParentColor(bool v) { parent_color_ = v; }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v) { transparent_ = v; }
    const report::Font& GetFont() const;  // the parent's when ParentFont
    void SetFont(const report::Font& font);
    bool ParentFont() const { return parent_font_; }
    void SetParentFont(bool v) { parent_font_ = v; }

    TRLAfterPrintEvent AfterPrint;

    // Natural size: the current size unless AutoSize, when the content decides.
    virtual void CalcSize(int& width, int& height);
    // Applies CalcSize to the bounds around the alignment and layout anchors.
    void AdjustBounds();

    // Rectangles (see the class comment).
    Rect PrintBounds() const { return bounds_; }
    Rect PrintClientRect() const;
    Rect LayoutClientRect() const;

    // Which dimensions this class lets grow automatically.
    virtual bool GrowsWidth() const { return false; }
    virtual bool GrowsHeight() const { return false; }
    virtual bool IsSite() const { return false; }

    // Printing: decide whether to print now (events fired, text captured),
    // then draw onto the surface of the nearest container.
    virtual bool CanPrint();
    virtual void InternalPrint(GraphicSurface& surface);
    bool PrintedNow() const { return printable_now_; }
    void SetPrintedNow(bool v) { printable_now_ = v; }

    // Sets bounds without any side effect (restoring after a band printed).
    void RestoreBounds(const Rect& bounds) { bounds_ = bounds; }

    // Background of `r` when not transparent; the drawn border sides of `r`.
    void DrawBackground(GraphicSurface& surface, const Rect& r) const;
    void DrawBorders(GraphicSurface& surface, const Rect& r) const;

  protected:
    friend class TRLCustomSite;
    // Grows the nearest expandable container by a size change of this control.
    void GrowContainer(int width_change, int height_change);
    void ContentChanged();  // AdjustBounds unless the layout is loading
    // Whether the report this control belongs to is declaring its layout
    // (TRLCustomReport::LayoutLoading): property writes then only store
    // values, with no automatic sizing, growth or docking.
    bool InLayoutLoading() const;

    std::string name_;
    TRLCustomSite* parent_ = nullptr;
    Rect bounds_;
    bool visible_ = true;
    TRLControlAlign align_ = faNone;
    TRLTextAlignment alignment_ = taLeftJustify;
    TRLTextLayout layout_ = tlTop;
    bool auto_size_ = false;
    unsigned behavior_ = 0;
    TRLBorders borders_{*this};
    Color color_ = clWindow;
    bool parent_color_ = true;
    bool transparent_ = true;
    report::Font font_;
    bool parent_font_ = true;
    bool printable_now_ = false;
    // Nonzero on the root of a tree while its layout loads.
    int layout_loading_ = 0;
};

// Single-line text.
class TRLCustomLabel : public TRLCustomControl {
  public:
    explicit TRLCustomLabel(std::string name);

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    // The text this control prints now.
    virtual std::string MakeText() { return caption_; }

    TRLBeforeTextEvent BeforePrint;

    void CalcSize(int& width, int& height) override;
    bool GrowsWidth() const override { return true; }
    bool CanPrint() override;
    void InternalPrint(GraphicSurface& surface) override;

  protected:
    std::string caption_;

  private:
    // The caption's measures in the font it was measured in: a caption that
    // stays the same from record to record is measured once.
    struct Measures {
        std::string caption;
        report::Font font;
        int width = 0;   // of the caption followed by a blank
        int blank = 0;   // of a blank
        int height = 0;  // of a line
    };
    const Measures& Measured();
    Measures measures_;
    bool measured_ = false;
};

class TRLLabel : public TRLCustomLabel {
  public:
    using TRLCustomLabel::TRLCustomLabel;
    const char* ClassName() const override { return "TRLLabel"; }
};

// The text of a dataset field, for data texts and data memos. Empty unless
// the report is preparing with an open dataset that is not past its end.
std::string field_text(const TRLCustomControl& control, const TDataSource* source,
                       const std::string& field, const std::string& display_mask);

class TRLCustomDBText : public TRLCustomLabel {
  public:
    using TRLCustomLabel::TRLCustomLabel;

    TDataSource* DataSource() const { return data_source_; }
    void SetDataSource(TDataSource* source);
    const std::string& DataField() const { return data_field_; }
    void SetDataField(std::string field);
    std::string DisplayMask;
    std::string Text;  // "#" marks where the field text goes

    std::string MakeText() override;

  private:
    TDataSource* data_source_ = nullptr;
    std::string data_field_;
};

class TRLDBText : public TRLCustomDBText {
  public:
    using TRLCustomDBText::TRLCustomDBText;
    const char* ClassName() const override { return "TRLDBText"; }
};

// Where WrapText may end a line.
enum class WrapAt : std::uint8_t {
    // At blanks, which the break swallows; a word wider than the box stands
    // alone on its line and runs past it.
    Blanks,
    // Between any two characters, blanks kept: for a code or a key, where a
    // blank is a character like any other. A line neither starts nor ends
    // with a blank where it can help it, so that copying the text back
    // keeps them.
    AnyCharacter,
};

// Multi-line, word-wrapped text.
class TRLCustomMultiLine : public TRLCustomControl {
  public:
    explicit TRLCustomMultiLine(std::string name);

    bool WordWrap() const { return word_wrap_; }
    void SetWordWrap(bool v);
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    virtual std::string MakeText() { return caption_; }

    WrapAt LinesBreakAt() const { return wrap_at_; }
    void SetLinesBreakAt(WrapAt v);
    // When not 0, the font is made smaller, a pixel at a time down to this
    // height, until every line fits the control's height; a text that does
    // not fit even then raises an error rather than print cut.
    int ShrinkToFitDownTo() const { return shrink_to_fit_down_to_; }
    void SetShrinkToFitDownTo(int pixels);

    TRLBeforeTextEvent BeforePrint;

    void CalcSize(int& width, int& height) override;
    bool GrowsHeight() const override { return true; }
    bool CanPrint() override;
    void InternalPrint(GraphicSurface& surface) override;

  protected:
    std::string caption_;
    bool word_wrap_ = true;
    WrapAt wrap_at_ = WrapAt::Blanks;
    int shrink_to_fit_down_to_ = 0;
};

class TRLCustomMemo : public TRLCustomMultiLine {
  public:
    using TRLCustomMultiLine::TRLCustomMultiLine;

    const std::vector<std::string>& Lines() const { return lines_; }
    void SetLines(std::vector<std::string> lines);
    // The lines, each followed by CR LF.
    std::string MakeText() override;
    bool IntegralHeight = false;

  private:
    std::vector<std::string> lines_;
};

class TRLMemo : public TRLCustomMemo {
  public:
    using TRLCustomMemo::TRLCustomMemo;
    const char* ClassName() const override { return "TRLMemo"; }
};

class TRLCustomDBMemo : public TRLCustomMultiLine {
  public:
    using TRLCustomMultiLine::TRLCustomMultiLine;

    TDataSource* DataSource() const { return data_source_; }
    void SetDataSource(TDataSource* source);
    const std::string& DataField() const { return data_field_; }
    void SetDataField(std::string field);

    std::string MakeText() override;

  private:
    TDataSource* data_source_ = nullptr;
    std::string data_field_;
};

class TRLDBMemo : public TRLCustomDBMemo {
  public:
    using TRLCustomDBMemo::TRLCustomDBMemo;
    const char* ClassName() const override { return "TRLDBMemo"; }
};

class TRLCustomImage : public TRLCustomControl {
  public:
    explicit TRLCustomImage(std::string name);

    const report::Picture& Picture() const { return picture_; }
    void SetPicture(const report::Picture& picture);  // keeps its own copy
    bool Stretch() const { return stretch_; }
    void SetStretch(bool v);  // clears Scaled
    bool Scaled() const { return scaled_; }
    void SetScaled(bool v);  // clears Stretch
    bool Center = false;

    TRLBeforePrintEvent BeforePrint;

    void CalcSize(int& width, int& height) override;
    bool GrowsWidth() const override { return true; }
    bool GrowsHeight() const override { return true; }
    bool CanPrint() override;
    void InternalPrint(GraphicSurface& surface) override;

  private:
    report::Picture picture_;
    bool stretch_ = false;
    bool scaled_ = false;
};

class TRLImage : public TRLCustomImage {
  public:
    using TRLCustomImage::TRLCustomImage;
    const char* ClassName() const override { return "TRLImage"; }
};

// A container with its own drawing surface onto which its children draw.
class TRLCustomSite : public TRLCustomControl {
  public:
    explicit TRLCustomSite(std::string name);
    ~TRLCustomSite() override;

    // Adds a child (creation order is drawing order) and returns it.
    template <typename T>
    T& Add(std::unique_ptr<T> child) {
        T& ref = *child;
        adopt(std::move(child));
        return ref;
    }
    const std::vector<std::unique_ptr<TRLCustomControl>>& Children() const { return children_; }
    // A control of this subtree by name, or nullptr.
    TRLCustomControl* Find(const std::string& name);

    TRLMargins Margins;
    TRLMargins InsideMargins;
    bool AutoExpand() const { return auto_expand_; }
    void SetAutoExpand(bool v) { auto_expand_ = v; }

    TRLBeforePrintEvent BeforePrint;

    bool IsSite() const override { return true; }
    bool GrowsWidth() const override { return true; }
    bool GrowsHeight() const override { return true; }

    Rect ClientRect() const;
    Rect BorderRect() const;
    // Re-docks the visible aligned children inside the client rectangle.
    void AlignControls();

    // Prepares the children (events, texts, sizes), recursively for panels.
    void PrepareChildren();
    // Draws the prepared children onto this site's surface.
    void DrawChildren();
    GraphicSurface& Surface() { return surface_; }

    bool CanPrint() override;
    // Panels: draw the children on the own surface and place it on `surface`.
    void InternalPrint(GraphicSurface& surface) override;

    void SetBounds(int left, int top, int width, int height) override;

    // Every control of the subtree with its bounds (for restoring after print).
    void CollectBounds(std::vector<std::pair<TRLCustomControl*, Rect>>& out);

  protected:
    void adopt(std::unique_ptr<TRLCustomControl> child);

    std::vector<std::unique_ptr<TRLCustomControl>> children_;
    bool auto_expand_ = false;
    bool aligning_ = false;
    GraphicSurface surface_;

  private:
    friend class TRLCustomControl;  // keeps the count below when its Align changes
    int aligned_children_ = 0;      // children whose Align is not faNone
};

class TRLCustomPanel : public TRLCustomSite {
  public:
    using TRLCustomSite::TRLCustomSite;
};

class TRLPanel : public TRLCustomPanel {
  public:
    using TRLCustomPanel::TRLCustomPanel;
    const char* ClassName() const override { return "TRLPanel"; }
};

class TRLCustomBand : public TRLCustomSite {
  public:
    explicit TRLCustomBand(std::string name);

    TRLBandType BandType = btDetail;
    bool IntegralHeight = true;
    bool Computable = true;
    int CarbonCopies() const { return carbon_copies_; }
    void SetCarbonCopies(int v) {
        if (v >= 1) carbon_copies_ = v;
    }
    int GroupIndex = 0;

    bool GrowsWidth() const override { return false; }

  private:
    int carbon_copies_ = 1;
};

class TRLBand : public TRLCustomBand {
  public:
    using TRLCustomBand::TRLCustomBand;
    const char* ClassName() const override { return "TRLBand"; }
};

// Breaks `text` into lines that, placed with `alignment` in a box
// `max_width` pixels wide, end inside it in every output (DrawnExtent),
// ending lines where `wrap_at` allows. `paragraph_ends`, when given,
// receives for each line whether a break or the end of the text ended it
// (rather than wrapping).
std::vector<std::string> WrapText(const std::string& text, int max_width, const report::Font& font,
                                  TextAlignment alignment = TextAlignment::Left,
                                  std::vector<bool>* paragraph_ends = nullptr,
                                  WrapAt wrap_at = WrapAt::Blanks);

inline constexpr int kNoWrapWidth = 1073741823;

}  // namespace tarvek::report
