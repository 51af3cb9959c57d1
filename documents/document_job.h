// What every document job has in common: the instruction it runs, what it
// hands back, and the last step of saving or previewing its report.
//
// A job is created for one document and run once. It borrows the data
// module (the connections its layout queries bind to) and owns the layout
// form it creates; the form is gone when run() returns, except for the pages
// an open preview window still shows.
#pragma once

#include <string>
#include <vector>

#include "documents/output.h"

namespace tarvek {

class TdtmEmail;
namespace report {
class TRLCustomReport;
class TRLImage;
}  // namespace report

// The instruction as the dispatch prepared it for the job.
struct DocumentRequest {
    std::string operacao;                  // lower case: "email", "os_print", ...
    std::string sql_documento;             // what the kind's query builder returned
    std::vector<std::string> informativo;  // the instruction's informative text, by lines

    // The "email" operations write a PDF; the others preview.
    bool email() const;
};

struct JobResult {
    // The PDF written, complete, under its final name, until its result row
    // is committed; empty when none was (a preview, nothing to print, an
    // incomplete document, which the user was told of and whose file is
    // gone).
    PendingDocument document;
    // A preview window shows the document; the process must wait for it,
    // also after an "email" operation (the mechanic's authorisation).
    bool previewed = false;
};

class DocumentJob {
  public:
    DocumentJob(TdtmEmail& dtm, DocumentRequest request);
    virtual ~DocumentJob();
    DocumentJob(const DocumentJob&) = delete;
    DocumentJob& operator=(const DocumentJob&) = delete;

    // Produces the document. Errors of the data layer and of writing the file
    // propagate; errors while the report is generated were shown by the
    // engine and end as an incomplete document.
    virtual JobResult run() = 0;

  protected:
    TdtmEmail& dtm() const { return dtm_; }
    const DocumentRequest& request() const { return request_; }

    // Writes the report as PDF to the output folder `pasta` under
    // `nome_arquivo` (email operations), or opens its preview. The PDF
    // appears under its name only complete; on any failure no file is left
    // and the old one of that name is gone.
    JobResult deliver(report::TRLCustomReport& report, const std::string& pasta,
                      const std::string& nome_arquivo) const;
    JobResult save_pdf(report::TRLCustomReport& report, const std::string& pasta,
                       const std::string& nome_arquivo) const;
    static JobResult preview(report::TRLCustomReport& report);

    // Clears the picture of `imagem`, then loads it from `arquivo` unless that
    // is exactly "NAO" or names no regular file. A file that is not a picture
    // raises an error naming it.
    static void Load_foto_da_os(const std::string& arquivo, report::TRLImage& imagem);

  private:
    TdtmEmail& dtm_;
    DocumentRequest request_;
};

}  // namespace tarvek
