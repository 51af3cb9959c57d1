#include "documents/boleto/boleto_layout.h"

#include "base/errors.h"

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
FieldDef constant(const char* name, int size) {
    return FieldDef{
        .name = name, .type = FieldType::Text, .size = size, .fixed_char = true, .required = true};
}

}  // namespace

TfrmBoletoLayout::TfrmBoletoLayout(std::string form_name, TdtmEmail& dtm,
                                   const BoletoColumnWidths& widths)
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
        decimal("VALORPAGO", widths.valor_pago_formatted ? "#0.00" : ""),
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

    qryBoleto.declare_field(constant("NOMEBENEFICIARIO", widths.nome_beneficiario));
    if (widths.end_beneficiario) {
        qryBoleto.declare_field(constant("END_1_BENEFICIARIO", widths.end_beneficiario));
        qryBoleto.declare_field(constant("END_2_BENEFICIARIO", widths.end_beneficiario));
    }
    qryBoleto.declare_field(constant("AGENCIACEDENTE", widths.agencia_cedente));
    qryBoleto.declare_field(constant("LOCALPAGTO", 100));
    qryBoleto.declare_field(constant("NROBANCOX", 5));
    qryBoleto.declare_field(constant("CNPJBENEFICIARIO", 20));
    qryBoleto.declare_field(constant("ACEITE", 5));
    if (widths.carteira) qryBoleto.declare_field(constant("CARTEIRA", widths.carteira));
    if (widths.agencia) qryBoleto.declare_field(constant("AGENCIA", widths.agencia));
    if (widths.cedente) qryBoleto.declare_field(constant("CEDENTE", widths.cedente));
    if (widths.sacador) {
        qryBoleto.declare_field(constant("NOMESACADOR", 80));
        qryBoleto.declare_field(constant("CPFCNPJSACADOR", 30));
    }
    if (widths.nome_cedente2)
        qryBoleto.declare_field(constant("NOMECEDENTE2", widths.nome_cedente2));
    qryBoleto.declare_field(FieldDef{
        .name = "NOSSONUMEROSTR", .type = FieldType::Text, .size = widths.nosso_numero_str});
    if (widths.obs_cliente)
        qryBoleto.declare_field(FieldDef{.name = "OBSCLIENTE", .type = FieldType::Blob});
    // The report walks the boletos once, forward: a batch of any size reads
    // them without keeping them.
    qryBoleto.set_unidirectional(true);

    // A4 portrait, the engine's margins, Arial 13 px.
    Boleto.OwnerName = name_;
    Boleto.DataSource = &dtsboleto;
    Boleto.SetTitle("Boleto");
    Boleto.PreviewOptions.Caption = "Boleto";
    report::Font font;
    font.name = "Arial";
    font.height = -13;
    Boleto.SetFont(font);
    RLPDFFilter1.DisplayName = "Documento PDF";
}

TfrmBoletoLayout::~TfrmBoletoLayout() = default;

}  // namespace tarvek
