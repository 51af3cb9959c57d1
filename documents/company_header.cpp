#include "documents/company_header.h"

#include "data/firebird/dtm_email.h"
#include "documents/layout_component.h"
#include "report/controls.h"

namespace tarvek {

namespace {

struct HeaderLine {
    const char* key;
    const char* label;
    const char* prefix;
    bool only_where_present = false;
};

constexpr HeaderLine kCompanyHeader[] = {
    {"sql_emp", "edtnomeEmp", ""},        {"sql_end", "edtEndemp", ""},
    {"sql_bai", "edtBaiEmp", ""},         {"sql_ciduf", "edtcidUfemp", ""},
    {"sql_cnpj", "edtCnpjEmp", "CNPJ: "}, {"sql_ie", "edtIeemp", "IE: "},
    {"sql_cep", "edtcepemp", "CEP: "},    {"sql_emaiol", "edtemailemp", ""},
    {"sql_fon1", "edtf1Emp", ""},         {"sql_fon2", "edtF2emp", ""},
    {"sql_fax", "edtfaxemp", ""},         {"sql_ciduf", "lblCidadeUf", "", true},
};

}  // namespace

void fill_company_header(TdtmEmail& dtm, report::TRLCustomSite& root, const std::string& form) {
    for (const HeaderLine& line : kCompanyHeader) {
        if (line.only_where_present && !root.Find(line.label)) continue;
        layout_component<report::TRLLabel>(root, form, line.label)
            .SetCaption(line.prefix + dtm.Busca_Valor_Referencia(line.key));
    }
}

}  // namespace tarvek
