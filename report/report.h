// The report: root of a layout's control tree, its paper, and page
// generation (Prepare), which walks the report's dataset and places bands on
// pages of the page collection.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "report/controls.h"
#include "report/metafile.h"

namespace tarvek::report {

enum TRLPaperSize { fpA4, fpA5, fpLetter, fpLegal, fpCustom };
enum TRLPageOrientation { poPortrait, poLandscape };
enum TRLPrintQuality { pqFullFeature, pqFixedOnly };

class TRLCustomReport;
class TRLCustomSaveFilter;

// The report's paper. Every change recomputes the report's size.
class TRLPageSetup {
  public:
    explicit TRLPageSetup(TRLCustomReport& report) : report_(report) {}

    TRLPaperSize PaperSize() const { return paper_size_; }
    void SetPaperSize(TRLPaperSize size);
    TRLPageOrientation Orientation() const { return orientation_; }
    void SetOrientation(TRLPageOrientation orientation);
    // Millimetres; writable only while PaperSize is fpCustom; values <= 0 or
    // equal to the current one are ignored.
    double PaperWidth() const { return width_mm_; }
    double PaperHeight() const { return height_mm_; }
    void SetPaperWidth(double mm);
    void SetPaperHeight(double mm);
    bool ForceEmulation = false;

    // Width and height after orientation, in millimetres.
    double OrientedWidth() const { return orientation_ == poPortrait ? width_mm_ : height_mm_; }
    double OrientedHeight() const { return orientation_ == poPortrait ? height_mm_ : width_mm_; }

  private:
    TRLCustomReport& report_;
    TRLPaperSize paper_size_ = fpA4;
    TRLPageOrientation orientation_ = poPortrait;
    double width_mm_ = 210.0;
    double height_mm_ = 297.0;
};

enum TRLWindowState { wsNormal, wsMinimized, wsMaximized };

struct TRLPreviewOptions {
    std::string Caption;  // defaults to the engine's preview text
    bool ShowModal = false;
    TRLWindowState WindowState = wsMaximized;
};

// What the engine asks of a progress window while it works. The core has no
// window; the user-interface layer installs one.
class ProgressSink {
  public:
    virtual ~ProgressSink() = default;
    virtual void Start(const std::string& caption, int maximum) = 0;
    virtual void Step(const std::string& text) = 0;
    virtual bool Canceled() = 0;
    virtual void Finish() = 0;
};

// Creates the progress windows; none by default.
using ProgressFactory = std::function<std::unique_ptr<ProgressSink>()>;
void set_progress_factory(ProgressFactory factory);
std::unique_ptr<ProgressSink> make_progress();
// Whether make_progress() gives windows.
bool progress_windows_shown();

// Shows a message to the user (a modal box where there is a screen). The
// default writes it to standard error. Texts are Windows-1252.
using MessageHandler = std::function<void(const std::string& text)>;
void set_message_handler(MessageHandler handler);
void show_message(const std::string& text);

// Opens a preview window on a page collection and returns at once; the
// window shares ownership of the pages until it closes. Installed by the
// user-interface layer; none by default.
using PreviewOpener = std::function<void(std::shared_ptr<GraphicStorage> pages)>;
void set_preview_opener(PreviewOpener opener);

// Ends a preparation without a message (the user canceled).
class AbortError : public std::exception {
  public:
    const char* what() const noexcept override { return "Operation aborted"; }
};

class TRLCustomReport : public TRLCustomSite {
  public:
    enum class State { Idle, Writing, Closing, Ready };

    explicit TRLCustomReport(std::string name);
    ~TRLCustomReport() override;

    TDataSource* DataSource = nullptr;
    TRLPageSetup& PageSetup() { return page_setup_; }
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title);
    std::string JobTitle;
    TRLPreviewOptions PreviewOptions;
    bool PrintEmpty = true;
    int FirstPageNumber = 1;
    bool ShowProgress = true;
    bool PrintDialog = true;
    bool ForcePrepare = true;
    TRLPrintQuality PrintQuality = pqFullFeature;
    // The layout form's component name, part of the default job title.
    std::string OwnerName;
    // The filter SaveToFile writes through (borrowed; a layout form points
    // it at its own filter). Without one, saving fails before preparing.
    TRLCustomSaveFilter* SaveFilter = nullptr;
    // SaveToFile may write the file on a second thread while it prepares the
    // pages (filters.h); the file is the same either way. Off: the pages
    // first, then the file, on the calling thread.
    bool WriteWhilePreparing = true;

    // Generates the pages. False when the report's BeforePrint declined, the
    // user canceled, or an error stopped generation (the error was shown as a
    // message; the pages finished before it remain).
    bool Prepare();
    void SaveToFile(const std::string& file_name);  // filters.h
    // Prepares the pages afresh and hands them to the preview opener; false,
    // with no window, when preparation failed (its message was shown).
    // Raises tarvek::Error when no opener is installed.
    bool Preview();
    State ReportState() const { return state_; }
    bool Preparing() const { return state_ == State::Writing || state_ == State::Closing; }

    // The page collection, shared with whoever still shows or writes it.
    const std::shared_ptr<GraphicStorage>& Pages() const { return pages_; }
    int PageNumber() const { return page_number_; }
    int DetailCount() const { return detail_count_; }

    // While a layout is declared into this report, property writes of its
    // controls only store values: no automatic sizing, growth or docking
    // (they run once it is complete). Scopes nest.
    class LayoutLoading {
      public:
        explicit LayoutLoading(TRLCustomReport& report) : report_(report) {
            ++report_.layout_loading_;
        }
        ~LayoutLoading() { --report_.layout_loading_; }
        LayoutLoading(const LayoutLoading&) = delete;
        LayoutLoading& operator=(const LayoutLoading&) = delete;

      private:
        TRLCustomReport& report_;
    };

    // The report's size always follows its paper.
    void SetBounds(int left, int top, int width, int height) override;
    void CalcSize(int& width, int& height) override;
    void PaperChanged();

    bool GrowsWidth() const override { return false; }

  private:
    struct BandList {
        std::vector<TRLCustomBand*> bands;
        bool printed = false;
    };

    // Prepare into the given (empty) collection.
    bool PrepareInto(std::shared_ptr<GraphicStorage> pages);
    void SaveWhilePreparing(TRLCustomSaveFilter& filter);
    int TopInset();
    int BottomInset();
    int FooterHeight(TRLBandType type);
    int Limit(TRLBandType type);
    bool Fits(TRLCustomBand& band, int height);
    bool PrintBandList(TRLBandType type);
    void PrintBand(TRLCustomBand& band);
    void OpenPage();
    void ClosePage();
    // Turns the working surface into a page of the collection.
    void FinishPage();
    void NewPage(TRLCustomBand* caller);
    void CheckCanceled();

    TRLPageSetup page_setup_{*this};
    std::string title_;
    std::shared_ptr<GraphicStorage> pages_;
    std::unique_ptr<ProgressSink> progress_;
    State state_ = State::Idle;
    bool canceled_ = false;
    int page_index_ = -1;
    int page_number_ = 0;
    int detail_count_ = 0;
    int current_row_ = 0;
    bool page_open_ = false;
    TRLCustomBand* new_page_caller_ = nullptr;
    TRLCustomBand* printing_band_ = nullptr;
    BandList lists_[7];
};

class TRLReport : public TRLCustomReport {
  public:
    using TRLCustomReport::TRLCustomReport;
    const char* ClassName() const override { return "TRLReport"; }
};

}  // namespace tarvek::report
