// Barcode controls: a one-dimensional barcode for a text, drawn as one
// picture on the page.
//
// The text becomes a pattern of bars and spaces in four widths (narrow,
// wide, wide-and-a-half, double-wide) built from Module and Ratio. An
// auto-sized control takes its width from the pattern; printing renders the
// bars, and the captions when asked, into a bitmap the size of the control's
// inner area (the print client rectangle less Margins) and places it on the
// parent's surface with GraphicSurface::draw_picture.
//
// Property writes follow the engine's rules: anything that can change the
// natural size re-applies AdjustBounds. Ratio is corrected into the range of
// the symbology, and written back, each time a pattern is built.
//
// Ownership: the data control refers to its TDataSource, which the layout
// owns and which must outlive it. Controls are owned by their parent site.
#pragma once

#include <string>

#include "report/controls.h"
#include "report/picture.h"

namespace tarvek::report {

enum TRLBarcodeType {
    bcCode2OF5Interleaved,
    bcCode2OF5Industry,
    bcCode2OF5Matrix,
    bcCode39,
    bcCode39Extended,
    bcCode128A,
    bcCode128B,
    bcCode128C,
    bcCode93,
    bcCode93Extended,
    bcMSI,
    bcPostNet,
    bcCodaBar,
    bcEAN8,
    bcEAN13,
    bcUPC_A,
    bcUPC_E0,
    bcUPC_E1,
    bcUPC_Supp2,
    bcUPC_Supp5,
    bcEAN128A,
    bcEAN128B,
    bcEAN128C,
};

enum TRLBarcodeTextOption { boNone, boCode, boType, boBoth };
enum TRLBarcodeOrientation { boLeftToRight, boBottomToTop, boTopToBottom };
enum TRLBarcodeCheckSumMethod { cmNone, cmModule10 };
enum TRLBarcodeInvalidCode { icEmptyRect, icCrossOut, icDrawAnyway };

struct TRLBarcodeTypeInfo {
    const char* Name;  // the caption of boType
    bool DigitsOnly;   // other characters are read as "0" and make the code invalid
};

const TRLBarcodeTypeInfo& BarcodeTypeInfo(TRLBarcodeType type);

// Pixel widths of the four element sizes.
struct TRLBarcodeWidths {
    int narrow = 1;
    int wide = 2;
    int wide_and_half = 3;
    int double_wide = 4;
};

// A symbol as elements, one character each, drawn left to right:
//   "0"-"3" space, "5"-"8" full bar, "A"-"D" short bar (lower two fifths),
//   each narrow, wide, wide-and-a-half or double-wide; anything else is a
//   narrow full bar.
struct TRLBarcodePattern {
    std::string elements;
    bool invalid = false;
    TRLBarcodeWidths widths;

    int ElementWidth(char element) const;
    int TotalWidth() const;
};

class TRLCustomBarcode : public TRLCustomControl {
  public:
    explicit TRLCustomBarcode(std::string name);

    // The text to encode; the data control replaces it while preparing.
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    virtual std::string MakeText() { return caption_; }

    TRLBarcodeType BarcodeType() const { return type_; }
    void SetBarcodeType(TRLBarcodeType type);
    int Module() const { return module_; }
    void SetModule(int module);  // values outside 1..49 are ignored
    double Ratio() const { return ratio_; }
    void SetRatio(double ratio);  // values that are not positive and finite are ignored
    Color BarColor() const { return bar_color_; }
    void SetBarColor(Color color) { bar_color_ = color; }
    TRLBarcodeTextOption ShowText() const { return show_text_; }
    void SetShowText(TRLBarcodeTextOption option) { show_text_ = option; }
    TRLBarcodeOrientation Orientation() const { return orientation_; }
    void SetOrientation(TRLBarcodeOrientation orientation);
    bool CheckSum() const { return check_sum_; }
    void SetCheckSum(bool check_sum);
    TRLBarcodeCheckSumMethod CheckSumMethod() const { return check_sum_method_; }
    void SetCheckSumMethod(TRLBarcodeCheckSumMethod method);
    TRLBarcodeInvalidCode InvalidCode() const { return invalid_code_; }
    void SetInvalidCode(TRLBarcodeInvalidCode option) { invalid_code_ = option; }
    // Blank space inside the control around the bars, in millimetres.
    const TRLMargins& Margins() const { return margins_; }
    void SetMargins(const TRLMargins& margins);

    TRLBeforePrintEvent BeforePrint;

    // The pattern of `text` as the control's settings encode it. Corrects
    // Ratio into the symbology's range first.
    TRLBarcodePattern BuildPattern(const std::string& text);
    // The bars and captions of `text` in a bitmap of width × height, before
    // any turn for the orientation. No picture when either is not positive.
    Picture RenderBitmap(const std::string& text, int width, int height);

    void CalcSize(int& width, int& height) override;
    bool GrowsWidth() const override { return true; }
    bool CanPrint() override;
    void InternalPrint(GraphicSurface& surface) override;

  protected:
    std::string caption_;

  private:
    TRLBarcodeType type_ = bcCode2OF5Interleaved;
    int module_ = 1;
    double ratio_ = 2.0;
    Color bar_color_ = clBlack;
    TRLBarcodeTextOption show_text_ = boNone;
    TRLBarcodeOrientation orientation_ = boLeftToRight;
    bool check_sum_ = false;
    TRLBarcodeCheckSumMethod check_sum_method_ = cmModule10;
    TRLBarcodeInvalidCode invalid_code_ = icEmptyRect;
    TRLMargins margins_{1.0, 0.0, 1.0, 0.0};
};

// A barcode whose text comes from a dataset field, or from a formula over
// the fields. While the report prepares, a DataField the open dataset does
// not have raises DatabaseError ("<not found>: <name>.DataField "<field>"").
//
// A formula is terms joined by "+": field names, texts in single or double
// quotes, and numbers. Two numbers add; anything else joins as text (fields
// by their display text).
class TRLCustomDBBarcode : public TRLCustomBarcode {
  public:
    using TRLCustomBarcode::TRLCustomBarcode;

    TDataSource* DataSource() const { return data_source_; }
    void SetDataSource(TDataSource* source);
    const std::string& DataField() const { return data_field_; }
    void SetDataField(std::string field);  // a non-empty field clears DataFormula
    const std::string& DataFormula() const { return data_formula_; }
    void SetDataFormula(std::string formula);  // a non-empty formula clears DataField

    std::string MakeText() override;

  private:
    std::string EvaluateFormula(Dataset& dataset) const;

    TDataSource* data_source_ = nullptr;
    std::string data_field_;
    std::string data_formula_;
};

class TRLDBBarcode : public TRLCustomDBBarcode {
  public:
    using TRLCustomDBBarcode::TRLCustomDBBarcode;
    const char* ClassName() const override { return "TRLDBBarcode"; }
};

}  // namespace tarvek::report
