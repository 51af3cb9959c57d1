// Layouts declared as data: a tree of control designs that reads like
// the component tables of a document, row by row in creation order.
//
//   band("RLBand2", 38, 38, 718, 1038, {
//       label("RLLabel2", 280, 11, 92, 16, "INFORMATIVO").font(13),
//       panel("RLPanel9", 0, 32, 717, 157).borders(kAll, {
//           memo("memoInformativo", 8, 5, 697, 135).font(11).fixed_size(),
//       }),
//   })
//
// Sizes are the designed ones; automatic sizing applies when the document
// prints. Texts are UTF-8 in the declaration and Windows-1252 in the controls.
//
// A data control reads the data source its design names with from(), or the
// layout's first source when it names none. A layout told as differences from
// another starts from the other's designs and changes them by name
// (find_design, change_design, remove_designs, add_designs, insert_after).
#pragma once

#include <string>
#include <vector>

#include "report/controls.h"

namespace tarvek::report {

enum BorderSide : unsigned { kLeft = 1, kTop = 2, kRight = 4, kBottom = 8, kAll = 15 };

struct ControlDesign {
    enum class Kind { Label, DBText, Memo, DBMemo, Image, Panel, Band, DBBarcode, DBQRCode };

    Kind kind = Kind::Label;
    std::string name;
    int left = 0, top = 0, width = 0, height = 0;
    std::string text;    // caption of labels, field of data controls (UTF-8)
    std::string source;  // data source of a data control; empty: the first
    std::vector<std::string> lines;
    int font_height = 0;  // pixels; 0 keeps the parent's font
    std::string font_name = "Arial";
    unsigned font_style = 0;
    unsigned border_sides = 0;
    bool border_fixed_bottom = false;
    int border_style = 1;
    TRLTextAlignment alignment = taLeftJustify;
    TRLTextLayout text_layout = tlTop;
    TRLControlAlign align = faNone;
    bool auto_size_off = false;
    bool site_expander = false;
    bool no_site_expander = false;
    bool hidden = false;
    bool stretch = false;
    bool transparent_off = false;
    Color color = clWindow;
    bool has_color = false;
    TRLBandType band_type = btDetail;
    double barcode_ratio = 0;  // 0 keeps the control's default
    int qr_minimum_side = 0;   // pixels; 0: none
    bool wrap_anywhere = false;
    int shrink_down_to = 0;  // font pixels; 0: the font stays
    std::vector<ControlDesign> children;

    ControlDesign& font(int height_px, std::string name_ = "Arial", unsigned style = 0) {
        font_height = height_px;
        font_name = std::move(name_);
        font_style = style;
        return *this;
    }
    ControlDesign& right() {
        alignment = taRightJustify;
        return *this;
    }
    ControlDesign& centered() {
        alignment = taCenter;
        return *this;
    }
    ControlDesign& layout(TRLTextLayout l) {
        text_layout = l;
        return *this;
    }
    ControlDesign& docked(TRLControlAlign a) {
        align = a;
        return *this;
    }
    ControlDesign& fixed_size() {
        auto_size_off = true;
        return *this;
    }
    ControlDesign& expands_site() {
        site_expander = true;
        return *this;
    }
    ControlDesign& no_expander() {
        no_site_expander = true;
        return *this;
    }
    ControlDesign& invisible() {
        hidden = true;
        return *this;
    }
    ControlDesign& stretched() {
        stretch = true;
        return *this;
    }
    ControlDesign& filled(Color c) {
        color = c;
        has_color = true;
        transparent_off = true;
        return *this;
    }
    ControlDesign& borders(unsigned sides) {
        border_sides = sides;
        return *this;
    }
    ControlDesign& fixed_bottom_border() {
        border_fixed_bottom = true;
        return *this;
    }
    ControlDesign& border_brush(int style) {
        border_style = style;
        return *this;
    }
    ControlDesign& type(TRLBandType t) {
        band_type = t;
        return *this;
    }
    ControlDesign& ratio(double r) {
        barcode_ratio = r;
        return *this;
    }
    // A QR code at least this many pixels across, quiet zone included.
    ControlDesign& minimum_side(int pixels) {
        qr_minimum_side = pixels;
        return *this;
    }
    // Memos: lines break between any two characters, blanks kept.
    ControlDesign& breaks_anywhere() {
        wrap_anywhere = true;
        return *this;
    }
    // Memos: the font shrinks, down to this pixel height, until the text fits.
    ControlDesign& shrinks_to_fit(int smallest_font_pixels) {
        shrink_down_to = smallest_font_pixels;
        return *this;
    }
    ControlDesign& from(std::string source_name) {
        source = std::move(source_name);
        return *this;
    }
    ControlDesign& contains(std::vector<ControlDesign> kids) {
        children = std::move(kids);
        return *this;
    }
};

ControlDesign label(std::string name, int left, int top, int width, int height,
                    std::string caption);
ControlDesign dbtext(std::string name, int left, int top, int width, int height, std::string field);
ControlDesign memo(std::string name, int left, int top, int width, int height,
                   std::vector<std::string> lines = {});
ControlDesign dbmemo(std::string name, int left, int top, int width, int height, std::string field);
ControlDesign image(std::string name, int left, int top, int width, int height);
ControlDesign panel(std::string name, int left, int top, int width, int height,
                    std::vector<ControlDesign> children = {});
ControlDesign barcode(std::string name, int left, int top, int width, int height,
                      std::string field);
// A QR code of a field's text (TRLDBQRCode).
ControlDesign qrcode(std::string name, int left, int top, int width, int height, std::string field);
ControlDesign band(std::string name, int left, int top, int width, int height,
                   std::vector<ControlDesign> children = {});

// A layout told as differences from another: start from a copy of the other
// design and change, remove or add controls by name. A name that the design
// does not hold (or, when adding, already holds) is a fault of the layout and
// raises std::logic_error naming it.
//
//   std::vector<ControlDesign> d = TfrmBoletoBradesco::Design();
//   change_design(d, "left", dbtext("RLDBText2", 206, 205, 361, 16, "LINHADIGITAVEL").font(13));
//   remove_designs(d, {"RLLabel27", "RLLabel71"});
//   add_designs(d, "RLPanel21", {dbtext("RLDBText8", 93, 51, 84, 14, "NOMESACADOR").font(11)});

// The control named `name` anywhere in the tree.
ControlDesign& find_design(std::vector<ControlDesign>& designs, const std::string& name);
// Puts `changed` in the place of the control of its name (same creation
// order), keeping that control's children when `changed` declares none.
// `differs_in` names, separated by commas, every aspect in which `changed`
// differs from the control it replaces: left, top, width, height, content,
// font, borders, other (alignment, sizing, behaviour, visibility, picture
// scaling, colour, band type, barcode ratio). Any other difference, or a
// named aspect that does not differ, raises std::logic_error, so the call
// holds exactly against a table of differences. The kind may not change.
void change_design(std::vector<ControlDesign>& designs, const std::string& differs_in,
                   ControlDesign changed);
// Removes the named controls, with their children.
void remove_designs(std::vector<ControlDesign>& designs, const std::vector<std::string>& names);
// Appends `added` to the children of the control named `parent`: they are
// created after the parent's own children.
void add_designs(std::vector<ControlDesign>& designs, const std::string& parent,
                 std::vector<ControlDesign> added);
// Puts `added` right after the control named `name`, in the same container:
// they are created after it and before its next sibling.
void insert_after(std::vector<ControlDesign>& designs, const std::string& name,
                  std::vector<ControlDesign> added);

// Creates the controls of `designs` under `parent`, binding data controls to
// `source`, with the report's layout loading, then docks every container.
// `parent` must be part of a report (std::logic_error otherwise). Returns
// nothing: reach controls with TRLCustomSite::Find or keep references from
// the parent's children.
void build_layout(TRLCustomSite& parent, const std::vector<ControlDesign>& designs,
                  TDataSource* source);
// The same for a layout reading several data sources: a data control binds to
// the source of the name its design gives, or to the first. A name none of
// `sources` has raises std::logic_error (a fault of the layout).
void build_layout(TRLCustomSite& parent, const std::vector<ControlDesign>& designs,
                  const std::vector<TDataSource*>& sources);

}  // namespace tarvek::report
