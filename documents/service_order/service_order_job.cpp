#include "documents/service_order/service_order_job.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/cp1252.h"
#include "base/errors.h"
#include "base/string_helpers.h"
#include "base/text_lines.h"
#include "data/firebird/dtm_email.h"
#include "documents/company_header.h"
#include "documents/service_order/os_mec_1.h"
#include "documents/service_order/os_mec_2.h"
#include "documents/service_order/os_mec_3.h"
#include "report/controls.h"
#include "report/report.h"

namespace tarvek {

using report::TRLImage;
using report::TRLLabel;
using report::TRLMemo;

namespace {

// The documents of the segment "MECANICA", by kind (compared exactly).
struct DocumentChoice {
    const char* tipo;
    OsLayoutKind layout;
    bool expedicao;  // the dispatch variant: no amounts
};

constexpr DocumentChoice kDocuments[] = {
    {"ORDEM_SERVICO", OsLayoutKind::Order, false},
    {"ORDEM_SERVICO_EXPEDICAO", OsLayoutKind::Order, true},
    {"ORCAMENTO", OsLayoutKind::Quote, false},
    {"ORCAMENTO_EXPEDICAO", OsLayoutKind::Quote, true},
    {"AUTORICAO_MECANICO", OsLayoutKind::Authorisation, false},
};

template <typename Layout>
std::unique_ptr<TfrmOSLayout> create(TdtmEmail& dtm) {
    return std::make_unique<Layout>(dtm);
}

std::string w(const char* utf8) {
    return utf8_to_cp1252(utf8);
}

// Status captions by STATUS_ORD; other values have none.
std::string status_caption(std::int64_t status) {
    static const char* const kCaptions[] = {
        "",
        "Status: Orçamento",
        "Status: Em Serviço",
        "Status: Pronto",
        "Status: Faturada",
        "Status: Garantia em Andamento",
        "Status: Garantia Pronta",
        "",
    };
    if (status < 0 || status >= static_cast<std::int64_t>(std::size(kCaptions))) return {};
    return w(kCaptions[status]);
}

bool blank(const std::string& text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) > ' ') return false;
    }
    return true;
}

std::string line_or_empty(const std::vector<std::string>& lines, std::size_t index) {
    return index < lines.size() ? lines[index] : std::string();
}

// The order's customer, on the receivables database.
std::vector<std::string> customer_query(const std::string& codigo) {
    return {"Select c.* ,", "Iif ( tipocli='J' , cnpj , cpf )  cpf_cnpj ,",
            "Iif ( tipocli='J' or tipocli='A'  , Ie,  identidade  )  rg_ie ", "from Clientes c",
            "Where codigo=" + codigo};
}

}  // namespace

// What the job does differently per layout.
struct ServiceOrderJob::LayoutRow {
    OsLayoutKind kind;
    std::unique_ptr<TfrmOSLayout> (*create)(TdtmEmail&);
    // The item band's price columns and the order total, which the dispatch
    // variant hides; layouts without items have none.
    const char* unit_price = nullptr;
    const char* line_total = nullptr;
    const char* order_total = nullptr;
    // The memo that prints the instruction's informative text (the
    // instalments), if any.
    const char* informative_memo = nullptr;
    // The memo that prints the quote's standard text, if any.
    const char* quote_memo = nullptr;
    // With the small logo the title band loses the logo's height; the
    // authorisation keeps it, or its signature lines and services text would
    // be cut off.
    bool title_band_shrinks = true;
    // Shown in the preview whatever the operation.
    bool always_preview = false;
};

const ServiceOrderJob::LayoutRow& ServiceOrderJob::layout_row(OsLayoutKind kind) {
    static const LayoutRow kLayouts[] = {
        {.kind = OsLayoutKind::Order,
         .create = create<TfrmOS_Mec_1>,
         .unit_price = "edtvlr",
         .line_total = "edttot",
         .order_total = "edtTotal",
         .informative_memo = "stringParcelas"},
        {.kind = OsLayoutKind::Quote,
         .create = create<TfrmOS_Mec_2>,
         .unit_price = "edtVlr",
         .line_total = "edtTot",
         .order_total = "edttotal",
         .quote_memo = "memoOs_mec_orc"},
        {.kind = OsLayoutKind::Authorisation,
         .create = create<TfrmOS_Mec_3>,
         .title_band_shrinks = false,
         .always_preview = true},
    };
    for (const LayoutRow& row : kLayouts) {
        if (row.kind == kind) return row;
    }
    throw std::logic_error("service order: no layout row for a layout kind");
}

ServiceOrderJob::ServiceOrderJob(TdtmEmail& dtm, DocumentRequest request,
                                 ServiceOrderOptions options)
    : DocumentJob(dtm, std::move(request)), options_(std::move(options)), itens_(dtm) {}

JobResult ServiceOrderJob::run() {
    const DocumentChoice* choice = nullptr;
    if (options_.segmento_os == "MECANICA") {
        for (const DocumentChoice& c : kDocuments) {
            if (options_.tipo_os == c.tipo) choice = &c;
        }
    }
    if (!choice) {
        // Nothing to produce is said, not silently ended.
        report::show_message(w("Nenhum documento de ordem de serviço para o segmento \"") +
                             options_.segmento_os + w("\" e o tipo \"") + options_.tipo_os + "\".");
        return {};
    }
    const bool expedicao = choice->expedicao;
    const LayoutRow& layout = layout_row(choice->layout);

    std::unique_ptr<TfrmOSLayout> form = layout.create(dtm());
    MemoryTable* tblItens = form->Itens();
    if (tblItens) itens_.trata_itens_da_os(*tblItens, "create", {});

    open_order_and_customer(*form);
    fill_company_header(dtm(), form->Report(), form->Name());
    fill_status(*form);
    fill_pictures(*form, layout);
    if (tblItens) itens_.grava_dados_necessarios_tbl_item(form->qryOS, *tblItens, expedicao);
    fill_vehicle_and_payment(*form, layout);
    if (tblItens && expedicao) hide_prices(*form, layout);

    if (layout.always_preview) return preview(form->Report());
    return deliver(form->Report(), "OrdemServico",
                   "Ordem_servico_" + cp1252_to_utf8(options_.numero_os) + ".pdf");
}

void ServiceOrderJob::open_order_and_customer(TfrmOSLayout& form) const {
    Query& qryOS = form.qryOS;
    qryOS.set_sql(request().sql_documento);
    qryOS.open();
    const std::string numero = options_.numero_os.size() > 1 ? options_.numero_os.substr(1) : "";
    if (qryOS.eof()) {
        if (numero.empty()) {
            throw Error(w("A instrução não informa o número da ordem de serviço (cod_ord)."));
        }
        throw Error(w("A ordem de serviço ") + numero + w(" não existe."));
    }
    const Field& cod_cli = qryOS.field_by_name("Cod_cli");
    if (cod_cli.is_null()) {
        throw Error(w("A ordem de serviço ") + numero + w(" não tem cliente (COD_CLI vazio)."));
    }
    form.qryCliente.set_sql_lines(customer_query(cod_cli.as_string()));
    form.qryCliente.open();
}

void ServiceOrderJob::fill_status(TfrmOSLayout& form) const {
    std::string status = status_caption(form.qryOS.field_by_name("STATUS_ORD").as_integer());
    const std::string ficha = form.qryOS.field_by_name("cod_ficha").as_string();
    if (!ficha.empty()) status += "  Ficha: " + ficha;
    form.Component<TRLLabel>("edtStatusEmp").SetCaption(status);
}

void ServiceOrderJob::fill_pictures(TfrmOSLayout& form, const LayoutRow& layout) const {
    TdtmEmail& data = dtm();
    const auto config = [&data](const char* key) { return data.Busca_Valor_Referencia(key); };
    const std::string logo = config("edtImagemOS1") + config("edtImagemOS2");
    auto& imgLogo1 = form.Component<TRLImage>("imgLogo1");
    auto& imgLogo2 = form.Component<TRLImage>("imgLogo2");
    Load_foto_da_os("NAO", imgLogo1);
    Load_foto_da_os("NAO", imgLogo2);
    if (form.Itens() && Verifica_Sim(config("chkMemoOS_Ass"))) {
        form.Component<TRLMemo>("memoOs_mec")
            .SetLines(split_lines(data.Busca_Valor_Referencia_Memo("MEMOOS_ASS")));
    }
    if (layout.quote_memo) {
        form.Component<TRLMemo>(layout.quote_memo)
            .SetLines(split_lines(data.Busca_Valor_Referencia_Memo("MEMOOS_MEC_ORC")));
    }
    auto& bandLogo1 = form.Component<report::TRLPanel>("bandLogo1");
    if (Verifica_Sim(config("chkLogoGrande"))) {
        Load_foto_da_os(logo, imgLogo1);
        imgLogo1.SetTop(0);
        imgLogo1.SetLeft(0);
        bandLogo1.SetHeight(80);
        imgLogo2.SetVisible(false);
        for (const char* name :
             {"edtnomeEmp", "edtEndemp", "edtBaiEmp", "edtCnpjEmp", "edtemailemp"}) {
            form.Component<TRLLabel>(name).SetLeft(50);
        }
    } else {
        // The small logo sits in the header: everything below moves up.
        imgLogo1.SetVisible(false);
        bandLogo1.SetHeight(0);
        for (const char* name : {"band2", "band3"}) {
            auto& panel = form.Component<report::TRLPanel>(name);
            panel.SetTop(panel.Top() - 80);
        }
        if (layout.title_band_shrinks) {
            auto& bandTitle = form.Component<report::TRLBand>("bandTitle");
            bandTitle.SetHeight(bandTitle.Height() - 80);
        }
        Load_foto_da_os(logo, imgLogo2);
    }
    Load_foto_da_os(form.qryOS.field_by_name("FOTO").as_string(),
                    form.Component<TRLImage>("foto_da_os"));
}

void ServiceOrderJob::fill_vehicle_and_payment(TfrmOSLayout& form, const LayoutRow& layout) const {
    const auto caption = [&form](const char* name, const std::string& text) {
        form.Component<TRLLabel>(name).SetCaption(text);
    };
    // The authorisation fills its chassis and year too, so that they do not
    // print their captions a second time.
    const std::vector<std::string> acessorios =
        split_lines(form.qryOS.field_by_name("ACESS_ORD").as_string());
    caption("lblChassi", line_or_empty(acessorios, 0));
    caption("lblAno", line_or_empty(acessorios, 3));
    if (!form.Itens()) return;

    caption("lblCondOs", line_or_empty(acessorios, 1));
    caption("lblGarantiaOs", line_or_empty(acessorios, 2));
    if (layout.informative_memo) {
        form.Component<TRLMemo>(layout.informative_memo).SetLines(request().informativo);
    }

    std::string acrescimo = dtm().Busca_Valor_Referencia("edtDescicaoAcres");
    if (blank(acrescimo)) acrescimo = w("Acréscimo/Desconto: ");
    auto& lblDesc = form.Component<TRLLabel>("lblDesc");
    auto& edtDesc = form.Component<report::TRLDBText>("edtDesc");
    lblDesc.SetVisible(false);
    edtDesc.SetVisible(false);
    const double desconto = form.qryOS.field_by_name("DESC_ACRE").as_float();
    if (desconto != 0) {
        lblDesc.SetVisible(true);
        edtDesc.SetVisible(true);
        lblDesc.SetCaption(desconto > 0 ? acrescimo : std::string("Desconto:"));
    }
}

// The dispatch variant shows no amounts; the total's caption stays.
void ServiceOrderJob::hide_prices(TfrmOSLayout& form, const LayoutRow& layout) {
    auto& lblDesc = form.Component<TRLLabel>("lblDesc");
    lblDesc.SetCaption("");
    lblDesc.SetVisible(false);
    for (const char* name :
         {layout.unit_price, layout.line_total, "edtDesc", layout.order_total, "edtMemoFormas"}) {
        form.Component<report::TRLCustomControl>(name).SetVisible(false);
    }
}

}  // namespace tarvek
