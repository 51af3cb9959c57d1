#include "documents/boleto/boleto_layout.h"

#include "base/errors.h"
#include "base/string_helpers.h"

namespace tarvek {

namespace {

FieldDef text(const char* name, int size) {
    return FieldDef{.name = name,
                    .type = FieldType::Text,
                    .size = size,
                    .origin = std::string("BOLETOS.") + name};
}
FieldDef integer(const char* name) {
    return FieldDef{
        .name = name, .type = FieldType::Integer, .origin = std::string("BOLETOS.") + name};
}
FieldDef date(const char* name) {
    return FieldDef{
        .name = name, .type = FieldType::Date, .origin = std::string("BOLETOS.") + name};
}
FieldDef decimal(const char* name, const char* display_format = "") {
    return FieldDef{.name = name,
                    .type = FieldType::Decimal,
                    .size = 2,
                    .display_format = display_format,
                    .origin = std::string("BOLETOS.") + name};
}
// The builder's constant columns: fixed-length and required.
FieldDef constant(std::string name, int size) {
    return FieldDef{.name = std::move(name),
                    .type = FieldType::Text,
                    .size = size,
                    .fixed_char = true,
                    .required = true};
}

}  // namespace

TfrmBoletoLayout::TfrmBoletoLayout(std::string form_name, TdtmEmail& dtm, const BoletoBank& bank,
                                   PaidValueFormat paid_value)
    : qryBoleto("qryBoleto", dtm.dtbReceber, dtm.ibtReceber), name_(std::move(form_name)) {
    const FieldDef boleto_fields[] = {
        integer("CHAVEBOLETO"),
        integer("CHAVECONTACORRENTE"),
        integer("COD_CLI"),
        text("NRO_TIT", 20),
        integer("NRO_PAR"),
        text("TIT_EXPORTADO", 1),
        text("BOLETOIMPRESSO", 1),
        text("NOMESACADO", 50),
        text("CNPJCPFSACADO", 19),
        text("ENDERECOEMAILSACADO", 64),
        text("ENDERECOSACADO", 60),
        text("BAIRROSACADO", 30),
        text("CIDADESACADO", 30),
        text("ESTADOSACADO", 2),
        text("CEPSACADO", 10),
        date("DATAVENCIMENTO"),
        decimal("VALORBOLETO", "#0.00"),
        decimal("VALORPAGO", paid_value == PaidValueFormat::TwoDecimals ? "#0.00" : ""),
        date("DATAPAGAMENTO"),
        text("NOSSONUMERO", 20),
        decimal("PERCENTUALJUROS"),
        decimal("PERCENTUALMULTA"),
        decimal("PERCENTUALDESCONTO"),
        decimal("VALOROUTROSACRESCIMOS"),
        text("DESMONSTRATIVO", 250),
        text("INSTRUCOESCAIXA", 250),
        text("LIN_ADC1", 80),
        text("LIN_ADC2", 80),
        text("LIN_ADC3", 80),
        text("LIN_ADC4", 80),
        text("LIN_ADC5", 80),
        text("LIN_ADC6", 80),
        text("LIN_ADC7", 80),
        date("DATAEMISSAO"),
        integer("NRO_BANCO"),
        text("CODBARRAS", 44),
        text("LINHADIGITAVEL", 55),
    };
    for (const FieldDef& f : boleto_fields) qryBoleto.declare_field(f);
    // The ERP's older databases have no Pix column: their boletos print
    // without the Pix block.
    FieldDef pix = text(kPixField, 512);
    pix.optional = true;
    qryBoleto.declare_field(pix);

    const auto declare_columns = [&](const std::vector<BoletoColumn>& columns) {
        for (const BoletoColumn& column : columns) {
            qryBoleto.declare_field(constant(ascii_upper(column.alias), column.declared_width()));
        }
    };
    declare_columns(bank.columns);
    qryBoleto.declare_field(FieldDef{
        .name = "NOSSONUMEROSTR", .type = FieldType::Text, .size = bank.nosso_numero.field_width});
    if (bank.observation != BoletoObservation::None)
        qryBoleto.declare_field(FieldDef{.name = "OBSCLIENTE", .type = FieldType::Blob});
    declare_columns(bank.columns_after);
    // The report walks the boletos once, forward: a batch of any size reads
    // them without keeping them.
    qryBoleto.set_unidirectional(true);

    // A4 portrait, the engine's margins, Arial 13 px.
    Boleto.OwnerName = name_;
    Boleto.DataSource = &dtsboleto;
    Boleto.SaveFilter = &RLPDFFilter1;
    Boleto.SetTitle("Boleto");
    Boleto.PreviewOptions.Caption = "Boleto";
    report::Font font;
    font.name = "Arial";
    font.height = -13;
    Boleto.SetFont(font);
    RLPDFFilter1.DisplayName = "Documento PDF";
}

TfrmBoletoLayout::~TfrmBoletoLayout() = default;

void TfrmBoletoLayout::InstallPix(const std::string& band, const std::vector<PixChange>& changes) {
    pix_.SetChanges(changes);
    // The payload as the checks and the QR code take it: without the blanks
    // a fixed-length column pads it with.
    Component<report::TRLDBMemo>("memoPix").BeforePrint =
        [](report::TRLCustomControl& /*sender*/, std::string& text, bool& /*print_it*/) {
            text.erase(text.find_last_not_of(' ') + 1);
        };
    auto& site = Component<report::TRLBand>(band);
    site.BeforePrint = [this, layout_handler = std::move(site.BeforePrint)](
                           report::TRLCustomControl& sender, bool& print_it) {
        // The block first: the layout's handler sees the boleto's geometry.
        pix_.Update();
        if (layout_handler) layout_handler(sender, print_it);
    };
}

}  // namespace tarvek
