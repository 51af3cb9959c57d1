#include "documents/boleto/boleto_job.h"

#include <memory>
#include <vector>

#include "base/cp1252.h"
#include "base/errors.h"
#include "documents/boleto/boleto_banrisul.h"
#include "documents/boleto/boleto_bradesco.h"
#include "documents/boleto/boleto_cresol.h"
#include "documents/boleto/boleto_itau.h"
#include "documents/boleto/boleto_sicoob.h"
#include "documents/boleto/boleto_sicredi.h"
#include "documents/boleto/boleto_sicredi_carne.h"
#include "report/report.h"

namespace tarvek {

namespace {

// What the job changes on a fresh layout before its query opens.
enum class Adjustment {
    // bandComprovante shows per comprovante_sicredi.
    ReceiptBandSwitch,
    // memoInformativo takes the instruction's informative text.
    InformativeText,
    // The informative text, then, when imprime_obs_cliente, the customer's
    // observation takes the informative box.
    InformativeTextAndObservationSwitch,
    // When the row's receipt option is on, the compact receipt; otherwise
    // the informative text and the observation switch.
    CompactReceiptOrInformativeText,
    // When layout_cresol is "CRESOL", the second logo takes every logo place.
    LogoSwap,
};

using Adjustments = std::vector<Adjustment>;
using LayoutFactory = std::unique_ptr<TfrmBoletoLayout> (*)(TdtmEmail&);

template <typename Layout>
std::unique_ptr<TfrmBoletoLayout> create(TdtmEmail& dtm) {
    return std::make_unique<Layout>(dtm);
}

struct LayoutRow {
    const char* code;
    const char* file_prefix;
    LayoutFactory create;
    Adjustments adjustments;  // in the order they are made
    // The option that switches the compact receipt on, for the layouts with one.
    bool BoletoOptions::*compact_receipt = nullptr;
};

// One row per layout code, in the order the codes are compared. The PDF is
// file_prefix + code + ".pdf" in the folder Boletos.
const std::vector<LayoutRow>& layout_table() {
    using enum Adjustment;
    static const std::vector<LayoutRow> rows = {
        {"748-B", "Sicredi_", create<TfrmBoletoSicredi>, {ReceiptBandSwitch, InformativeText}},
        {"748-C", "Sicredi_", create<TfrmBoletoSicredi_Carne>, {}},
        {"756",
         "Sicoob_",
         create<TfrmBoletoSicoob>,
         {CompactReceiptOrInformativeText},
         &BoletoOptions::comprovante_sicoob},
        {"237", "Bradesco_", create<TfrmBoletoBradesco>, {InformativeTextAndObservationSwitch}},
        {"341", "Itau_", create<TfrmBoletoItau>, {InformativeTextAndObservationSwitch}},
        {"041", "Banrisul_", create<TfrmBoletoBanrisul>, {InformativeTextAndObservationSwitch}},
        {"2372",
         "Cresol_",
         create<TfrmBoletoCresol>,
         {CompactReceiptOrInformativeText, LogoSwap},
         &BoletoOptions::comprovante_cresol},
    };
    return rows;
}

std::string nothing_to_print() {
    return utf8_to_cp1252("Nenhum boleto na condição estabelecida");
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

void adjust(TfrmBoletoLayout& form, const LayoutRow& row, Adjustment adjustment,
            const BoletoOptions& options, const std::vector<std::string>& informativo) {
    switch (adjustment) {
        case Adjustment::ReceiptBandSwitch:
            form.Component<report::TRLBand>("bandComprovante")
                .SetVisible(options.comprovante_sicredi);
            return;
        case Adjustment::InformativeText:
            informative_text(form, informativo);
            return;
        case Adjustment::InformativeTextAndObservationSwitch:
            informative_text(form, informativo);
            observation_switch(form, options.imprime_obs_cliente);
            return;
        case Adjustment::CompactReceiptOrInformativeText:
            if (options.*row.compact_receipt) {
                compact_receipt(form);
            } else {
                informative_text(form, informativo);
                observation_switch(form, options.imprime_obs_cliente);
            }
            return;
        case Adjustment::LogoSwap:
            if (options.layout_cresol == "CRESOL") logo_swap(form);
            return;
    }
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
    if (options_.banco_layout == "000") {
        report::show_message(nothing_to_print());
        return {};
    }
    for (const LayoutRow& row : layout_table()) {
        if (options_.banco_layout != row.code) continue;
        std::unique_ptr<TfrmBoletoLayout> form = row.create(dtm());
        for (Adjustment adjustment : row.adjustments)
            adjust(*form, row, adjustment, options_, request().informativo);
        if (!abrir_consulta_boleto(form->qryBoleto, request().sql_documento)) return {};
        return deliver(form->Boleto, "Boletos", std::string(row.file_prefix) + row.code + ".pdf");
    }
    // The query builder only chooses codes of the table: anything else is a
    // fault to report, not a document to skip in silence.
    throw Error(utf8_to_cp1252("Leiaute de boleto desconhecido: \"") + options_.banco_layout +
                "\"");
}

}  // namespace tarvek
