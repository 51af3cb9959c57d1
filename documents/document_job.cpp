#include "documents/document_job.h"

#include "base/cp1252.h"
#include "base/errors.h"
#include "base/string_helpers.h"
#include "report/controls.h"
#include "report/picture.h"
#include "report/report.h"

namespace tarvek {

bool DocumentRequest::email() const {
    return Contem_Texto("email", operacao);
}

DocumentJob::DocumentJob(TdtmEmail& dtm, DocumentRequest request)
    : dtm_(dtm), request_(std::move(request)) {}

DocumentJob::~DocumentJob() = default;

JobResult DocumentJob::deliver(report::TRLCustomReport& report, const std::string& pasta,
                               const std::string& nome_arquivo) const {
    return request_.email() ? save_pdf(report, pasta, nome_arquivo) : preview(report);
}

JobResult DocumentJob::save_pdf(report::TRLCustomReport& report, const std::string& pasta,
                                const std::string& nome_arquivo) const {
    OutputFile output = path_email(pasta, nome_arquivo);
    try {
        report.SaveToFile(output.temporary_path());
    } catch (const Error& e) {
        throw Error(
            utf8_to_cp1252("Não foi possível gravar o documento " + output.final_path() + ": ") +
            e.what());
    }
    if (report.ReportState() != report::TRLCustomReport::State::Ready) {
        // An incomplete document must not reach the customer as if it were
        // whole: the engine told the user what failed.
        report::show_message(utf8_to_cp1252(
            "O documento não foi gerado por completo e não foi gravado: " + output.final_path()));
        return {};
    }
    return JobResult{.document = output.commit()};
}

JobResult DocumentJob::preview(report::TRLCustomReport& report) {
    return JobResult{.previewed = report.Preview()};
}

void DocumentJob::Load_foto_da_os(const std::string& arquivo, report::TRLImage& imagem) {
    imagem.SetPicture(report::Picture());
    if (arquivo == "NAO") return;
    // Configuration texts are Windows-1252; file names are UTF-8.
    const std::string caminho = cp1252_to_utf8(arquivo);
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(caminho, ignored)) return;
    try {
        imagem.SetPicture(report::Picture::from_file(caminho));
    } catch (const Error& e) {
        throw Error(utf8_to_cp1252(e.what()));  // messages are Windows-1252
    }
}

}  // namespace tarvek
