#include "documents/boleto/boleto_job.h"

#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "base/cp1252.h"
#include "data/firebird/dtm_email.h"
#include "data/firebird/query.h"
#include "documents/boleto/boleto_codes.h"
#include "documents/boleto/boleto_layout.h"
#include "report/report.h"

namespace tarvek {

namespace {

std::string nothing_to_print() {
    return utf8_to_cp1252("Nenhum boleto na condição estabelecida");
}

// Why the template's boletos have no layout.
std::string no_layout(const BoletoOptions& options) {
    if (!options.boleto_found) return nothing_to_print();
    if (!options.bank_number) {
        return utf8_to_cp1252(
            "Nenhum leiaute de boleto: o boleto não informa o número do banco (NRO_BANCO vazio)");
    }
    return utf8_to_cp1252("Nenhum leiaute de boleto para o banco " +
                          std::to_string(*options.bank_number));
}

void informative_text(TfrmBoletoLayout& form, const std::vector<std::string>& text) {
    form.Component<report::TRLMemo>("memoInformativo").SetLines(text);
}

void observation_switch(TfrmBoletoLayout& form, bool imprime_obs_cliente) {
    if (!imprime_obs_cliente) return;
    form.Component<report::TRLMemo>("memoInformativo").SetHeight(0);
    auto& observation = form.Component<report::TRLDBMemo>("edtObscliente");
    observation.SetTop(5);
    observation.SetHeight(140);
}

// Captions, the boleto's data and the signature block side by side in the
// informative box, in place of the informative text and the observation.
void compact_receipt(TfrmBoletoLayout& form) {
    auto& informativo = form.Component<report::TRLMemo>("memoInformativo");
    auto& captions = form.Component<report::TRLMemo>("memoComp1");
    auto& data = form.Component<report::TRLMemo>("memoComp2");
    auto& signature = form.Component<report::TRLMemo>("memoComp3");
    informativo.SetVisible(false);
    form.Component<report::TRLDBMemo>("edtObscliente").SetVisible(false);
    captions.SetBounds(informativo.Left(), captions.Top(), 100, informativo.Height());
    data.SetBounds(captions.Left() + 101, data.Top(), 400, informativo.Height());
    signature.SetBounds(data.Left() + 401, signature.Top(), 190, informativo.Height());
    for (report::TRLMemo* memo : {&captions, &data, &signature}) memo->SetVisible(true);

    // With a payload, the captions and the data take a smaller font above
    // the Pix texts (room for one wrapped data line, as the last one often
    // is; more wrapped lines make the data's font smaller rather than go
    // unseen), and the signature block moves left of the QR code.
    const int left = captions.Left();
    form.SetPixChanges(show_pix_at({.qr_left = left + 574,
                                    .qr_top = 5,
                                    .qr_side = 130,
                                    .text_left = left,
                                    .text_top = 104,
                                    .text_width = 376,
                                    .text_height = 48,
                                    .caption_beside_title = 110},
                                   {
                                       {.control = "memoComp1", .height = 98, .font_pixels = 11},
                                       {.control = "memoComp2",
                                        .width = 275,
                                        .height = 98,
                                        .font_pixels = 11,
                                        .shrink_to_fit_down_to = 7},
                                       {.control = "memoComp3", .left = data.Left() + 279},
                                   }));
}

void logo_swap(TfrmBoletoLayout& form) {
    auto& second = form.Component<report::TRLImage>("img2");
    form.Component<report::TRLImage>("img1").SetPicture(second.Picture());
    form.Component<report::TRLImage>("img3").SetPicture(second.Picture());
    second.SetVisible(false);
}

void adjust(TfrmBoletoLayout& form, BoletoAdjustment adjustment, const BoletoOptions& options,
            const std::vector<std::string>& informativo) {
    switch (adjustment) {
        case BoletoAdjustment::ReceiptBandSwitch:
            form.Component<report::TRLBand>("bandComprovante").SetVisible(options.comprovante);
            return;
        case BoletoAdjustment::InformativeText:
            informative_text(form, informativo);
            return;
        case BoletoAdjustment::InformativeTextAndObservationSwitch:
            informative_text(form, informativo);
            observation_switch(form, options.imprime_obs_cliente);
            return;
        case BoletoAdjustment::CompactReceiptOrInformativeText:
            if (options.comprovante) {
                compact_receipt(form);
            } else {
                informative_text(form, informativo);
                observation_switch(form, options.imprime_obs_cliente);
            }
            return;
        case BoletoAdjustment::LogoSwap:
            if (options.variant == BoletoVariant::First) logo_swap(form);
            return;
    }
}

std::optional<std::string> text_of(const Field& field) {
    if (field.is_null()) return std::nullopt;
    return field.as_string();
}

// Every boleto of the document whose codes fail, in the document's order.
std::vector<BoletoFailure> failing_boletos(TdtmEmail& dtm, const BoletoOptions& options) {
    Query query("qryVerificaBoleto", dtm.dtbReceber, dtm.ibtReceber);
    query.set_unidirectional(true);
    query.set_sql(options.check_sql);
    std::vector<BoletoFailure> failures;
    for (query.open(); !query.eof(); query.next()) {
        BoletoCodes codes;
        codes.barcode = text_of(query.field_by_name("CODBARRAS"));
        codes.line = text_of(query.field_by_name("LINHADIGITAVEL"));
        const Field& due = query.field_by_name("DATAVENCIMENTO");
        if (const auto* date = std::get_if<Date>(&due.value())) codes.due = *date;
        if (const auto* date_time = std::get_if<DateTime>(&due.value()))
            codes.due = date_time->date;
        codes.value_cents = money_cents(query.field_by_name("VALORBOLETO"));
        codes.bank_code = options.bank_code;
        if (const Field* pix = query.find_field("PIXCOPIAECOLA"); pix && !pix->is_null()) {
            codes.pix = pix->as_string();
            codes.pix.erase(codes.pix.find_last_not_of(' ') + 1);
        }
        std::vector<std::string> faults = boleto_code_faults(codes);
        if (faults.empty()) continue;
        std::string nosso_numero = query.field_by_name("NOSSONUMEROSTR").as_string();
        nosso_numero.erase(nosso_numero.find_last_not_of(' ') + 1);
        failures.push_back({.boleto = "Boleto " + query.field_by_name("CHAVEBOLETO").as_string() +
                                      utf8_to_cp1252(" (nosso número ") + nosso_numero + ")",
                            .faults = std::move(faults)});
    }
    query.close();
    return failures;
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
    const BoletoLayoutEntry* layout = options_.layout;
    if (!layout) {
        report::show_message(no_layout(options_));
        return {};
    }
    // A boleto no bank would take must not reach a customer: the document
    // is refused as a whole, before anything is prepared.
    if (options_.verifica_codigos) {
        if (const std::vector<BoletoFailure> failures = failing_boletos(dtm(), options_);
            !failures.empty()) {
            report::show_message(boleto_code_message(failures));
            return {};
        }
    }
    std::unique_ptr<TfrmBoletoLayout> form = layout->create(dtm());
    for (BoletoAdjustment adjustment : layout->adjustments)
        adjust(*form, adjustment, options_, request().informativo);
    if (!abrir_consulta_boleto(form->qryBoleto, request().sql_documento)) return {};
    return deliver(form->Boleto, "Boletos",
                   std::string(options_.bank->file_prefix) + layout->code + ".pdf");
}

}  // namespace tarvek
