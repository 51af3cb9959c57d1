#include "report/layout.h"

#include <algorithm>
#include <stdexcept>

#include "base/cp1252.h"
#include "report/barcode.h"
#include "report/qrcode.h"
#include "report/report.h"

namespace tarvek::report {

namespace {

ControlDesign make(ControlDesign::Kind kind, std::string name, int left, int top, int width,
                   int height) {
    ControlDesign s;
    s.kind = kind;
    s.name = std::move(name);
    s.left = left;
    s.top = top;
    s.width = width;
    s.height = height;
    return s;
}

void apply_common(TRLCustomControl& c, const ControlDesign& s) {
    c.SetBounds(s.left, s.top, s.width, s.height);
    if (s.font_height != 0) {
        Font f;
        f.name = s.font_name;
        f.height = -s.font_height;
        f.style = s.font_style;
        c.SetFont(f);
    }
    TRLBorders& b = c.Borders();
    if (s.border_sides == kAll) {
        b.SetSides(sdAll);
    } else {
        if (s.border_sides & kLeft) b.SetDrawLeft(true);
        if (s.border_sides & kTop) b.SetDrawTop(true);
        if (s.border_sides & kRight) b.SetDrawRight(true);
        if (s.border_sides & kBottom) b.SetDrawBottom(true);
    }
    if (s.border_fixed_bottom) b.SetFixedBottom(true);
    b.SetStyle(s.border_style);
    c.SetAlignment(s.alignment);
    c.SetLayout(s.text_layout);
    if (s.align != faNone) c.SetAlign(s.align);
    if (s.auto_size_off) c.SetAutoSize(false);
    if (s.site_expander) c.SetBehavior(c.Behavior() | beSiteExpander);
    if (s.no_site_expander) c.SetBehavior(c.Behavior() & ~unsigned{beSiteExpander});
    if (s.hidden) c.SetVisible(false);
    if (s.has_color) c.SetColor(s.color);
    if (s.transparent_off) c.SetTransparent(false);
}

void apply_multi_line(TRLCustomMultiLine& c, const ControlDesign& s) {
    if (s.wrap_anywhere) c.SetLinesBreakAt(WrapAt::AnyCharacter);
    if (s.shrink_down_to) c.SetShrinkToFitDownTo(s.shrink_down_to);
}

TDataSource* source_of(const ControlDesign& s, const std::vector<TDataSource*>& sources) {
    if (s.source.empty()) return sources.empty() ? nullptr : sources.front();
    for (TDataSource* candidate : sources) {
        if (candidate && candidate->Name == s.source) return candidate;
    }
    throw std::logic_error("layout: control " + s.name + " reads the unknown data source " +
                           s.source);
}

// A control of class T, adopted by `parent` before anything is set on it, so
// that it sees its report's layout loading.
template <typename T>
T& add(TRLCustomSite& parent, const std::string& name) {
    return parent.Add(std::make_unique<T>(name));
}

TRLCustomControl& create_in(TRLCustomSite& parent, const ControlDesign& s,
                            const std::vector<TDataSource*>& sources) {
    TDataSource* source = nullptr;
    if (s.kind == ControlDesign::Kind::DBText || s.kind == ControlDesign::Kind::DBMemo ||
        s.kind == ControlDesign::Kind::DBBarcode || s.kind == ControlDesign::Kind::DBQRCode) {
        source = source_of(s, sources);
    }
    switch (s.kind) {
        case ControlDesign::Kind::Label: {
            auto& c = add<TRLLabel>(parent, s.name);
            c.SetCaption(utf8_to_cp1252(s.text));
            return c;
        }
        case ControlDesign::Kind::DBText: {
            auto& c = add<TRLDBText>(parent, s.name);
            c.SetDataSource(source);
            c.SetDataField(s.text);
            return c;
        }
        case ControlDesign::Kind::Memo: {
            auto& c = add<TRLMemo>(parent, s.name);
            std::vector<std::string> lines;
            for (const std::string& line : s.lines) lines.push_back(utf8_to_cp1252(line));
            c.SetLines(std::move(lines));
            apply_multi_line(c, s);
            return c;
        }
        case ControlDesign::Kind::DBMemo: {
            auto& c = add<TRLDBMemo>(parent, s.name);
            c.SetDataSource(source);
            c.SetDataField(s.text);
            apply_multi_line(c, s);
            return c;
        }
        case ControlDesign::Kind::Image: {
            auto& c = add<TRLImage>(parent, s.name);
            if (s.stretch) c.SetStretch(true);
            return c;
        }
        case ControlDesign::Kind::Panel:
            return add<TRLPanel>(parent, s.name);
        case ControlDesign::Kind::DBBarcode: {
            auto& c = add<TRLDBBarcode>(parent, s.name);
            c.SetDataSource(source);
            c.SetDataField(s.text);
            if (s.barcode_ratio > 0) c.SetRatio(s.barcode_ratio);
            return c;
        }
        case ControlDesign::Kind::DBQRCode: {
            auto& c = add<TRLDBQRCode>(parent, s.name);
            c.SetDataSource(source);
            c.SetDataField(s.text);
            c.SetMinimumSide(s.qr_minimum_side);
            return c;
        }
        case ControlDesign::Kind::Band: {
            auto& c = add<TRLBand>(parent, s.name);
            c.BandType = s.band_type;
            return c;
        }
    }
    throw std::logic_error("layout: control " + s.name + " of an unknown kind");
}

void build_into(TRLCustomSite& parent, const std::vector<ControlDesign>& designs,
                const std::vector<TDataSource*>& sources) {
    for (const ControlDesign& s : designs) {
        TRLCustomControl& c = create_in(parent, s, sources);
        apply_common(c, s);
        if (auto* site = dynamic_cast<TRLCustomSite*>(&c)) build_into(*site, s.children, sources);
    }
}

// The list holding the design of that name, and its place there.
std::pair<std::vector<ControlDesign>*, std::size_t> locate(std::vector<ControlDesign>& designs,
                                                           const std::string& name) {
    for (std::size_t i = 0; i < designs.size(); ++i) {
        if (designs[i].name == name) return {&designs, i};
        auto found = locate(designs[i].children, name);
        if (found.first) return found;
    }
    return {nullptr, 0};
}

void dock_all(TRLCustomSite& site) {
    site.AlignControls();
    for (auto& child : site.Children()) {
        if (auto* s = dynamic_cast<TRLCustomSite*>(child.get())) dock_all(*s);
    }
}

}  // namespace

ControlDesign label(std::string name, int left, int top, int width, int height,
                    std::string caption) {
    ControlDesign s = make(ControlDesign::Kind::Label, std::move(name), left, top, width, height);
    s.text = std::move(caption);
    return s;
}

ControlDesign dbtext(std::string name, int left, int top, int width, int height,
                     std::string field) {
    ControlDesign s = make(ControlDesign::Kind::DBText, std::move(name), left, top, width, height);
    s.text = std::move(field);
    return s;
}

ControlDesign memo(std::string name, int left, int top, int width, int height,
                   std::vector<std::string> lines) {
    ControlDesign s = make(ControlDesign::Kind::Memo, std::move(name), left, top, width, height);
    s.lines = std::move(lines);
    return s;
}

ControlDesign dbmemo(std::string name, int left, int top, int width, int height,
                     std::string field) {
    ControlDesign s = make(ControlDesign::Kind::DBMemo, std::move(name), left, top, width, height);
    s.text = std::move(field);
    return s;
}

ControlDesign image(std::string name, int left, int top, int width, int height) {
    return make(ControlDesign::Kind::Image, std::move(name), left, top, width, height);
}

ControlDesign panel(std::string name, int left, int top, int width, int height,
                    std::vector<ControlDesign> children) {
    ControlDesign s = make(ControlDesign::Kind::Panel, std::move(name), left, top, width, height);
    s.children = std::move(children);
    return s;
}

ControlDesign barcode(std::string name, int left, int top, int width, int height,
                      std::string field) {
    ControlDesign s =
        make(ControlDesign::Kind::DBBarcode, std::move(name), left, top, width, height);
    s.text = std::move(field);
    return s;
}

ControlDesign qrcode(std::string name, int left, int top, int width, int height,
                     std::string field) {
    ControlDesign s =
        make(ControlDesign::Kind::DBQRCode, std::move(name), left, top, width, height);
    s.text = std::move(field);
    return s;
}

ControlDesign band(std::string name, int left, int top, int width, int height,
                   std::vector<ControlDesign> children) {
    ControlDesign s = make(ControlDesign::Kind::Band, std::move(name), left, top, width, height);
    s.children = std::move(children);
    return s;
}

namespace {

ControlDesign* find_in(std::vector<ControlDesign>& designs, const std::string& name) {
    auto [list, index] = locate(designs, name);
    return list ? &(*list)[index] : nullptr;
}

std::pair<std::vector<ControlDesign>*, std::size_t> locate_or_fail(
    std::vector<ControlDesign>& designs, const std::string& name) {
    auto found = locate(designs, name);
    if (!found.first) throw std::logic_error("layout: no control named " + name);
    return found;
}

}  // namespace

ControlDesign& find_design(std::vector<ControlDesign>& designs, const std::string& name) {
    auto [list, index] = locate_or_fail(designs, name);
    return (*list)[index];
}

void change_design(std::vector<ControlDesign>& designs, const std::string& differs_in,
                   ControlDesign changed) {
    ControlDesign& original = find_design(designs, changed.name);
    const auto fail = [&](const std::string& why) {
        throw std::logic_error("layout: control " + changed.name + " " + why);
    };
    if (original.kind != changed.kind) fail("changes its kind");

    const ControlDesign& a = original;
    const ControlDesign& b = changed;
    const std::pair<const char*, bool> aspects[] = {
        {"left", a.left != b.left},
        {"top", a.top != b.top},
        {"width", a.width != b.width},
        {"height", a.height != b.height},
        {"content", a.text != b.text || a.lines != b.lines},
        {"font", a.font_height != b.font_height || a.font_name != b.font_name ||
                     a.font_style != b.font_style},
        {"borders", a.border_sides != b.border_sides ||
                        a.border_fixed_bottom != b.border_fixed_bottom ||
                        a.border_style != b.border_style},
        {"other",
         a.alignment != b.alignment || a.text_layout != b.text_layout || a.align != b.align ||
             a.auto_size_off != b.auto_size_off || a.site_expander != b.site_expander ||
             a.no_site_expander != b.no_site_expander || a.hidden != b.hidden ||
             a.stretch != b.stretch || a.transparent_off != b.transparent_off ||
             a.color != b.color || a.has_color != b.has_color || a.band_type != b.band_type ||
             a.barcode_ratio != b.barcode_ratio || a.qr_minimum_side != b.qr_minimum_side ||
             a.wrap_anywhere != b.wrap_anywhere || a.shrink_down_to != b.shrink_down_to},
    };
    std::vector<std::string> declared;
    std::string word;
    for (std::size_t i = 0; i <= differs_in.size(); ++i) {
        if (i == differs_in.size() || differs_in[i] == ',') {
            if (!word.empty()) declared.push_back(word);
            word.clear();
        } else if (differs_in[i] != ' ') {
            word += differs_in[i];
        }
    }
    for (const std::string& w : declared) {
        bool known = false;
        for (const auto& [aspect, differs] : aspects) known = known || w == aspect;
        if (!known) fail("names an unknown aspect \"" + w + "\"");
    }
    for (const auto& [aspect, differs] : aspects) {
        const bool named = std::find(declared.begin(), declared.end(), aspect) != declared.end();
        if (differs && !named)
            fail(std::string("differs in ") + aspect + ", which is not declared");
        if (!differs && named) fail(std::string("does not differ in ") + aspect);
    }

    if (changed.children.empty()) changed.children = std::move(original.children);
    original = std::move(changed);
}

void remove_designs(std::vector<ControlDesign>& designs, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        auto [list, index] = locate_or_fail(designs, name);
        list->erase(list->begin() + static_cast<std::ptrdiff_t>(index));
    }
}

void add_designs(std::vector<ControlDesign>& designs, const std::string& parent,
                 std::vector<ControlDesign> added) {
    ControlDesign& site = find_design(designs, parent);
    if (site.kind != ControlDesign::Kind::Panel && site.kind != ControlDesign::Kind::Band) {
        throw std::logic_error("layout: " + parent + " holds no controls");
    }
    for (ControlDesign& d : added) {
        if (find_in(designs, d.name)) {
            throw std::logic_error("layout: a control named " + d.name + " exists already");
        }
        site.children.push_back(std::move(d));
    }
}

void build_layout(TRLCustomSite& parent, const std::vector<ControlDesign>& designs,
                  TDataSource* source) {
    build_layout(parent, designs, std::vector<TDataSource*>{source});
}

void build_layout(TRLCustomSite& parent, const std::vector<ControlDesign>& designs,
                  const std::vector<TDataSource*>& sources) {
    TRLCustomReport* report = parent.Report();
    if (!report) throw std::logic_error("layout: " + parent.Name() + " is not part of a report");
    {
        const TRLCustomReport::LayoutLoading loading(*report);
        build_into(parent, designs, sources);
    }
    dock_all(parent);
}

void insert_after(std::vector<ControlDesign>& designs, const std::string& name,
                  std::vector<ControlDesign> added) {
    for (const ControlDesign& d : added) {
        if (find_in(designs, d.name)) {
            throw std::logic_error("layout: a control named " + d.name + " exists already");
        }
    }
    auto [list, index] = locate_or_fail(designs, name);
    list->insert(list->begin() + static_cast<std::ptrdiff_t>(index) + 1,
                 std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
}

}  // namespace tarvek::report
