// Filters: the objects that take a report's finished pages somewhere else (a
// file, a printer). A report saves through the save filter it names
// (TRLCustomReport::SaveFilter); nothing finds a filter by looking around.
//
// Ownership: whoever creates a filter owns it (a layout form owns its PDF
// filter); a report only points at it. While it filters, it shares
// ownership of the page collection, which therefore outlives the report if
// need be.
//
// Threads: a filter runs on one thread at a time. SaveToFile may let a
// filter write on a second thread while the report prepares its pages on
// the calling one (see PageStream); the file is the same either way.
#pragma once

#include <algorithm>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "report/metafile.h"

namespace tarvek::report {

// Pages handed, in order, from the thread that prepares them to the thread
// that writes them. The preparing side waits while `capacity` pages wait
// for the writer (until half of them are taken), and the writer waits for a
// few pages at a time: the threads wake each other seldom, and pages are
// written while they are still in memory.
class PageStream {
  public:
    explicit PageStream(std::size_t capacity) : capacity_(std::max<std::size_t>(capacity, 2)) {}
    PageStream(const PageStream&) = delete;
    PageStream& operator=(const PageStream&) = delete;

    // Preparing side. push raises AbortError once the writer stopped.
    void push(std::shared_ptr<const GraphicSurface> page);
    // No more pages: the preparation ended (whole or not).
    void finish_preparing();

    // Writing side: the next page, waiting for it; nullptr once the
    // preparation ended and every page was taken. The page taken before is
    // given back: it is freed on the preparing side, where it was made
    // (freeing memory on another thread than the one that took it is slow).
    std::shared_ptr<const GraphicSurface> pop(std::shared_ptr<const GraphicSurface> written);
    // Takes no more pages and waits until the preparation ended (the
    // collection's values are final); the pages not taken are in the
    // collection. The preparing side no longer waits for the writer.
    void defer_until_prepared();
    // The writer takes no more pages.
    void stop_writing();

  private:
    std::mutex mutex_;
    std::condition_variable room_;                                // the preparing side waits for it
    std::condition_variable pages_;                               // the writing side waits for them
    std::deque<std::shared_ptr<const GraphicSurface>> waiting_;   // oldest first
    std::vector<std::shared_ptr<const GraphicSurface>> written_;  // to be freed by push()
    std::size_t capacity_;
    bool prepared_ = false;
    bool writer_stopped_ = false;
    bool writer_deferred_ = false;
    bool preparer_waits_ = false;
    bool writer_waits_ = false;
};

class TRLCustomFilter {
  public:
    TRLCustomFilter() = default;
    virtual ~TRLCustomFilter();
    TRLCustomFilter(const TRLCustomFilter&) = delete;
    TRLCustomFilter& operator=(const TRLCustomFilter&) = delete;

    // Name shown in save dialogs.
    std::string DisplayName;
    // Show the "saving" progress window (when the user-interface layer
    // installed one) with a cancel button.
    bool ShowProgress = true;

    // Passes pages first..last (1-based, clipped to the page count) through
    // the filter: begin document, each page in order, end document. A cancel
    // in the progress window stops after the current page; the document is
    // still ended. When a page raises, the document is ended all the same and
    // the page's error propagates. An error of begin document propagates with
    // nothing else done.
    void FilterPages(std::shared_ptr<GraphicStorage> pages, int first_page, int last_page);
    // The same for every page of a collection being prepared, taken from
    // `stream` as they come, without a progress window. A page whose texts
    // may name the collection's values ({Name}) waits for the end of the
    // preparation, which sets them; it and the later pages are then taken
    // from the collection. Runs on the writing thread.
    void FilterStream(std::shared_ptr<GraphicStorage> pages, PageStream& stream);

  private:
    // Attaches `pages`, begins the document, lets `draw_pages` draw them and
    // ends the document, also when drawing fails (its error propagates).
    void FilterDocument(std::shared_ptr<GraphicStorage> pages,
                        const std::function<void()>& draw_pages);

  protected:
    // The collection being filtered; null outside FilterPages.
    GraphicStorage* Pages() const { return pages_.get(); }

    virtual void InternalBeginDoc() = 0;
    virtual void InternalEndDoc() = 0;
    // Between two pages (not before the first).
    virtual void InternalNewPage() = 0;
    virtual void InternalDrawPage(const GraphicSurface& page) = 0;

  private:
    std::shared_ptr<GraphicStorage> pages_;
};

// A filter that writes a file.
class TRLCustomSaveFilter : public TRLCustomFilter {
  public:
    // The file written; set by SaveToFile.
    std::string FileName;

    // The extension this filter handles, with a leading "." put in front
    // when it lacks one.
    const std::string& DefaultExt() const { return default_ext_; }
    // Whether the extension of `file_name` is the default one, ignoring
    // ASCII case.
    bool HandlesFile(const std::string& file_name) const;
    // Raises tarvek::Error naming the file and its extension unless the
    // filter handles it.
    void CheckHandles(const std::string& file_name) const;

  protected:
    explicit TRLCustomSaveFilter(const std::string& default_ext);

  private:
    std::string default_ext_;
};

// The extension of a file name as filters compare it: from the last "." of
// its last path component, dot included; a name without a dot gives ".".
std::string file_extension(const std::string& file_name);

// TRLCustomReport::SaveToFile(file_name), defined with the filters: raises
// tarvek::Error, before anything is prepared, when the report names no save
// filter or its filter does not handle the file's extension. Then prepares
// the report when its state is Idle, ignoring the result (a failed
// preparation saves the pages it finished, possibly none), sets the filter's
// FileName and lets it filter every page; the filter's errors (file
// creation, fonts) propagate.
//
// When the report prepares and the filter shows no progress window, the
// filter writes on a second thread while the pages are prepared (unless
// WriteWhilePreparing is off or the machine has one core); an error of the
// filter then stops the preparation without a message and leaves
// SaveToFile.

}  // namespace tarvek::report
