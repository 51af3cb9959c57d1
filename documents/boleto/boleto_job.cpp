// The boleto job: the bank's layout, adapted to the portfolio, filled by the
// built SQL and saved as PDF or previewed.
#include <filesystem>
#include <memory>

#include "app/application.h"
#include "app/cp1252.h"
#include "app/string_helpers.h"
#include "data/errors.h"
#include "documents/boleto/boleto_bradesco.h"
#include "report/engine_texts.h"
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

bool TfrmPrincipal::abrir_consulta_boleto(Query& query, const std::string& sql) {
    query.set_sql(sql);
    query.open();
    if (query.is_empty()) {
        report::show_message(nothing_to_print());
        return false;
    }
    return true;
}

void TfrmPrincipal::enviar_Email_Print() {
    timerClose.enabled = false;
    const TfrmFuncoesEmail& builder = *app_.frmFuncoesEmail;
    std::string written;

    if (builder.banco_layout == "000") report::show_message(nothing_to_print());
    for (const LayoutChoice& choice : kLayouts) {
        if (builder.banco_layout != choice.code) continue;
        std::unique_ptr<TfrmBoletoLayout> form = create_layout(choice.code, *app_.dtmEmail);

        // Informative text, then the observation switch.
        form->Component<report::TRLMemo>("memoInformativo").SetLines(memoInformativo.lines());
        if (builder.imprime_obs_cliente) {
            form->Component<report::TRLMemo>("memoInformativo").SetHeight(0);
            auto& observation = form->Component<report::TRLDBMemo>("edtObscliente");
            observation.SetTop(5);
            observation.SetHeight(140);
        }

        if (abrir_consulta_boleto(form->qryBoleto, sql_documento)) {
            if (Contem_Texto("email", operacao)) {
                const std::string path = app_.frmFuncoesEmail->path_email(
                    "Boletos", std::string(choice.file_prefix) + choice.code + ".pdf");
                form->Boleto.SaveToFile(path);
                if (form->Boleto.ReportState() == report::TRLCustomReport::State::Ready) {
                    written = path;
                } else {
                    // An incomplete document must not reach the customer as if
                    // it were whole: the engine told the user what failed.
                    std::error_code ignored;
                    std::filesystem::remove(path, ignored);
                    documento_incompleto = true;
                    report::show_message(utf8_to_cp1252(
                        "O documento não foi gerado por completo e não foi gravado: " + path));
                }
            } else {
                if (!preview_handler) {
                    throw Error(utf8_to_cp1252(
                        "A pré-visualização precisa de uma tela; nenhuma está disponível."));
                }
                preview_handler(form->Boleto);
            }
        }
        break;
    }
    timerClose.enabled = true;
    if (!written.empty()) Gravar_retorno_sql(utf8_to_cp1252(written));
}

}  // namespace tarvek
