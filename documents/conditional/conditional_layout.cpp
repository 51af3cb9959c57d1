#include "documents/conditional/conditional_layout.h"

#include <vector>

#include "base/errors.h"
#include "data/firebird/dtm_email.h"
#include "report/layout.h"

namespace tarvek {

using namespace report;

namespace {

// Font heights in pixels: 7 pt = 9, 8 pt = 11, 9 pt = 12, 10 pt = 13,
// 16 pt = 21.
constexpr const char* kTimes = "Times New Roman";
// Border brush code of a horizontal hatch; borders draw solid whatever it is.
constexpr int kHorizontalHatch = 3;

// The package fields the layout and the job read.
FieldDef package(const char* name, FieldType type, int size = 0, const char* display = "") {
    return FieldDef{.name = name,
                    .type = type,
                    .size = size,
                    .display_format = display,
                    .origin = std::string("PACOTEVENDA.") + name};
}

// The customer fields the job reads; the select adds cpf_cnpj and rg_ie.
FieldDef customer(const char* name, FieldType type = FieldType::Text) {
    return FieldDef{.name = name, .type = type};
}

FieldDef item(const char* name, FieldType type, int size = 0, const char* format = "") {
    return FieldDef{
        .name = name, .type = type, .size = size, .display_format = format, .edit_format = format};
}

// Logo, title, company header; package and customer; the grey heading bar.
ControlDesign title_band() {
    return band("bandTitle", 39, 35, 716, 147)
        .type(btTitle)
        .borders(kBottom)
        .contains({
            panel("bandLogo1", 0, 0, 716, 75)
                .docked(faTop)
                .contains({
                    image("imgLogo", 0, 1, 175, 73).stretched(),
                    label("edtTitulloCondicional", 320, 1, 122, 16, "Titulo do condicional")
                        .font(13),
                    label("edtnomeEmp", 188, 17, 120, 16, "Nome da empresa")
                        .font(13, "Arial", fsBold),
                    label("edtEndemp", 188, 34, 45, 12, "Endereco:").font(9),
                    label("edtBaiEmp", 412, 34, 30, 12, "Bairro:").font(9),
                    label("edtcidUfemp", 188, 47, 49, 12, "Cidade/Uf:").font(9),
                    label("edtcepemp", 412, 47, 25, 12, "CEP:").font(9),
                    label("edtf1Emp", 500, 47, 32, 12, "Fone1:").font(9),
                    label("edtF2emp", 628, 47, 32, 12, "Fone1:").font(9),
                    label("edtCnpjEmp", 188, 60, 31, 12, "CNPJ:").font(9),
                    label("edtIeemp", 308, 60, 15, 12, "IE:").font(9),
                    label("edtemailemp", 412, 60, 26, 12, "Email").font(9),
                    label("edtfaxemp", 628, 60, 22, 12, "Fax:").font(9),
                }),
            panel("band2", 2, 76, 717, 72)
                .borders(kTop)
                .contains({
                    label("RLLabel15", 595, 3, 50, 14, "Número:").font(11, "Arial", fsBold),
                    dbtext("RLDBText2", 650, 3, 75, 14, "NRO_PACOTE").font(11, "Arial", fsBold),
                    label("lblCliente", 38, 4, 45, 15, "Cliente:").font(12),
                    label("lblFantasia", 343, 4, 45, 15, "Cliente:").font(12),
                    label("RLLabel63", 616, 18, 29, 14, "Data:").font(11, "Arial", fsBold),
                    dbtext("RLDBText8", 650, 18, 67, 14, "DATA_PCTE").font(11, "Arial", fsBold),
                    label("lblEndereco", 24, 19, 59, 15, "Endereço:").font(12),
                    label("lblCpfCnpj", 344, 19, 60, 15, "Cpf / Cnpj:").font(12),
                    label("lblCidade", 37, 34, 46, 15, "Cidade:").font(12),
                    label("lblBairro", 280, 34, 36, 15, "Bairro").font(12),
                    label("lblFone", 456, 34, 34, 15, "Fone:").font(12),
                    label("lblVendedor", 595, 34, 56, 15, "Vendedor").font(12),
                    // Blanks on silver: the bar the headings stand on.
                    label("RLLabel2", -1, 52, 879, 19, std::string(118, ' '))
                        .font(21)
                        .filled(clSilver),
                    label("RLLabel5", 145, 53, 59, 15, "Descrição").font(12).filled(clSilver),
                    label("RLLabel6", 532, 53, 67, 15, "Quantidade").font(12).filled(clSilver),
                    label("RLLabel7", 605, 53, 46, 15, "Unitário").font(12).filled(clSilver),
                    label("RLLabel8", 657, 53, 55, 15, "Sub Total").font(12).filled(clSilver),
                    label("RLLabel4", 4, 54, 43, 15, "Código").font(12).filled(clSilver),
                }),
        });
}

// One row of the item table; the description is underlined.
ControlDesign item_band() {
    return band("RLBand1", 39, 182, 716, 15)
        .contains({
            dbtext("RLDBText18", 5, 1, 38, 14, "cod_mer").font(11, kTimes).fixed_size(),
            dbtext("RLDBText21", 46, 1, 96, 14, "cod_bar_ref").font(11, kTimes).fixed_size(),
            dbtext("RLDBText28", 144, 1, 393, 14, "ape_mer")
                .font(11, kTimes)
                .fixed_size()
                .borders(kBottom)
                .border_brush(kHorizontalHatch)
                .fixed_bottom_border(),
            dbtext("RLDBText29", 541, 1, 40, 14, "qtd").font(11, kTimes).right().fixed_size(),
            dbtext("RLDBText1", 585, 1, 19, 14, "unidade").font(11, kTimes).right().fixed_size(),
            dbtext("edtvlr", 608, 1, 43, 14, "vlr_uni").font(11, kTimes).right().fixed_size(),
            dbtext("edttot", 658, 1, 50, 14, "sub_tot").font(11, kTimes).right().fixed_size(),
        });
}

// The foot of every page. lblCidadeUf lies below the band's height.
ControlDesign footer_band() {
    return band("RLBand3", 39, 197, 716, 124)
        .type(btFooter)
        .borders(kTop)
        .contains({
            label("lblTransp", 9, 5, 37, 14, "Transp").font(11),
            label("lblDesc", 580, 5, 52, 14, "Desconto:").font(11).right(),
            dbtext("edtDesc", 640, 5, 66, 15, "VLR_DES").font(12).right().fixed_size(),
            label("lblnItens", 508, 6, 44, 14, "Itens: 99").font(11).right(),
            label("RLLabel1", 9, 21, 29, 14, "Obs.:").font(11).right(),
            dbtext("edtObs1", 46, 21, 35, 15, "OBS1").font(12),
            label("lblFrete", 601, 21, 31, 14, "Frete:").font(11).right(),
            dbtext("edtFrete", 640, 21, 66, 15, "VLR_FRETE").font(12).right().fixed_size(),
            label("lbltotal", 555, 36, 40, 16, "Total:").font(13, "Arial", fsBold),
            dbtext("edtObs2", 46, 37, 2, 15, "OBS2").font(12),
            dbtext("edtTotal", 600, 37, 106, 15, "SUB_TOT")
                .font(11, "Arial", fsBold)
                .right()
                .fixed_size(),
            label("lblLd1", 9, 54, 694, 14, "lblLC5").font(11).fixed_size(),
            label("lblLd2", 9, 70, 694, 14, "lblLC5").font(11).fixed_size(),
            label("lblLd3", 230, 86, 360, 14, "lblLC5").font(11).fixed_size(),
            label("lblLc5", 3, 107, 590, 14, "lblLC5").font(11).fixed_size(),
            label("lblcomissao", 608, 107, 100, 14, "comissao").font(11).right().fixed_size(),
            label("lblCidadeUf", 13, 136, 54, 14, "cidade / uf").font(11),
        });
}

}  // namespace

TfrmCondicinal_Mod_1::TfrmCondicinal_Mod_1(TdtmEmail& dtm)
    : qryCondicional("qryCondicional", dtm.dtbTarvek, dtm.ibtTarvek),
      qryCliente("qryCliente", dtm.dtbReceber, dtm.ibtReceber) {
    const FieldDef package_fields[] = {
        package("NRO_PACOTE", FieldType::Integer),
        package("DATA_PCTE", FieldType::Date),
        package("COD_CLI", FieldType::Integer),
        package("NOM_CLI", FieldType::Text, 50),
        package("END_CLI", FieldType::Text, 50),
        package("CPF_CLI", FieldType::Text, 18),
        package("LINHA_OBS3", FieldType::Text, 50),
        package("TRANSP", FieldType::Text, 50),
        package("FORMA_PAG", FieldType::Text, 15),
        package("FLAG_PCTE", FieldType::Text, 10),
        package("OBS1", FieldType::Text, 80),
        package("OBS2", FieldType::Text, 80),
        package("OPERADOR", FieldType::Text, 30),
        package("COM_VEN", FieldType::Decimal, 4),
        package("COD_TRA", FieldType::Integer),
        package("VLR_DES", FieldType::Decimal, 2, "#0.00"),
        package("VLR_FRETE", FieldType::Decimal, 2, "#0.00"),
        package("SUB_TOT", FieldType::Decimal, 2, "#0.00"),
    };
    for (const FieldDef& f : package_fields) qryCondicional.declare_field(f);
    qryCondicional.set_sql_lines({"Select * from pacoteVenda", "", ""});

    const FieldDef customer_fields[] = {
        customer("codigo", FieldType::Integer),
        customer("nome"),
        customer("fantasia"),
        customer("Cidade"),
        customer("uf"),
        customer("bairro"),
        customer("fone1"),
        customer("cpf_cnpj"),
        customer("rg_ie"),
    };
    for (const FieldDef& f : customer_fields) qryCliente.declare_field(f);

    tblItens.declare_field(item("cod_mer", FieldType::Integer));
    tblItens.declare_field(item("cod_bar_ref", FieldType::Text, 20));
    tblItens.declare_field(item("ape_mer", FieldType::Text, 150));
    tblItens.declare_field(item("qtd", FieldType::Float, 0, "#0.00"));
    tblItens.declare_field(item("unidade", FieldType::Text, 5));
    tblItens.declare_field(item("vlr_uni", FieldType::Float, 0, "#0.00"));
    tblItens.declare_field(item("sub_tot", FieldType::Float, 0, "#0.00"));
    tblItens.declare_field(item("id_lin", FieldType::Integer));

    // Half an A4 sheet; the item table may switch it to a whole one.
    Modelo1.OwnerName = kName;
    Modelo1.DataSource = &dtsItenscond;
    Modelo1.SaveFilter = &RLPDFFilter1;
    Modelo1.SetTitle("Boleto");
    Modelo1.PreviewOptions.Caption = "Venda";
    Modelo1.PageSetup().SetPaperSize(fpCustom);
    Modelo1.PageSetup().SetPaperWidth(210.0);
    Modelo1.PageSetup().SetPaperHeight(148.0);
    Modelo1.Margins.TopMargin = 9.0;
    Modelo1.Margins.BottomMargin = 9.0;
    Modelo1.Borders().SetSides(sdAll);
    Font font;
    font.name = "Arial";
    font.height = -13;
    Modelo1.SetFont(font);

    // The item band reads the item table, the others the package.
    build_layout(Modelo1, {title_band()}, &dtsCondicinal);
    build_layout(Modelo1, {item_band()}, &dtsItenscond);
    build_layout(Modelo1, {footer_band()}, &dtsCondicinal);

    RLPDFFilter1.DisplayName = "Documento PDF";
}

TfrmCondicinal_Mod_1::~TfrmCondicinal_Mod_1() = default;

}  // namespace tarvek
