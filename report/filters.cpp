#include "report/filters.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <thread>

#include "base/errors.h"
#include "base/string_helpers.h"
#include "report/engine_texts.h"
#include "report/report.h"

namespace tarvek::report {

namespace {

std::string with_leading_dot(const std::string& extension) {
    if (!extension.empty() && extension.front() == '.') return extension;
    std::string dotted(1, '.');
    dotted.append(extension);
    return dotted;
}

}  // namespace

TRLCustomFilter::~TRLCustomFilter() = default;

void TRLCustomFilter::FilterDocument(std::shared_ptr<GraphicStorage> pages,
                                     const std::function<void()>& draw_pages) {
    // The collection is let go however the filtering ends.
    struct Session {
        std::shared_ptr<GraphicStorage>& attached;
        ~Session() { attached.reset(); }
    } session{pages_};
    pages_ = std::move(pages);
    InternalBeginDoc();
    try {
        draw_pages();
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

void TRLCustomFilter::FilterPages(std::shared_ptr<GraphicStorage> pages, int first_page,
                                  int last_page) {
    const int count = pages ? pages->page_count() : 0;
    first_page = std::max(first_page, 1);
    last_page = std::min(last_page, count);

    std::unique_ptr<ProgressSink> progress = ShowProgress ? make_progress() : nullptr;
    // The window closes however the filtering ends.
    struct Finish {
        std::unique_ptr<ProgressSink>& progress;
        ~Finish() {
            if (progress) progress->Finish();
        }
    } finish{progress};

    if (progress) {
        progress->Start(EngineTexts::current().saving, std::max(0, last_page - first_page + 1));
    }
    FilterDocument(std::move(pages), [&] {
        for (int number = first_page; number <= last_page; ++number) {
            if (number > first_page) InternalNewPage();
            const GraphicSurface* page = pages_->page(number - 1);
            if (page) InternalDrawPage(*page);
            if (progress) {
                progress->Step(std::string());
                if (progress->Canceled()) break;
            }
        }
    });
}

namespace {

// Whether a page has a text that may name one of the collection's values.
bool names_collection_values(const GraphicSurface& page) {
    for (const GraphicObject& object : page.objects()) {
        if (object.kind == ObjectKind::Text && may_name_macros(object.text)) {
            return true;
        }
    }
    return false;
}

}  // namespace

void TRLCustomFilter::FilterStream(std::shared_ptr<GraphicStorage> pages, PageStream& stream) {
    // The stream ends with the preparation: the collection's values (the
    // paper size of an empty document) are final when the document ends.
    FilterDocument(std::move(pages), [&] {
        bool first = true;
        std::shared_ptr<const GraphicSurface> page;
        while ((page = stream.pop(std::move(page)))) {
            if (!first) InternalNewPage();
            first = false;
            if (names_collection_values(*page)) {
                // Its values are known only at the end: the preparation goes
                // on unhindered, and this page and those after it are written
                // then, from the collection.
                stream.defer_until_prepared();
                InternalDrawPage(*page);
                for (int index = page->page_index + 1; index < pages_->page_count(); ++index) {
                    InternalNewPage();
                    InternalDrawPage(*pages_->page(index));
                }
                return;
            }
            InternalDrawPage(*page);
        }
    });
}

void PageStream::push(std::shared_ptr<const GraphicSurface> page) {
    std::vector<std::shared_ptr<const GraphicSurface>> written;
    std::unique_lock lock(mutex_);
    written.swap(written_);        // freed when this returns, after the lock
    if (writer_deferred_) return;  // the writer takes it from the collection
    if (!writer_stopped_ && waiting_.size() >= capacity_) {
        preparer_waits_ = true;
        room_.wait(lock, [&] { return writer_stopped_ || waiting_.size() <= capacity_ / 2; });
        preparer_waits_ = false;
    }
    if (writer_stopped_) throw AbortError();
    waiting_.push_back(std::move(page));
    if (writer_waits_ && waiting_.size() >= capacity_ / 4 + 1) pages_.notify_one();
}

void PageStream::finish_preparing() {
    const std::lock_guard lock(mutex_);
    prepared_ = true;
    pages_.notify_all();
}

std::shared_ptr<const GraphicSurface> PageStream::pop(
    std::shared_ptr<const GraphicSurface> written) {
    std::unique_lock lock(mutex_);
    if (written && !writer_stopped_ && !prepared_) written_.push_back(std::move(written));
    if (waiting_.empty() && !prepared_) {
        writer_waits_ = true;
        pages_.wait(lock, [&] { return waiting_.size() >= capacity_ / 4 + 1 || prepared_; });
        writer_waits_ = false;
    }
    if (waiting_.empty()) return nullptr;
    std::shared_ptr<const GraphicSurface> page = std::move(waiting_.front());
    waiting_.pop_front();
    if (preparer_waits_ && waiting_.size() <= capacity_ / 2) room_.notify_one();
    return page;
}

void PageStream::defer_until_prepared() {
    std::unique_lock lock(mutex_);
    writer_deferred_ = true;
    waiting_.clear();
    room_.notify_all();
    pages_.wait(lock, [&] { return prepared_; });
}

void PageStream::stop_writing() {
    const std::lock_guard lock(mutex_);
    writer_stopped_ = true;
    waiting_.clear();
    room_.notify_all();
}

TRLCustomSaveFilter::TRLCustomSaveFilter(const std::string& default_ext)
    : default_ext_(with_leading_dot(default_ext)) {}

bool TRLCustomSaveFilter::HandlesFile(const std::string& file_name) const {
    return ascii_iequals(default_ext_, file_extension(file_name));
}

void TRLCustomSaveFilter::CheckHandles(const std::string& file_name) const {
    if (HandlesFile(file_name)) return;
    throw Error("No filter saves files with the extension \"" + file_extension(file_name) +
                "\" (saving \"" + file_name + "\")");
}

std::string file_extension(const std::string& file_name) {
    const std::size_t slash = file_name.find_last_of('/');
    const std::size_t name_start = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = file_name.find_last_of('.');
    if (dot == std::string::npos || dot < name_start) return ".";
    return file_name.substr(dot);
}

void TRLCustomReport::SaveToFile(const std::string& file_name) {
    // Refused before the pages are prepared, which may take long.
    if (!SaveFilter) {
        throw Error("The report \"" + Name() + "\" has no save filter (saving \"" + file_name +
                    "\")");
    }
    TRLCustomSaveFilter& filter = *SaveFilter;
    filter.CheckHandles(file_name);
    filter.FileName = file_name;
    if (ReportState() == State::Idle) {
        // A progress window of the saving belongs to this thread, and its
        // cancel button to pages not yet written.
        if (WriteWhilePreparing && !(filter.ShowProgress && progress_windows_shown()) &&
            std::thread::hardware_concurrency() > 1) {
            SaveWhilePreparing(filter);
            return;
        }
        // A failed preparation still leaves the pages it finished: they are saved.
        Prepare();
    }
    filter.FilterPages(Pages(), 1, Pages()->page_count());
}

void TRLCustomReport::SaveWhilePreparing(TRLCustomSaveFilter& filter) {
    // The writer stays a few pages behind at most: the pages it writes are
    // still in memory (in the stream), never read back from the swap file.
    constexpr std::size_t kPagesAhead = 32;
    auto pages = std::make_shared<GraphicStorage>();
    PageStream stream(kPagesAhead);
    pages->set_added_page_listener(
        [&stream](std::shared_ptr<const GraphicSurface> page) { stream.push(std::move(page)); });
    std::exception_ptr failure;
    std::thread writer([&] {
        try {
            filter.FilterStream(pages, stream);
        } catch (...) {
            failure = std::current_exception();
        }
        // A writer that stopped early stops the preparation as well.
        stream.stop_writing();
    });
    struct Join {
        PageStream& stream;
        std::thread& writer;
        GraphicStorage& pages;
        ~Join() {
            stream.finish_preparing();
            writer.join();
            pages.set_added_page_listener(nullptr);
        }
    };
    {
        const Join join{stream, writer, *pages};
        PrepareInto(pages);
    }
    if (failure) std::rethrow_exception(failure);
}

}  // namespace tarvek::report
