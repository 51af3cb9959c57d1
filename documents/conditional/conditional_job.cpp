#include "documents/conditional/conditional_job.h"

#include <memory>
#include <vector>

#include "base/cp1252.h"
#include "base/errors.h"
#include "base/string_helpers.h"
#include "data/firebird/dtm_email.h"
#include "documents/company_header.h"
#include "documents/conditional/conditional_items.h"
#include "documents/conditional/conditional_layout.h"
#include "report/report.h"

namespace tarvek {

using report::TRLDBText;
using report::TRLLabel;

namespace {

const char* const kKinds[] = {"CONDICIONAL", "PACOTE", "DEVOLUCAO"};

bool known_kind(const std::string& tipo) {
    for (const char* kind : kKinds) {
        if (tipo == kind) return true;
    }
    return false;
}

// The package's customer, on the receivables database; the "0" keeps the
// condition valid for a package without a customer code.
std::vector<std::string> customer_query(const std::string& codigo) {
    return {"Select c.* ,", "Iif ( tipocli='J' , cnpj , cpf )  cpf_cnpj ,",
            "Iif ( tipocli='J' , Ie , identidade )  rg_ie ", "from Clientes c",
            "Where codigo=0" + codigo};
}

}  // namespace

ConditionalJob::ConditionalJob(TdtmEmail& dtm, DocumentRequest request, ConditionalOptions options)
    : DocumentJob(dtm, std::move(request)), options_(std::move(options)) {}

JobResult ConditionalJob::run() {
    const std::string& tipo = options_.tipo_condicional;
    if (!known_kind(tipo)) {
        report::show_message(utf8_to_cp1252("Tipo de documento condicional não reconhecido: \"") +
                             tipo +
                             utf8_to_cp1252("\" (os tipos são CONDICIONAL, PACOTE e DEVOLUCAO). "
                                            "Nenhum documento foi gerado."));
        return {};
    }
    TdtmEmail& data = dtm();
    const auto cfg = [&](const char* key) { return data.Busca_Valor_Referencia(key); };
    const auto option_on = [&](const char* key) { return Verifica_Sim(cfg(key)); };

    auto form = std::make_unique<TfrmCondicinal_Mod_1>(data);
    const auto label = [&](const char* name) -> TRLLabel& {
        return form->Component<TRLLabel>(name);
    };

    // Unit prices with two decimals or three.
    Field& vlr_uni = form->tblItens.field_by_name("vlr_uni");
    vlr_uni.set_edit_format(
        numero_de_configuracao("edtMerDecVenda", cfg("edtMerDecVenda")) == 2 ? "#0.00" : "#0.000");
    vlr_uni.set_display_format(vlr_uni.edit_format());

    Query& pacote = form->qryCondicional;
    pacote.set_sql(request().sql_documento);
    pacote.open();
    if (pacote.is_empty()) {
        throw Error(utf8_to_cp1252("Nenhum pacote de venda com o número ") +
                    options_.numero_pacote + utf8_to_cp1252(": nenhum documento foi gerado."));
    }
    const auto campo = [&](const char* name) { return pacote.field_by_name(name).as_string(); };

    Query& cliente = form->qryCliente;
    cliente.set_sql_lines(customer_query(campo("COD_CLI")));
    cliente.open();

    fill_company_header(data, form->Modelo1, TfrmCondicinal_Mod_1::kName);

    auto& logo = form->Component<report::TRLImage>("imgLogo");
    Load_foto_da_os("NAO", logo);
    Load_foto_da_os(cfg("edtImagemOS1") + cfg("edtImagemOS2"), logo);

    std::string titulo;
    if (tipo == "CONDICIONAL") {
        if (option_on("chkPrint_Titulo_cond")) {
            titulo = cfg("edtTitulo_Cond");
        } else if (campo("FORMA_PAG") == utf8_to_cp1252("Devolução")) {
            titulo = "D E V O L U C A O";
        } else if (const std::string flag = campo("FLAG_PCTE");
                   flag.size() >= 2 && flag[1] == 'O') {
            titulo = "O R C A M E N T O";
        } else {
            titulo = "C O N D I C I O N A L";
        }
    } else if (tipo == "PACOTE") {
        titulo = cfg("edtTituloPedido");
        if (titulo.empty()) titulo = "Pedido de Venda";
    } else {
        titulo = cfg("edtTitulo_Devol");
        if (titulo.empty()) titulo = utf8_to_cp1252("Devolução de produtos");
    }
    label("edtTitulloCondicional").SetCaption(titulo);

    grava_dados_necessarios_tbl_item_Condicional(data, pacote, *form, options_.imprime_valores);

    // A customer code without a customer row prints like a customer without
    // a record: from what the package holds.
    const bool com_cadastro =
        pacote.field_by_name("COD_CLI").as_integer() > 0 && !cliente.is_empty();
    if (com_cadastro) {
        const auto do_cliente = [&](const char* name) {
            return cliente.field_by_name(name).as_string();
        };
        label("lblCliente").SetCaption("Cliente: " + campo("COD_CLI") + " - " + do_cliente("nome"));
        label("lblFantasia").SetCaption(do_cliente("fantasia"));
        label("lblCidade").SetCaption("Cidade: " + do_cliente("Cidade") + " / " + do_cliente("uf"));
        label("lblBairro").SetCaption(do_cliente("bairro"));
        label("lblFone").SetCaption("Fone: " + do_cliente("fone1"));
    } else {
        label("lblCliente").SetCaption("Cliente: " + campo("NOM_CLI"));
        label("lblFantasia").SetCaption("");
        label("lblCidade").SetCaption("Cidade: " + campo("LINHA_OBS3"));
        label("lblBairro").SetCaption("");
        label("lblFone").SetCaption("Fone: " + campo("TRANSP"));
    }
    label("lblCpfCnpj").SetCaption("CPF/CNPJ: " + campo("CPF_CLI"));
    label("lblEndereco").SetCaption("Endereco: " + campo("END_CLI"));
    label("lblVendedor").SetCaption(campo("OPERADOR"));

    label("lblcomissao").SetCaption("");
    if (option_on("chkPrintComCondic")) {
        label("lblcomissao").SetCaption(utf8_to_cp1252("Comissão: ") + campo("COM_VEN") + "%");
    }
    label("lblLc5").SetCaption(data.Busca_Valor_Referencia_Memo("Mens_condicional"));

    label("lblTransp").SetCaption("");
    if (option_on("chkTransportadorCond") &&
        data.SelectFile("S1", "Transportadores", "cod_tra=0" + campo("COD_TRA"))) {
        label("lblTransp")
            .SetCaption("Transportador: " + data.qryTar1.field_by_name("nome_tra").as_string());
    }

    for (const char* name : {"lblLd1", "lblLd2", "lblLd3"}) label(name).SetCaption("");
    if (option_on("chkDeclara")) {
        label("lblLd1").SetCaption(utf8_to_cp1252(
            "Declaro que recebi e pagarei as mercadorias referentes a este orçamento."));
        label("lblLd2").SetCaption(
            "RECONHECO A VENDA ACIMA CITADA. Ass.________________________________________");
        label("lblLd3").SetCaption(campo("NOM_CLI"));
    }

    // Discount and freight only when there is one; the total takes the place
    // of what is missing.
    const bool desconto = pacote.field_by_name("VLR_DES").as_float() > 0;
    const bool frete = pacote.field_by_name("VLR_FRETE").as_float() > 0;
    label("lblDesc").SetVisible(desconto);
    form->Component<TRLDBText>("edtDesc").SetVisible(desconto);
    label("lblFrete").SetVisible(frete);
    form->Component<TRLDBText>("edtFrete").SetVisible(frete);
    if (!frete) {
        label("lbltotal").SetTop(desconto ? label("lblFrete").Top() : label("lblDesc").Top());
        form->Component<TRLDBText>("edtTotal").SetTop(label("lbltotal").Top());
    }

    if (options_.imprime_valores == "NAO") {
        for (const char* name : {"lblDesc", "lblFrete", "lbltotal", "lblLd1", "lblLd2", "lblLd3"}) {
            label(name).SetVisible(false);
        }
        for (const char* name : {"edtDesc", "edtFrete", "edtTotal"}) {
            form->Component<TRLDBText>(name).SetVisible(false);
        }
    }

    return deliver(form->Modelo1, tipo, tipo + "_" + options_.numero_pacote + ".pdf");
}

}  // namespace tarvek
