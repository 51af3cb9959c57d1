#include "documents/boleto/boleto_pix.h"

#include <algorithm>
#include <utility>

#include "data/dataset.h"
#include "documents/layout_component.h"
#include "report/qrcode.h"
#include "report/report.h"

namespace tarvek {

using namespace report;

namespace {

// The block's controls, in the order pix_designs declares them.
constexpr const char* kPixControls[] = {"qrPix", "lblPagueComPix", "lblPixCopiaECola", "memoPix"};

}  // namespace

std::vector<ControlDesign> pix_designs(const PixPlace& place) {
    const int title_height = place.title_font + 3;
    const int caption_height = place.caption_font + 3;
    const bool beside = place.caption_beside_title != 0;
    const int caption_left = place.text_left + place.caption_beside_title;
    const int caption_top = beside ? place.text_top + (title_height - caption_height)
                                   : place.text_top + title_height + 2;
    const int payload_top =
        beside ? place.text_top + title_height + 2 : caption_top + caption_height + 2;
    return {
        qrcode(kPixControls[0], place.qr_left, place.qr_top, place.qr_side, place.qr_side,
               kPixField)
            .minimum_side(kPixQrMinimumSide)
            .invisible(),
        label(kPixControls[1], place.text_left, place.text_top,
              beside ? place.caption_beside_title : place.text_width, title_height, "Pague com Pix")
            .font(place.title_font, "Arial", fsBold)
            .fixed_size()
            .invisible(),
        label(kPixControls[2], caption_left, caption_top,
              place.text_left + place.text_width - caption_left, caption_height, "Pix copia e cola")
            .font(place.caption_font)
            .fixed_size()
            .invisible(),
        dbmemo(kPixControls[3], place.text_left, payload_top, place.text_width,
               place.text_top + place.text_height - payload_top, kPixField)
            .font(place.payload_font)
            .fixed_size()
            .breaks_anywhere()
            .shrinks_to_fit(place.smallest_font)
            .invisible(),
    };
}

std::vector<PixChange> show_pix_at(const PixPlace& place, std::vector<PixChange> room) {
    // The designs say where each control goes; the changes repeat it, so
    // that a layout may move the block for one of its options.
    const std::vector<ControlDesign> designs = pix_designs(place);
    std::vector<PixChange> changes;
    for (std::size_t i = 0; i < designs.size(); ++i) {
        const ControlDesign& d = designs[i];
        changes.push_back({.control = kPixControls[i],
                           .left = d.left,
                           .top = d.top,
                           .width = d.width,
                           .height = d.height,
                           .visible = true});
    }
    changes.insert(changes.end(), room.begin(), room.end());
    return changes;
}

PixSwitch::PixSwitch(TRLCustomReport& report, Dataset& boletos)
    : report_(report), boletos_(boletos) {}

void PixSwitch::SetChanges(const std::vector<PixChange>& changes) {
    targets_.clear();
    for (const PixChange& change : changes) {
        auto& c = layout_component<TRLCustomControl>(report_, report_.OwnerName, change.control);
        TRLCustomMultiLine* memo = nullptr;
        if (change.shrink_to_fit_down_to) {
            memo =
                &layout_component<TRLCustomMultiLine>(report_, report_.OwnerName, change.control);
        }
        targets_.push_back({change, &c, memo});
    }
}

const PixSwitch::Saved& PixSwitch::saved(TRLCustomControl& c) {
    const auto it =
        std::find_if(saved_.begin(), saved_.end(), [&](const Saved& s) { return s.control == &c; });
    if (it != saved_.end()) return *it;
    const auto* memo = dynamic_cast<const TRLCustomMultiLine*>(&c);
    saved_.push_back({&c, c.Left(), c.Top(), c.Width(), c.Height(), c.GetFont(), c.ParentFont(),
                      memo ? memo->ShrinkToFitDownTo() : 0, c.Visible()});
    return saved_.back();
}

bool PixSwitch::has_payload() {
    const Field* pix = boletos_.find_field(kPixField);
    if (!pix || pix->is_null()) return false;
    const std::string payload = pix->as_string();
    return payload.find_first_not_of(' ') != std::string::npos;
}

void PixSwitch::Update() {
    // Every control the changes name goes back to how the job left it...
    for (const Target& t : targets_) {
        TRLCustomControl& c = *t.control;
        const Saved& s = saved(c);
        c.SetBounds(s.left, s.top, s.width, s.height);
        if (t.change.font_pixels) {
            c.SetFont(s.font);
            c.SetParentFont(s.parent_font);
        }
        if (t.memo) t.memo->SetShrinkToFitDownTo(s.shrink_to_fit_down_to);
        c.SetVisible(s.visible);
    }
    if (!has_payload()) return;
    // ...and a boleto with a payload makes its changes.
    for (const Target& t : targets_) {
        TRLCustomControl& c = *t.control;
        const PixChange& change = t.change;
        c.SetBounds(change.left.value_or(c.Left()), change.top.value_or(c.Top()),
                    change.width.value_or(c.Width()), change.height.value_or(c.Height()));
        if (change.font_pixels) {
            Font font = c.GetFont();
            font.height = -*change.font_pixels;
            c.SetFont(font);
        }
        if (t.memo) t.memo->SetShrinkToFitDownTo(*change.shrink_to_fit_down_to);
        if (change.visible) c.SetVisible(*change.visible);
    }
}

}  // namespace tarvek
