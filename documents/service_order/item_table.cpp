#include "documents/service_order/item_table.h"

#include <algorithm>
#include <string_view>

#include "base/cp1252.h"
#include "base/format.h"
#include "base/string_helpers.h"
#include "base/text_lines.h"
#include "data/firebird/dtm_email.h"
#include "data/memory_table.h"

namespace tarvek {

namespace {

constexpr const char* kAmount = "#,##0.00";
constexpr std::size_t kChunk = 100;  // the size of desc
// The columns "add" fills, in the order of its values.
constexpr const char* kValueColumns[] = {"cod", "ncm", "desc", "qtd", "vlr", "tot"};

FieldDef text(const char* name, int size) {
    return FieldDef{.name = name, .type = FieldType::Text, .size = size};
}

std::string w(const char* utf8) {
    return utf8_to_cp1252(utf8);
}

std::string money(const Field& field) {
    const FormatSettings& fs = FormatSettings::current();
    if (const Decimal* d = std::get_if<Decimal>(&field.value()))
        return format_float(kAmount, *d, fs);
    return format_float(kAmount, field.as_float(), fs);
}

// A section total, exact for the NUMERIC columns the amounts come in.
class Total {
  public:
    void add(const Field& field) {
        if (const Decimal* d = std::get_if<Decimal>(&field.value())) {
            Decimal value = *d;
            while (value.scale < sum_.scale) {
                value.units *= 10;
                ++value.scale;
            }
            while (sum_.scale < value.scale) {
                sum_.units *= 10;
                ++sum_.scale;
            }
            sum_.units += value.units;
        } else {
            other_ += field.as_float();
        }
    }
    std::string text() const {
        const FormatSettings& fs = FormatSettings::current();
        if (other_ == 0) return format_float(kAmount, sum_, fs);
        return format_float(kAmount, sum_.to_double() + other_, fs);
    }

  private:
    Decimal sum_;
    double other_ = 0;
};

// The position of a field of the table; raises the missing field's error.
std::size_t column_of(MemoryTable& tabela, std::string_view name) {
    for (std::size_t i = 0; i < tabela.field_count(); ++i) {
        if (ascii_iequals(tabela.field(i).name(), name)) return i;
    }
    tabela.field_by_name(name);
    return tabela.field_count();
}

std::vector<std::string> rule_row() {
    return {std::string(30, '_'), std::string(10, '_'), std::string(90, '_'),
            std::string(20, '_'), std::string(20, '_'), std::string(20, '_')};
}

}  // namespace

void declare_tbl_itens(MemoryTable& tabela) {
    tabela.declare_field(text("cod", 40));
    tabela.declare_field(text("ncm", 20));
    tabela.declare_field(text("desc", 100));
    tabela.declare_field(text("qtd", 20));
    tabela.declare_field(text("vlr", 20));
    tabela.declare_field(text("tot", 20));
    tabela.declare_field(FieldDef{.name = "id_lin", .type = FieldType::Integer});
    tabela.declare_field(text("c1", 50));
    tabela.declare_field(text("c2", 75));
    tabela.declare_field(text("c3", 100));
}

ServiceOrderItems::ServiceOrderItems(TdtmEmail& dtm) : dtm_(dtm) {}

void ServiceOrderItems::trata_itens_da_os(MemoryTable& tabela, const std::string& comando,
                                          const std::vector<std::string>& valores) {
    if (comando == "create") {
        contador_linhas_ = 0;
        tabela.clear_rows();
        tabela.open();
        tabela.set_index_field("id_lin");
    } else if (comando == "add") {
        ++contador_linhas_;
        std::vector<FieldValue> row(tabela.field_count());
        row[column_of(tabela, "id_lin")] = std::int64_t{contador_linhas_};
        const std::size_t given = std::min(valores.size(), std::size(kValueColumns));
        for (std::size_t i = 0; i < given; ++i)
            row[column_of(tabela, kValueColumns[i])] = valores[i];
        tabela.append(std::move(row));
    }
}

std::string ServiceOrderItems::nome_do_mecanico(const std::string& codigo) {
    // After a lookup that found nothing the fields are null: an empty name.
    dtm_.SelectFile("S1", "Mecanico", "Cod_Mec=" + codigo);
    return dtm_.qryTar1.field_by_name("NOM_MEC").as_string();
}

void ServiceOrderItems::linhas_de_texto(MemoryTable& tabela, const std::string& texto,
                                        const std::string& rotulo) {
    bool primeira = true;
    for (const std::string& linha : split_lines(texto)) {
        std::string_view resto = linha;
        while (!resto.empty()) {
            const std::string_view pedaco = resto.substr(0, kChunk);
            trata_itens_da_os(tabela, "add", {primeira ? rotulo : "", "", std::string(pedaco)});
            primeira = false;
            resto.remove_prefix(pedaco.size());
        }
    }
}

void ServiceOrderItems::grava_dados_necessarios_tbl_item(Dataset& consulta_os, MemoryTable& tabela,
                                                         bool expedicao) {
    const bool sem_codigo_de_barras =
        Verifica_Sim(dtm_.Busca_Valor_Referencia("chkNotCodBar_ItemOS"));
    const bool imprime_pessoas = Verifica_Sim(dtm_.Busca_Valor_Referencia("chkOsPrintRecFezConc"));
    const bool so_complemento = dtm_.Busca_Valor_Referencia("chkImprimircompl_OS") == "SIM";
    const auto add = [&](const std::vector<std::string>& valores) {
        trata_itens_da_os(tabela, "add", valores);
    };

    if (imprime_pessoas) {
        const struct {
            const char* campo;
            const char* rotulo;
        } pessoas[] = {{"QUEM_REC", "Quem recebeu:"},
                       {"QUEM_FEZ", "Quem fez:"},
                       {"QUEM_CON", "Quem concluiu:"}};
        for (const auto& p : pessoas) {
            const Field& codigo = consulta_os.field_by_name(p.campo);
            if (codigo.as_integer() > 0)
                add({w(p.rotulo), "", nome_do_mecanico(codigo.as_string())});
        }
        // A name as typed, not a mechanic's code.
        const std::string retirou = consulta_os.field_by_name("QUEM_RETIROU").as_string();
        if (!retirou.empty()) add({w("Quem retirou:"), "", retirou});
    }

    linhas_de_texto(tabela, consulta_os.field_by_name("DES_SER").as_string(),
                    w("Serviços a efetuar"));
    linhas_de_texto(tabela, consulta_os.field_by_name("LAUDO_ORD").as_string(),
                    w("Laudo conclusivo"));

    const std::string cod_ord = consulta_os.field_by_name("COD_ORD").as_string();
    Query& q = dtm_.qryTar1;

    // Products, by name.
    q.clear_sql();
    q.add_sql_line(
        "Select m.cod_ncm, m.cod_bar, m.nom_mer, m.uni_mer,  i.cod_mer, i.compl_merca, i.qtd_ord, "
        "i.vlr_uni, i.sub_total  from Itens_Ordem i, mercadorias m where i.COD_MER = m.cod_red "
        "and i.cod_ord=0" +
        cod_ord + " order by m.nom_mer");
    q.open();
    if (!q.eof()) {
        add(rule_row());
        add({w("Produtos"), "NCM", w("Descrição"), "Quantidade", w("Unitário"), "Sub total"});
        Total total;
        for (; !q.eof(); q.next()) {
            std::string codigo = q.field_by_name("Cod_mer").as_string();
            if (!sem_codigo_de_barras) codigo += " - " + q.field_by_name("cod_Bar").as_string();
            const std::string complemento = q.field_by_name("Compl_merca").as_string();
            const std::string descricao =
                so_complemento && !complemento.empty()
                    ? complemento
                    : q.field_by_name("Nom_Mer").as_string() + " " + complemento;
            add({codigo, q.field_by_name("COD_NCM").as_string(), descricao,
                 q.field_by_name("qtd_Ord").as_string() + "   " +
                     q.field_by_name("uni_mer").as_string(),
                 money(q.field_by_name("vlr_uni")), money(q.field_by_name("sub_total"))});
            total.add(q.field_by_name("sub_total"));
        }
        if (!expedicao) add({"", "", std::string(90, '-'), "Total", "Produtos:", total.text()});
    }

    // Services (type 1), in the order the database returns them.
    if (dtm_.SelectFile("S1", "SERVICO_ORDEM", "cod_ord=" + cod_ord + " and tip_ser=1")) {
        add(rule_row());
        add({w("Serviços"), "", w("Descrição"), "", "", "Sub total"});
        Total total;
        for (; !q.eof(); q.next()) {
            add({"", "", q.field_by_name("des_ser").as_string(), "", "",
                 money(q.field_by_name("sub_tot"))});
            total.add(q.field_by_name("sub_tot"));
        }
        if (!expedicao) add({"", "", std::string(90, '-'), "Total", w("Serviços:"), total.text()});
    }

    // Sundry items (type 2).
    if (dtm_.SelectFile("S1", "SERVICO_ORDEM", "cod_ord=" + cod_ord + " and tip_ser=2")) {
        add(rule_row());
        add({w("Itens diversos"), "", w("Descrição"), "Quantidade", w("Unitário"), "Sub total"});
        Total total;
        for (; !q.eof(); q.next()) {
            add({"", "", q.field_by_name("des_ser").as_string(),
                 q.field_by_name("qtd_ser").as_string() + "   " +
                     q.field_by_name("Uni_ser").as_string(),
                 money(q.field_by_name("vlr_uni")), money(q.field_by_name("sub_tot"))});
            total.add(q.field_by_name("sub_tot"));
        }
        if (!expedicao) add({"", "", std::string(90, '-'), "Total", "Diversos:", total.text()});
    }
}

}  // namespace tarvek
