#include "documents/service_order/service_order_job.h"

#include <filesystem>
#include <memory>

#include "base/cp1252.h"
#include "base/errors.h"
#include "base/string_helpers.h"
#include "base/text_lines.h"
#include "data/firebird/dtm_email.h"
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
struct LayoutChoice {
    const char* tipo;
    int layout;
    const char* tipo_simples;  // the plain kind of a dispatch variant, else null
};

constexpr LayoutChoice kLayouts[] = {
    {"ORDEM_SERVICO", 1, nullptr},      {"ORDEM_SERVICO_EXPEDICAO", 1, "ORDEM_SERVICO"},
    {"ORCAMENTO", 2, nullptr},          {"ORCAMENTO_EXPEDICAO", 2, "ORCAMENTO"},
    {"AUTORICAO_MECANICO", 3, nullptr},
};

// What the dispatch variant hides, by layout: the item band's price
// columns and the order total.
struct PriceControls {
    const char* unitario;
    const char* total_linha;
    const char* total_ordem;
};

PriceControls price_controls(int layout) {
    if (layout == 2) return {"edtVlr", "edtTot", "edttotal"};
    return {"edtvlr", "edttot", "edtTotal"};
}

std::unique_ptr<TfrmOSLayout> create_layout(int layout, TdtmEmail& dtm) {
    if (layout == 1) return std::make_unique<TfrmOS_Mec_1>(dtm);
    if (layout == 2) return std::make_unique<TfrmOS_Mec_2>(dtm);
    return std::make_unique<TfrmOS_Mec_3>(dtm);
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

}  // namespace

ServiceOrderJob::ServiceOrderJob(TdtmEmail& dtm, DocumentRequest request,
                                 ServiceOrderOptions& options)
    : DocumentJob(dtm, std::move(request)), options_(options), itens_(dtm) {}

JobResult ServiceOrderJob::run() {
    const LayoutChoice* choice = nullptr;
    if (options_.segmento_os == "MECANICA") {
        for (const LayoutChoice& c : kLayouts) {
            if (options_.tipo_os == c.tipo) choice = &c;
        }
    }
    if (!choice) {
        // Nothing to produce is said, not silently ended.
        report::show_message(w("Nenhum documento de ordem de serviço para o segmento \"") +
                             options_.segmento_os + w("\" e o tipo \"") + options_.tipo_os + "\".");
        return {};
    }
    const bool expedicao = choice->tipo_simples != nullptr;
    if (expedicao) options_.tipo_os = choice->tipo_simples;
    const int layout = choice->layout;

    std::unique_ptr<TfrmOSLayout> form = create_layout(layout, dtm());
    MemoryTable* tblItens = form->Itens();
    if (tblItens) itens_.trata_itens_da_os(*tblItens, "create", {});

    // The order, then its customer.
    Query& qryOS = form->qryOS;
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
    std::vector<std::string> customer_sql = form->qryCliente.sql();
    customer_sql.resize(std::max<std::size_t>(customer_sql.size(), 6));
    customer_sql[5] = "Where codigo=" + cod_cli.as_string();
    form->qryCliente.set_sql_lines(customer_sql);
    form->qryCliente.open();

    const auto config = [this](const char* key) { return dtm().Busca_Valor_Referencia(key); };
    const auto caption = [&form](const char* name, const std::string& text) {
        form->Component<TRLLabel>(name).SetCaption(text);
    };

    // Company header.
    caption("edtnomeEmp", config("sql_emp"));
    caption("edtEndemp", config("sql_end"));
    caption("edtBaiEmp", config("sql_bai"));
    caption("edtcidUfemp", config("sql_ciduf"));
    caption("edtCnpjEmp", "CNPJ: " + config("sql_cnpj"));
    caption("edtIeemp", "IE: " + config("sql_ie"));
    caption("edtcepemp", "CEP: " + config("sql_cep"));
    caption("edtemailemp", config("sql_emaiol"));
    caption("edtf1Emp", config("sql_fon1"));
    caption("edtF2emp", config("sql_fon2"));
    caption("edtfaxemp", config("sql_fax"));
    if (layout == 1) caption("lblCidadeUf", config("sql_ciduf"));

    // Status line.
    std::string status = status_caption(qryOS.field_by_name("STATUS_ORD").as_integer());
    const std::string ficha = qryOS.field_by_name("cod_ficha").as_string();
    if (!ficha.empty()) status += "  Ficha: " + ficha;
    caption("edtStatusEmp", status);

    // Pictures and fixed texts.
    const std::string logo = config("edtImagemOS1") + config("edtImagemOS2");
    auto& imgLogo1 = form->Component<TRLImage>("imgLogo1");
    auto& imgLogo2 = form->Component<TRLImage>("imgLogo2");
    Load_foto_da_os("NAO", imgLogo1);
    Load_foto_da_os("NAO", imgLogo2);
    if (tblItens && Verifica_Sim(config("chkMemoOS_Ass"))) {
        form->Component<TRLMemo>("memoOs_mec")
            .SetLines(split_lines(dtm().Busca_Valor_Referencia_Memo("MEMOOS_ASS")));
    }
    if (layout == 2) {
        form->Component<TRLMemo>("memoOs_mec_orc")
            .SetLines(split_lines(dtm().Busca_Valor_Referencia_Memo("MEMOOS_MEC_ORC")));
    }
    auto& bandLogo1 = form->Component<report::TRLPanel>("bandLogo1");
    if (Verifica_Sim(config("chkLogoGrande"))) {
        Load_foto_da_os(logo, imgLogo1);
        imgLogo1.SetTop(0);
        imgLogo1.SetLeft(0);
        bandLogo1.SetHeight(80);
        imgLogo2.SetVisible(false);
        for (const char* name :
             {"edtnomeEmp", "edtEndemp", "edtBaiEmp", "edtCnpjEmp", "edtemailemp"}) {
            form->Component<TRLLabel>(name).SetLeft(50);
        }
    } else {
        // The small logo sits in the header: everything below moves up.
        imgLogo1.SetVisible(false);
        bandLogo1.SetHeight(0);
        for (const char* name : {"band2", "band3"}) {
            auto& panel = form->Component<report::TRLPanel>(name);
            panel.SetTop(panel.Top() - 80);
        }
        // Layout 3 keeps its band: its signature lines and services text stay
        // where they are, and a shorter band would cut the text off.
        if (layout != 3) {
            auto& bandTitle = form->Component<report::TRLBand>("bandTitle");
            bandTitle.SetHeight(bandTitle.Height() - 80);
        }
        Load_foto_da_os(logo, imgLogo2);
    }
    Load_foto_da_os(qryOS.field_by_name("FOTO").as_string(),
                    form->Component<TRLImage>("foto_da_os"));

    if (tblItens) itens_.grava_dados_necessarios_tbl_item(qryOS, *tblItens, expedicao);

    // Vehicle and payment lines. Layout 3 fills its chassis and year too, so
    // that they do not print their captions a second time.
    const std::vector<std::string> acessorios =
        split_lines(qryOS.field_by_name("ACESS_ORD").as_string());
    caption("lblChassi", line_or_empty(acessorios, 0));
    caption("lblAno", line_or_empty(acessorios, 3));
    if (tblItens) {
        caption("lblCondOs", line_or_empty(acessorios, 1));
        caption("lblGarantiaOs", line_or_empty(acessorios, 2));
        if (layout == 1) form->Component<TRLMemo>("stringParcelas").SetLines(request().informativo);

        std::string acrescimo = config("edtDescicaoAcres");
        if (blank(acrescimo)) acrescimo = w("Acréscimo/Desconto: ");
        auto& lblDesc = form->Component<TRLLabel>("lblDesc");
        auto& edtDesc = form->Component<report::TRLDBText>("edtDesc");
        lblDesc.SetVisible(false);
        edtDesc.SetVisible(false);
        const double desconto = qryOS.field_by_name("DESC_ACRE").as_float();
        if (desconto != 0) {
            lblDesc.SetVisible(true);
            edtDesc.SetVisible(true);
            lblDesc.SetCaption(desconto > 0 ? acrescimo : std::string("Desconto:"));
        }

        // The dispatch variant shows no amounts; the total's caption stays.
        if (expedicao) {
            lblDesc.SetCaption("");
            lblDesc.SetVisible(false);
            const PriceControls prices = price_controls(layout);
            for (const char* name : {prices.unitario, prices.total_linha, "edtDesc",
                                     prices.total_ordem, "edtMemoFormas"}) {
                form->Component<report::TRLCustomControl>(name).SetVisible(false);
            }
        }
    }

    if (layout == 3) return preview(form->Report());
    return deliver(form->Report(), "OrdemServico",
                   "Ordem_servico_" + cp1252_to_utf8(options_.numero_os) + ".pdf");
}

}  // namespace tarvek
