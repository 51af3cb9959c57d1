// Filters: the objects that take a report's finished pages somewhere else (a
// file, a printer). Every filter alive is listed in one process-wide registry,
// oldest first; a report's SaveToFile picks the first save filter of the
// registry that handles the file's extension.
//
// Ownership: whoever creates a filter owns it (a layout form owns its PDF
// filter); the registry only points at it. A filter registers in its
// constructor and leaves the registry in its destructor, so it must not be
// copied or moved. While it filters, it shares ownership of the page
// collection, which therefore outlives the report if need be.
//
// Not thread safe: the engine runs on one thread.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "report/metafile.h"

namespace tarvek::report {

class TRLCustomFilter {
  public:
    TRLCustomFilter();
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

    // The filters alive, oldest first.
    static const std::vector<TRLCustomFilter*>& Registered();

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

  protected:
    explicit TRLCustomSaveFilter(const std::string& default_ext);

  private:
    std::string default_ext_;
};

// The extension of a file name as filters compare it: from the last "." of
// its last path component, dot included; a name without a dot gives ".".
std::string file_extension(const std::string& file_name);

// The oldest registered save filter that handles `file_name`, or nullptr.
TRLCustomSaveFilter* SaveFilterByFileName(const std::string& file_name);

// TRLCustomReport::SaveToFile(file_name), defined with the filters: prepares
// the report when its state is Idle, ignoring the result (a failed
// preparation saves the pages it finished, possibly none); then sets the
// FileName of SaveFilterByFileName(file_name) and lets it filter every page.
// Raises tarvek::Error when no registered filter handles the extension, and
// lets the filter's errors (file creation, fonts) through.

}  // namespace tarvek::report
