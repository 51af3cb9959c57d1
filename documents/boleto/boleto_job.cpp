#include "documents/boleto/boleto_job.h"

#include <memory>

#include "base/cp1252.h"
#include "documents/boleto/boleto_bradesco.h"
#include "report/report.h"

namespace tarvek {

namespace {

struct LayoutChoice {
    const char* code;
    const char* file_prefix;
};

// In the order the codes are compared.
constexpr LayoutChoice kLayouts[] = {
    {"748-B", "Sicredi_"}, {"748-C", "Sicredi_"}, {"756", "Sicoob_"},  {"237", "Bradesco_"},
    {"341", "Itau_"},      {"041", "Banrisul_"},  {"2372", "Cresol_"},
};

std::unique_ptr<TfrmBoletoLayout> create_layout(const std::string& code, TdtmEmail& dtm) {
    if (code == "237") return std::make_unique<TfrmBoletoBradesco>(dtm);
    document_not_built(("boletos do leiaute " + code).c_str());
}

std::string nothing_to_print() {
    return utf8_to_cp1252("Nenhum boleto na condição estabelecida");
}

}  // namespace

BoletoJob::BoletoJob(TdtmEmail& dtm, DocumentRequest request, BoletoOptions options)
    : DocumentJob(dtm, std::move(request)), options_(std::move(options)) {}

bool BoletoJob::abrir_consulta_boleto(Query& query, const std::string& sql) {
    query.set_sql(sql);
    query.open();
    if (query.is_empty()) {
        report::show_message(nothing_to_print());
        return false;
    }
    return true;
}

JobResult BoletoJob::run() {
    if (options_.banco_layout == "000") report::show_message(nothing_to_print());
    for (const LayoutChoice& choice : kLayouts) {
        if (options_.banco_layout != choice.code) continue;
        std::unique_ptr<TfrmBoletoLayout> form = create_layout(choice.code, dtm());

        // Informative text, then the observation switch.
        form->Component<report::TRLMemo>("memoInformativo").SetLines(request().informativo);
        if (options_.imprime_obs_cliente) {
            form->Component<report::TRLMemo>("memoInformativo").SetHeight(0);
            auto& observation = form->Component<report::TRLDBMemo>("edtObscliente");
            observation.SetTop(5);
            observation.SetHeight(140);
        }

        if (!abrir_consulta_boleto(form->qryBoleto, request().sql_documento)) return {};
        return deliver(form->Boleto, "Boletos",
                       std::string(choice.file_prefix) + choice.code + ".pdf");
    }
    return {};
}

}  // namespace tarvek
