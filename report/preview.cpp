#include "base/cp1252.h"
#include "base/errors.h"
#include "report/report.h"

namespace tarvek::report {

namespace {

PreviewOpener preview_opener;

}  // namespace

void set_preview_opener(PreviewOpener opener) {
    preview_opener = std::move(opener);
}

bool TRLCustomReport::Preview() {
    // Checked first: preparing pages that nothing can show would only cost
    // the user a progress window.
    if (!preview_opener) throw Error(utf8_to_cp1252("A pré-visualização precisa de uma tela"));
    state_ = State::Idle;
    if (!Prepare()) return false;
    // The window gets its own reference: the report may go while it stays.
    preview_opener(pages_);
    return true;
}

}  // namespace tarvek::report
