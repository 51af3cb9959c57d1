#include "report/report.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <iostream>
#include <limits>

#include "base/cp1252.h"
#include "base/errors.h"
#include "report/engine_texts.h"

namespace tarvek::report {

namespace {

ProgressFactory progress_factory;
MessageHandler message_handler;

std::string four_decimals(double mm) {
    // Independent of the C locale, which a user interface may have changed.
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, mm, std::chars_format::fixed, 4).ptr;
    return std::string(buffer, end);
}

std::string program_path() {
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string("tarvek-docs");
}

}  // namespace

void set_progress_factory(ProgressFactory factory) {
    progress_factory = std::move(factory);
}

std::unique_ptr<ProgressSink> make_progress() {
    return progress_factory ? progress_factory() : nullptr;
}

bool progress_windows_shown() {
    return static_cast<bool>(progress_factory);
}

void set_message_handler(MessageHandler handler) {
    message_handler = std::move(handler);
}

void show_message(const std::string& text) {
    if (message_handler) {
        message_handler(text);
    } else {
        std::cerr << cp1252_to_utf8(text) << std::endl;
    }
}

// --- page setup ------------------------------------------------------------

void TRLPageSetup::SetPaperSize(TRLPaperSize size) {
    paper_size_ = size;
    switch (size) {
        case fpA4:
            width_mm_ = 210.0;
            height_mm_ = 297.0;
            break;
        case fpA5:
            width_mm_ = 148.0;
            height_mm_ = 210.0;
            break;
        case fpLetter:
            width_mm_ = 215.9;
            height_mm_ = 279.4;
            break;
        case fpLegal:
            width_mm_ = 215.9;
            height_mm_ = 355.6;
            break;
        case fpCustom:
            break;
    }
    report_.PaperChanged();
}

void TRLPageSetup::SetOrientation(TRLPageOrientation orientation) {
    orientation_ = orientation;
    report_.PaperChanged();
}

void TRLPageSetup::SetPaperWidth(double mm) {
    if (paper_size_ != fpCustom || mm <= 0 || mm == width_mm_) return;
    width_mm_ = mm;
    report_.PaperChanged();
}

void TRLPageSetup::SetPaperHeight(double mm) {
    if (paper_size_ != fpCustom || mm <= 0 || mm == height_mm_) return;
    height_mm_ = mm;
    report_.PaperChanged();
}

// --- report ------------------------------------------------------------------

TRLCustomReport::TRLCustomReport(std::string name) : TRLCustomSite(std::move(name)) {
    align_ = faNone;
    Margins = TRLMargins{10.0, 10.0, 10.0, 10.0};
    font_ = report::Font{};
    parent_font_ = false;
    color_ = clWhite;
    parent_color_ = false;
    pages_ = std::make_shared<GraphicStorage>();
    bounds_ = {0, 0, mm_to_pixels(210.0), mm_to_pixels(297.0)};
}

TRLCustomReport::~TRLCustomReport() = default;

void TRLCustomReport::SetTitle(std::string title) {
    if (JobTitle == title_) JobTitle = title;
    title_ = std::move(title);
}

void TRLCustomReport::CalcSize(int& width, int& height) {
    width = mm_to_pixels(page_setup_.OrientedWidth());
    height = mm_to_pixels(page_setup_.OrientedHeight());
}

void TRLCustomReport::SetBounds(int left, int top, int, int) {
    int w = 0, h = 0;
    CalcSize(w, h);
    TRLCustomSite::SetBounds(left, top, w, h);
}

void TRLCustomReport::PaperChanged() {
    int w = 0, h = 0;
    CalcSize(w, h);
    const Rect next{Left(), Top(), Left() + w, Top() + h};
    if (InLayoutLoading()) {
        bounds_ = next;
    } else {
        TRLCustomSite::SetBounds(Left(), Top(), w, h);
    }
}

int TRLCustomReport::TopInset() {
    return ClientRect().top;
}

int TRLCustomReport::BottomInset() {
    return Height() - ClientRect().bottom;
}

int TRLCustomReport::FooterHeight(TRLBandType type) {
    int height = 0;
    for (TRLCustomBand* band : lists_[type].bands) {
        if (band->Visible()) height += band->Height();
    }
    return height;
}

int TRLCustomReport::Limit(TRLBandType type) {
    int limit = Height() - BottomInset() - FooterHeight(btFooter);
    if (type != btSummary) limit -= FooterHeight(btColumnFooter);
    return limit;
}

bool TRLCustomReport::Fits(TRLCustomBand& band, int height) {
    return Limit(band.BandType) - current_row_ >= height;
}

void TRLCustomReport::CheckCanceled() {
    if (progress_ && progress_->Canceled()) canceled_ = true;
}

bool TRLCustomReport::PrintBandList(TRLBandType type) {
    BandList& list = lists_[type];
    for (TRLCustomBand* band : list.bands) {
        if (band == new_page_caller_) return false;
        for (int copy = 0; copy < band->CarbonCopies(); ++copy) PrintBand(*band);
    }
    list.printed = true;
    return true;
}

void TRLCustomReport::PrintBand(TRLCustomBand& band) {
    std::vector<std::pair<TRLCustomControl*, Rect>> saved;
    band.CollectBounds(saved);
    struct Restore {
        std::vector<std::pair<TRLCustomControl*, Rect>>& saved;
        TRLCustomBand*& printing;
        TRLCustomBand* previous;
        ~Restore() {
            for (auto& [control, rect] : saved) control->RestoreBounds(rect);
            printing = previous;
        }
    } restore{saved, printing_band_, printing_band_};

    if (&band == printing_band_ || !band.CanPrint()) return;
    printing_band_ = &band;
    const bool footer_kind = band.BandType == btFooter || band.BandType == btColumnFooter;

    // A page change is pointless on a page where nothing was placed yet: a
    // band taller than the page goes there whole and overflows.
    const auto change_page_if_needed = [&] {
        if (!Fits(band, band.Height()) && current_row_ > TopInset()) NewPage(&band);
    };
    if (!footer_kind && band.IntegralHeight) change_page_if_needed();
    band.AdjustBounds();
    if (!page_open_) OpenPage();

    GraphicSurface& content = band.Surface();
    content.clear();
    content.open();
    band.PrepareChildren();
    content.width = band.Width();
    content.height = band.Height();
    band.DrawChildren();
    content.close();

    if (band.BandType == btFooter) {
        current_row_ = std::max(current_row_, Height() - BottomInset() - FooterHeight(btFooter));
    }
    if (!footer_kind) change_page_if_needed();
    const int x = band.Left();
    const int y = current_row_;
    const Rect place{x, y, x + band.Width(), y + band.Height()};
    GraphicSurface& page = Surface();
    next_group_id();
    page.generator = &band;
    page.set_clip_rect(place);
    band.DrawBackground(page, place);
    band.DrawBorders(page, band.BorderRect().moved(x, y));
    page.reset_clip_rect();
    page.move_rect(place, content, Rect{0, 0, band.Width(), band.Height()});
    current_row_ += band.Height();
    if (band.BandType == btDetail && band.Computable) ++detail_count_;
    if (band.AfterPrint) band.AfterPrint(band);
}

void TRLCustomReport::OpenPage() {
    ++page_index_;
    ++page_number_;
    page_open_ = true;
    GraphicSurface& working = Surface();
    working.clear();
    working.open();
    working.width = Width();
    working.height = Height();
    current_row_ = TopInset();
    for (int type = 0; type < 7; ++type) {
        if (type != btTitle) lists_[type].printed = false;
    }
    // Controls outside the bands belong to every page, beneath the bands.
    for (auto& child : children_) {
        if (dynamic_cast<TRLCustomBand*>(child.get())) continue;
        const bool printable = child->CanPrint();
        child->SetPrintedNow(printable);
        if (!printable) continue;
        child->AdjustBounds();
        if (child->IsSite()) static_cast<TRLCustomSite&>(*child).PrepareChildren();
        next_group_id();
        working.generator = child.get();
        child->InternalPrint(working);
        if (child->AfterPrint) child->AfterPrint(*child);
    }
    if (PrintBandList(btHeader)) {
        if (lists_[btTitle].printed || PrintBandList(btTitle)) PrintBandList(btColumnHeader);
    }
}

void TRLCustomReport::ClosePage() {
    if (!lists_[btColumnFooter].printed) PrintBandList(btColumnFooter);
    if (!lists_[btFooter].printed) PrintBandList(btFooter);
    FinishPage();
}

void TRLCustomReport::FinishPage() {
    auto page = std::make_unique<GraphicSurface>();
    page->width = Width();
    page->height = Height();
    set_macro(page->macros, "Orientation", page_setup_.Orientation() == poPortrait ? "1" : "2");
    set_macro(page->macros, "PaperWidth", four_decimals(page_setup_.PaperWidth()));
    set_macro(page->macros, "PaperHeight", four_decimals(page_setup_.PaperHeight()));
    next_group_id();
    page->generator = this;
    DrawBackground(*page, Rect{0, 0, Width(), Height()});
    DrawBorders(*page, BorderRect());
    page->move_surface(0, 0, Surface());
    set_macro(page->macros, "PageNo", std::to_string(page_number_));
    set_macro(page->macros, "CompositeIndex", "0");
    page_open_ = false;
    pages_->add(std::move(page));
}

void TRLCustomReport::NewPage(TRLCustomBand* caller) {
    TRLCustomBand* previous = new_page_caller_;
    new_page_caller_ = caller;
    if (page_open_) ClosePage();
    OpenPage();
    new_page_caller_ = previous;
}

bool TRLCustomReport::Prepare() {
    // A fresh collection: a preview window may still show the last one.
    return PrepareInto(std::make_shared<GraphicStorage>());
}

bool TRLCustomReport::PrepareInto(std::shared_ptr<GraphicStorage> pages) {
    pages_ = std::move(pages);
    state_ = State::Idle;
    canceled_ = false;
    page_index_ = -1;
    page_number_ = FirstPageNumber - 1;
    page_open_ = false;
    new_page_caller_ = nullptr;
    printing_band_ = nullptr;
    state_ = State::Writing;
    const EngineTexts& texts = EngineTexts::current();
    if (ShowProgress) progress_ = make_progress();
    struct CloseProgress {
        std::unique_ptr<ProgressSink>& progress;
        ~CloseProgress() {
            if (progress) progress->Finish();
            progress.reset();
        }
    } close_progress{progress_};

    try {
        bool print_it = true;
        if (BeforePrint) BeforePrint(*this, print_it);
        if (!print_it) {
            state_ = State::Idle;
            return false;
        }

        for (BandList& list : lists_) list = BandList{};
        for (auto& child : children_) {
            if (auto* band = dynamic_cast<TRLCustomBand*>(child.get()))
                lists_[band->BandType].bands.push_back(band);
        }
        for (BandList& list : lists_) {
            std::stable_sort(
                list.bands.begin(), list.bands.end(),
                [](TRLCustomBand* a, TRLCustomBand* b) { return a->Top() < b->Top(); });
        }
        detail_count_ = 0;
        current_row_ = TopInset();

        Dataset* dataset = DataSource && DataSource->DataSet && DataSource->DataSet->active()
                               ? DataSource->DataSet
                               : nullptr;
        bool end_of_data = true;
        if (dataset) {
            dataset->first();
            end_of_data = dataset->is_empty() || dataset->eof();
        }
        if (progress_) {
            const std::size_t records = dataset ? dataset->record_count() : 0;
            progress_->Start(texts.preparing, static_cast<int>(std::min<std::size_t>(
                                                  records, std::numeric_limits<int>::max())));
        }

        while (!end_of_data && !canceled_) {
            PrintBandList(btDetail);
            dataset->next();
            end_of_data = dataset->eof();
            if (progress_) progress_->Step(texts.page + " " + std::to_string(page_number_));
            CheckCanceled();
        }

        state_ = State::Closing;
        if (PrintEmpty && detail_count_ == 0 && !page_open_) OpenPage();
        if (!lists_[btColumnFooter].printed) PrintBandList(btColumnFooter);
        PrintBandList(btSummary);
        if (!lists_[btFooter].printed) PrintBandList(btFooter);
        if (page_open_) ClosePage();
        CheckCanceled();
        if (canceled_) throw AbortError();

        Macros& m = pages_->macros;
        set_macro(m, "FirstPageNumber", std::to_string(FirstPageNumber));
        set_macro(m, "Title", title_);
        set_macro(m, "JobTitle",
                  !JobTitle.empty() ? JobTitle
                                    : texts.job_title_word + " \"" + program_path() + ": " +
                                          OwnerName + "." + Name() + "\"");
        set_macro(m, "Orientation", page_setup_.Orientation() == poPortrait ? "1" : "2");
        set_macro(m, "PaperWidth", four_decimals(page_setup_.PaperWidth()));
        set_macro(m, "PaperHeight", four_decimals(page_setup_.PaperHeight()));
        set_macro(m, "LastPageNumber", std::to_string(page_number_));
        state_ = State::Ready;
        return true;
    } catch (const AbortError&) {
    } catch (const Error& e) {
        show_message(Name() + ": " + texts.preparation_error + "\r\n" + e.class_name() + "(" +
                     e.what() + ")");
    } catch (const std::exception& e) {
        show_message(Name() + ": " + texts.preparation_error + "\r\nException(" + e.what() + ")");
    }
    // The page in progress holds finished bands: keep it with the others.
    if (page_open_ && current_row_ > TopInset()) {
        try {
            FinishPage();
        } catch (...) {
        }
    }
    state_ = State::Idle;
    page_open_ = false;
    return false;
}

}  // namespace tarvek::report
