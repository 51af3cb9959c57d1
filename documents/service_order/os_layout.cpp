#include "documents/service_order/os_layout.h"

#include "base/errors.h"
#include "documents/service_order/item_table.h"

namespace tarvek {

namespace {

std::string origin(const char* name) {
    return std::string("ORDEM_SERVICO.") + name;
}
FieldDef text(const char* name, int size) {
    return FieldDef{.name = name, .type = FieldType::Text, .size = size, .origin = origin(name)};
}
FieldDef integer(const char* name) {
    return FieldDef{.name = name, .type = FieldType::Integer, .origin = origin(name)};
}
FieldDef date(const char* name) {
    return FieldDef{.name = name, .type = FieldType::Date, .origin = origin(name)};
}
FieldDef decimal(const char* name, const char* display_format = "") {
    return FieldDef{.name = name,
                    .type = FieldType::Decimal,
                    .size = 2,
                    .display_format = display_format,
                    .origin = origin(name)};
}
FieldDef memo(const char* name) {
    return FieldDef{.name = name, .type = FieldType::Memo, .origin = origin(name)};
}

}  // namespace

TfrmOSLayout::TfrmOSLayout(std::string form_name, TdtmEmail& dtm)
    : qryOS("qryOS", dtm.dtbTarvek, dtm.ibtTarvek),
      qryCliente("qryCliente", dtm.dtbReceber, dtm.ibtReceber),
      name_(std::move(form_name)) {
    // The columns of ordem_servico the layouts and the job read.
    const FieldDef order_fields[] = {
        integer("COD_ORD"),
        integer("COD_CLI"),
        date("DATA_ORD"),
        date("DATA_FEC"),
        date("DATA_VENC"),
        text("HORA_ABE", 8),
        text("PLA_VEI", 10),
        text("NOM_VEI", 30),
        text("NRO_SERIE", 30),
        text("MARCA", 30),
        text("QUEM_LEVOU", 30),
        text("MODELO", 50),
        decimal("KM_VEI"),
        decimal("KM_FEITA"),
        text("FROTA_VEI", 5),
        text("OBS", 80),
        memo("DES_SER"),
        memo("ACESS_ORD"),
        memo("LAUDO_ORD"),
        memo("MEMO_FORMA_PAG"),
        memo("FOTO"),
        integer("STATUS_ORD"),
        text("COD_FICHA", 10),
        integer("QUEM_REC"),
        integer("QUEM_FEZ"),
        integer("QUEM_CON"),
        text("QUEM_RETIROU", 30),
        decimal("TOT_ORD", "#,##0.00"),
        decimal("DESC_ACRE", "#,##0.00"),
    };
    for (const FieldDef& f : order_fields) qryOS.declare_field(f);
    qryOS.set_sql_lines({"Select * from ordem_servico", "", ""});

    // The customer columns the layouts print.
    qryCliente.declare_field(FieldDef{.name = "CODIGO", .type = FieldType::Integer});
    for (const char* name :
         {"NOME", "ENDERECO", "BAIRRO", "CIDADE", "UF", "CEP", "CPF_CNPJ", "RG_IE", "FONE1",
          "FONE2", "FAX1", "FAX2", "CELULAR", "CONTATO", "EMAIL"}) {
        qryCliente.declare_field(FieldDef{.name = name, .type = FieldType::Text});
    }
    RLPDFFilter1.DisplayName = "Documento PDF";
}

TfrmOSLayout::~TfrmOSLayout() = default;

void TfrmOSLayout::setup_report(report::TRLReport& report, report::TDataSource* source) {
    report.OwnerName = name_;
    report.DataSource = source;
    report.SaveFilter = &RLPDFFilter1;
    report.Borders().SetSides(report::sdAll);
    report.SetTitle("Boleto");
    report.PreviewOptions.Caption = "Boleto";
    report::Font font;
    font.name = "Arial";
    font.height = -13;
    report.SetFont(font);
}

TfrmOSItensLayout::TfrmOSItensLayout(std::string form_name, TdtmEmail& dtm)
    : TfrmOSLayout(std::move(form_name), dtm) {
    declare_tbl_itens(tblItens);
}

}  // namespace tarvek
