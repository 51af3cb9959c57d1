#include "documents/conditional/conditional_items.h"

#include <vector>

#include "base/errors.h"
#include "base/format.h"
#include "base/string_helpers.h"
#include "data/firebird/dtm_email.h"
#include "documents/conditional/conditional_layout.h"
#include "documents/conditional/conditional_query.h"

namespace tarvek {

namespace {

// Complement text in characters 1-48 of COPLEMENTO, a marker in 49-50.
constexpr std::size_t kComplementLength = 48;
// The marker that leaves the product's short name out of the description.
constexpr const char* kSemNomeCurto = "F6";

constexpr double kHalfSheetHeightMm = 148.0;
constexpr double kFullSheetHeightMm = 297.0;

std::string complemento(const std::string& coplemento) {
    return coplemento.substr(0, kComplementLength);
}

bool sem_nome_curto(const std::string& coplemento) {
    return coplemento.size() > kComplementLength &&
           coplemento.substr(kComplementLength, 2) == kSemNomeCurto;
}

}  // namespace

int numero_de_configuracao(const char* chave, const std::string& texto) {
    try {
        return str_to_int("0" + texto);
    } catch (const ConvertError& e) {
        throw ConvertError(std::string(chave) + ": " + e.what());
    }
}

ConditionalItemOptions ConditionalItemOptions::read(TdtmEmail& dtm) {
    ConditionalItemOptions o;
    if (Verifica_Sim(dtm.Busca_Valor_Referencia("chk_cond_2Codigo"))) {
        o.segundo_codigo = numero_de_configuracao(
            "edt_Cond_2Codigo", dtm.Busca_Valor_Referencia("edt_Cond_2Codigo").substr(0, 2));
    }
    o.nome_completo = Verifica_Sim(dtm.Busca_Valor_Referencia("chkImpnomepro"));
    o.grade_habilitada = dtm.Busca_Valor_Referencia("chkGradePro") == "SIM";
    o.itens_meia_folha =
        numero_de_configuracao("edtItensModCondicion",
                               Somente_Digitos(dtm.Busca_Valor_Referencia("edtItensModCondicion")));
    o.folha_inteira = Verifica_Sim(dtm.Busca_Valor_Referencia("chkTam_var_condicion"));
    return o;
}

void grava_dados_necessarios_tbl_item_Condicional(TdtmEmail& dtm, Dataset& consulta_pacote,
                                                  TfrmCondicinal_Mod_1& layout,
                                                  const std::string& imprime_valores) {
    const ConditionalItemOptions options = ConditionalItemOptions::read(dtm);

    Query& itens = dtm.qryTar1;
    itens.set_sql_lines({
        "select I.APE_MER, I.COD_CLI,I.COD_MER,I.COD_VEN, I.COPLEMENTO,",
        "       I.DATA_PCTE, I.GRADE, I.NRO_ITEM, I.NRO_PACOTE, I.NRO_TAB,",
        "       I.QTD_PAR, I.QTD_VEN, I.SUB_TOT, I.VLR_UNI, I.Id_grade,",
        "       M.COD_RED,M.NOM_MER,M.COD_BAR,M.REF_MER, M.UNI_MER",
        " from ITENSPACOTE I, MERCADORIAS M",
        "where I.cod_mer=M.cod_red",
        " and  I.nro_pacote=0" + consulta_pacote.field_by_name("NRO_PACOTE").as_string(),
        "order by i.nro_item",
    });
    itens.open();
    itens.first();

    MemoryTable& tabela = layout.tblItens;
    tabela.close();
    tabela.clear_rows();
    tabela.open();
    tabela.set_index_field("id_lin");

    double linhas = 0;
    double quantidade = 0;
    for (; !itens.eof(); itens.next()) {
        linhas += 1;
        quantidade += itens.field_by_name("QTD_VEN").as_float();

        const std::string cod_bar = itens.field_by_name("COD_BAR").as_string();
        std::string cod_bar_ref = cod_bar;
        if (options.segundo_codigo == 1) {
            cod_bar_ref = load_CB_Grade(dtm, itens.field_by_name("COD_MER").as_string(),
                                        itens.field_by_name("GRADE").as_string(),
                                        itens.field_by_name("ID_GRADE").as_string(),
                                        options.grade_habilitada);
            if (cod_bar_ref.empty()) cod_bar_ref = cod_bar;
        } else if (options.segundo_codigo == 2) {
            cod_bar_ref = itens.field_by_name("REF_MER").as_string();
        }

        const std::string grade = itens.field_by_name("GRADE").as_string();
        const std::string coplemento = itens.field_by_name("COPLEMENTO").as_string();
        std::string descricao;
        if (options.nome_completo) {
            // Name and grade joined without a blank, as the shop prints them.
            descricao = itens.field_by_name("NOM_MER").as_string() + grade;
        } else {
            if (!sem_nome_curto(coplemento)) descricao = itens.field_by_name("APE_MER").as_string();
            descricao += " ";
            descricao += grade;
        }
        descricao += " ";
        descricao += complemento(coplemento);

        tabela.append({
            itens.field_by_name("COD_MER").as_integer(),
            cod_bar_ref,
            descricao,
            itens.field_by_name("QTD_VEN").as_float(),
            itens.field_by_name("UNI_MER").as_string(),
            itens.field_by_name("VLR_UNI").as_float(),
            itens.field_by_name("SUB_TOT").as_float(),
            static_cast<std::int64_t>(linhas),
        });
    }

    // The sum of the quantities, not the number of lines.
    layout.Component<report::TRLLabel>("lblnItens")
        .SetCaption("Itens: " + float_to_str(quantidade, FormatSettings::current()));

    const bool meia_folha = options.itens_meia_folha >= linhas || !options.folha_inteira;
    layout.Modelo1.PageSetup().SetPaperHeight(meia_folha ? kHalfSheetHeightMm : kFullSheetHeightMm);

    if (imprime_valores == "NAO") {
        layout.Component<report::TRLDBText>("edtvlr").SetVisible(false);
        layout.Component<report::TRLDBText>("edttot").SetVisible(false);
    }
}

}  // namespace tarvek
