// The Pix block of the boleto layouts: a QR code of the boleto's PIXCOPIAECOLA
// payload, the caption "Pague com Pix" and the payload itself under
// "Pix copia e cola", as selectable text.
//
// The block's controls are declared hidden in the part the payer keeps. For
// each boleto, before its band prints, a PixSwitch shows them and makes room
// for them (narrower informative texts, a stub without its blank rows, ...)
// when the boleto carries a payload, and puts every control back as the job
// left it when it does not: a boleto without a payload prints exactly as
// before.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "report/controls.h"
#include "report/layout.h"

namespace tarvek {

class Dataset;

inline constexpr const char* kPixField = "PIXCOPIAECOLA";

// 84 pixels are 22.2 mm: no QR code is drawn smaller, quiet zone included.
inline constexpr int kPixQrMinimumSide = 84;

// Where a layout puts the block, in its parent's coordinates: the QR code's
// square, and the column of the captions and the payload text, whose font
// shrinks (down to `smallest_font`) until the payload fits.
struct PixPlace {
    int qr_left, qr_top, qr_side;
    int text_left, text_top, text_width, text_height;
    int title_font = 12;
    int caption_font = 9;
    int payload_font = 9;
    int smallest_font = 5;
    // When not 0, "Pix copia e cola" stands on the title's row this far right
    // of it, and the payload starts under the title: for a low column.
    int caption_beside_title = 0;
};

// The hidden controls of the block: qrPix, lblPagueComPix,
// lblPixCopiaECola and memoPix.
std::vector<report::ControlDesign> pix_designs(const PixPlace& place);

// What the block changes on one control while it shows; what is not given
// stays as it is.
struct PixChange {
    const char* control;
    std::optional<int> left, top, width, height;
    std::optional<int> font_pixels;
    // Memos: the smallest font their text may shrink to, to fit.
    std::optional<int> shrink_to_fit_down_to;
    std::optional<bool> visible;
};

// The changes that show the block at `place` (the block's own controls
// moved there and made visible), followed by `room`: the changes to the
// layout's other controls that make way for it.
std::vector<PixChange> show_pix_at(const PixPlace& place, std::vector<PixChange> room);

// Shows or hides a layout's Pix block for the current boleto.
class PixSwitch {
  public:
    PixSwitch(report::TRLCustomReport& report, Dataset& boletos);

    // The changes that show the block; a later call replaces them (the
    // compact receipt, for one, makes room differently). Raises an error
    // naming a control the layout lacks.
    void SetChanges(const std::vector<PixChange>& changes);

    // Applies the changes when the current boleto carries a payload, and
    // puts back every control they name otherwise.
    void Update();

  private:
    struct Saved {
        report::TRLCustomControl* control;
        int left, top, width, height;
        report::Font font;
        bool parent_font;
        int shrink_to_fit_down_to;
        bool visible;
    };
    // A change with its control, found once when the changes are set.
    struct Target {
        PixChange change;
        report::TRLCustomControl* control;
        report::TRLCustomMultiLine* memo;  // when the change shrinks a font
    };
    const Saved& saved(report::TRLCustomControl& control);
    bool has_payload();

    report::TRLCustomReport& report_;
    Dataset& boletos_;
    std::vector<Target> targets_;
    std::vector<Saved> saved_;
};

}  // namespace tarvek
