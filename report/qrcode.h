// A QR code control: the text of a dataset field as a QR code (error
// correction level M, byte mode), drawn as filled rectangles, not as a
// picture, so that it stays sharp at any scale in the PDF, the preview and
// print.
//
// The symbol, with a quiet zone of four light modules on every side, is as
// large as the control's client area allows with every module the same whole
// number of pixels (uneven modules do not scan), centred in the area. Each
// row's runs of dark modules are one rectangle. An empty field does not
// print at all.
//
// With a minimum side, a text whose own symbol would come out smaller is
// encoded in a larger version (more, smaller modules; any reader takes it):
// the first version whose whole modules reach the minimum.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "report/controls.h"

namespace tarvek::report {

// The modules of a text's QR code, without the quiet zone: size × size
// booleans, row by row, true for dark. Raises an error for a text too long
// for any QR code.
struct QrModules {
    int size = 0;
    std::vector<bool> dark;
    bool at(int row, int column) const {
        return dark[static_cast<std::size_t>(row) * static_cast<std::size_t>(size) +
                    static_cast<std::size_t>(column)];
    }
};
QrModules encode_qr(std::string_view text, int minimum_version = 0);

// The version of the symbol for a text whose own version is
// `natural_version`, drawn in a square of `side` pixels at least
// `minimum_side` pixels across, quiet zone included; 0 when no version can.
int qr_version_for(int natural_version, int side, int minimum_side);

// The rectangles that draw `modules`, with their quiet zone, centred in the
// square of side `side` whose top-left corner is (left, top), each module
// side / (size + 8) pixels (whole).
std::vector<Rect> qr_rectangles(const QrModules& modules, int left, int top, int side);

// The light modules around the symbol on every side.
inline constexpr int kQrQuietModules = 4;

class TRLCustomDBQRCode : public TRLCustomControl {
  public:
    explicit TRLCustomDBQRCode(std::string name);

    TDataSource* DataSource() const { return data_source_; }
    void SetDataSource(TDataSource* source);
    const std::string& DataField() const { return data_field_; }
    void SetDataField(std::string field);
    // The least side of the symbol with its quiet zone, in pixels; 0: none.
    int MinimumSide() const { return minimum_side_; }
    void SetMinimumSide(int pixels);

    bool CanPrint() override;
    void InternalPrint(GraphicSurface& surface) override;

  private:
    TDataSource* data_source_ = nullptr;
    std::string data_field_;
    int minimum_side_ = 0;
    std::string text_;
};

class TRLDBQRCode : public TRLCustomDBQRCode {
  public:
    using TRLCustomDBQRCode::TRLCustomDBQRCode;
    const char* ClassName() const override { return "TRLDBQRCode"; }
};

}  // namespace tarvek::report
