#include "report/filters.h"

#include <algorithm>

#include "base/errors.h"
#include "base/string_helpers.h"
#include "report/engine_texts.h"
#include "report/report.h"

namespace tarvek::report {

namespace {

// Function-local so that filters created by static objects find it built.
std::vector<TRLCustomFilter*>& registry() {
    static std::vector<TRLCustomFilter*> filters;
    return filters;
}

std::string with_leading_dot(const std::string& extension) {
    if (!extension.empty() && extension.front() == '.') return extension;
    std::string dotted(1, '.');
    dotted.append(extension);
    return dotted;
}

}  // namespace

TRLCustomFilter::TRLCustomFilter() {
    registry().push_back(this);
}

TRLCustomFilter::~TRLCustomFilter() {
    auto& filters = registry();
    filters.erase(std::remove(filters.begin(), filters.end(), this), filters.end());
}

const std::vector<TRLCustomFilter*>& TRLCustomFilter::Registered() {
    return registry();
}

void TRLCustomFilter::FilterPages(std::shared_ptr<GraphicStorage> pages, int first_page,
                                  int last_page) {
    const int count = pages ? pages->page_count() : 0;
    first_page = std::max(first_page, 1);
    last_page = std::min(last_page, count);

    std::unique_ptr<ProgressSink> progress = ShowProgress ? make_progress() : nullptr;
    // Detaching and closing the window happen however the filtering ends.
    struct Session {
        std::shared_ptr<GraphicStorage>& attached;
        std::unique_ptr<ProgressSink>& progress;
        ~Session() {
            attached.reset();
            if (progress) progress->Finish();
        }
    } session{pages_, progress};

    if (progress) {
        progress->Start(EngineTexts::current().saving, std::max(0, last_page - first_page + 1));
    }
    pages_ = std::move(pages);
    InternalBeginDoc();
    try {
        for (int number = first_page; number <= last_page; ++number) {
            if (number > first_page) InternalNewPage();
            const GraphicSurface* page = pages_->page(number - 1);
            if (page) InternalDrawPage(*page);
            if (progress) {
                progress->Step(std::string());
                if (progress->Canceled()) break;
            }
        }
    } catch (...) {
        // The page's error is the one worth reporting; a second one from
        // closing the document would only hide it.
        try {
            InternalEndDoc();
        } catch (...) {
        }
        throw;
    }
    InternalEndDoc();
}

TRLCustomSaveFilter::TRLCustomSaveFilter(const std::string& default_ext)
    : default_ext_(with_leading_dot(default_ext)) {}

bool TRLCustomSaveFilter::HandlesFile(const std::string& file_name) const {
    return ascii_iequals(default_ext_, file_extension(file_name));
}

std::string file_extension(const std::string& file_name) {
    const std::size_t slash = file_name.find_last_of('/');
    const std::size_t name_start = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = file_name.find_last_of('.');
    if (dot == std::string::npos || dot < name_start) return ".";
    return file_name.substr(dot);
}

TRLCustomSaveFilter* SaveFilterByFileName(const std::string& file_name) {
    for (TRLCustomFilter* filter : registry()) {
        auto* save = dynamic_cast<TRLCustomSaveFilter*>(filter);
        if (save && save->HandlesFile(file_name)) return save;
    }
    return nullptr;
}

void TRLCustomReport::SaveToFile(const std::string& file_name) {
    // A failed preparation still leaves the pages it finished: they are saved.
    if (ReportState() == State::Idle) Prepare();
    TRLCustomSaveFilter* filter = SaveFilterByFileName(file_name);
    if (!filter) {
        throw Error("No filter saves files with the extension \"" + file_extension(file_name) +
                    "\" (saving \"" + file_name + "\")");
    }
    filter->FileName = file_name;
    filter->FilterPages(Pages(), 1, Pages()->page_count());
}

}  // namespace tarvek::report
