#include "report/qrcode.h"

#include <qrencode.h>

#include <algorithm>
#include <memory>

#include "base/errors.h"

namespace tarvek::report {

namespace {

struct QrDeleter {
    void operator()(QRcode* code) const { QRcode_free(code); }
};

}  // namespace

QrModules encode_qr(std::string_view text, int minimum_version) {
    std::unique_ptr<QRcode, QrDeleter> code(QRcode_encodeData(
        static_cast<int>(text.size()), reinterpret_cast<const unsigned char*>(text.data()),
        minimum_version, QR_ECLEVEL_M));
    if (!code) {
        throw Error("Cannot make a QR code of a text of " + std::to_string(text.size()) +
                    " characters");
    }
    QrModules modules;
    modules.size = code->width;
    modules.dark.resize(static_cast<std::size_t>(code->width) *
                        static_cast<std::size_t>(code->width));
    for (std::size_t i = 0; i < modules.dark.size(); ++i) modules.dark[i] = code->data[i] & 1;
    return modules;
}

int qr_version_for(int natural_version, int side, int minimum_side) {
    constexpr int kLastVersion = 40;
    for (int version = std::max(natural_version, 1); version <= kLastVersion; ++version) {
        const int count = 17 + 4 * version + 2 * kQrQuietModules;
        const int module = side / count;
        if (module == 0) return 0;
        // Later versions have more modules, so never larger ones: the first
        // that reaches the minimum has the largest modules that do.
        if (module * count >= minimum_side) return version;
    }
    return 0;
}

std::vector<Rect> qr_rectangles(const QrModules& modules, int left, int top, int side) {
    const int count = modules.size + 2 * kQrQuietModules;
    const int module = side / count;
    // The symbol in the middle of the square, every module the same size.
    const int origin_x = left + (side - module * count) / 2 + kQrQuietModules * module;
    const int origin_y = top + (side - module * count) / 2 + kQrQuietModules * module;
    std::vector<Rect> rectangles;
    for (int row = 0; row < modules.size; ++row) {
        const int y = origin_y + row * module;
        for (int column = 0; column < modules.size;) {
            if (!modules.at(row, column)) {
                ++column;
                continue;
            }
            int end = column;
            while (end < modules.size && modules.at(row, end)) ++end;
            rectangles.push_back(
                {origin_x + column * module, y, origin_x + end * module, y + module});
            column = end;
        }
    }
    return rectangles;
}

TRLCustomDBQRCode::TRLCustomDBQRCode(std::string name) : TRLCustomControl(std::move(name)) {
    auto_size_ = false;
    bounds_ = {0, 0, 100, 100};
}

void TRLCustomDBQRCode::SetDataSource(TDataSource* source) {
    data_source_ = source;
    ContentChanged();
}

void TRLCustomDBQRCode::SetDataField(std::string field) {
    data_field_ = std::move(field);
    ContentChanged();
}

void TRLCustomDBQRCode::SetMinimumSide(int pixels) {
    minimum_side_ = pixels;
    ContentChanged();
}

bool TRLCustomDBQRCode::CanPrint() {
    if (!visible_) return false;
    text_ = field_text(*this, data_source_, data_field_, {});
    // Fixed-length text keeps its blanks; a payload never ends with one.
    text_.erase(text_.find_last_not_of(' ') + 1);
    return !text_.empty();
}

void TRLCustomDBQRCode::InternalPrint(GraphicSurface& surface) {
    TRLCustomControl::InternalPrint(surface);
    const Rect r = PrintClientRect();
    const int side = std::min(r.right - r.left, r.bottom - r.top);
    QrModules modules = encode_qr(text_);
    const int natural_version = (modules.size - 17) / 4;
    const int version = qr_version_for(natural_version, side, minimum_side_);
    if (version == 0) {
        throw Error(Name() + ": " + std::to_string(side) + " pixels cannot hold the QR code of " +
                    std::to_string(text_.size()) + " characters" +
                    (minimum_side_ ? " at least " + std::to_string(minimum_side_) + " pixels wide"
                                   : std::string()));
    }
    if (version != natural_version) modules = encode_qr(text_, version);
    // The quiet zone is light whatever lies beneath.
    surface.brush = MetaBrush{MetaColor{255, 255, 255}, 1};
    surface.fill_rect({r.left, r.top, r.left + side, r.top + side});
    surface.brush = MetaBrush{MetaColor{0, 0, 0}, 1};
    for (const Rect& rectangle : qr_rectangles(modules, r.left, r.top, side))
        surface.fill_rect(rectangle);
}

}  // namespace tarvek::report
