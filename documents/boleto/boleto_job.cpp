#include "documents/boleto/boleto_job.h"

#include <memory>
#include <vector>

#include "base/cp1252.h"
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

}  // namespace

BoletoJob::BoletoJob(TdtmEmail& dtm, DocumentRequest request, BoletoOptions options)
    : DocumentJob(dtm, std::move(request)), options_(options) {}

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
    std::unique_ptr<TfrmBoletoLayout> form = layout->create(dtm());
    for (BoletoAdjustment adjustment : layout->adjustments)
        adjust(*form, adjustment, options_, request().informativo);
    if (!abrir_consulta_boleto(form->qryBoleto, request().sql_documento)) return {};
    return deliver(form->Boleto, "Boletos",
                   std::string(options_.bank->file_prefix) + layout->code + ".pdf");
}

}  // namespace tarvek
