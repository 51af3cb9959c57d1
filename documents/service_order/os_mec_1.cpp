#include "documents/service_order/os_mec_1.h"

namespace tarvek {

using namespace report;
using namespace os_font;

namespace {

const char* const kTimes = "Times New Roman";

// The data sources the controls read.
const char* const kOrder = "dtsOs";
const char* const kCustomer = "dtscliente";
const char* const kItems = "dtsItensOs";

ControlDesign order(ControlDesign d) {
    return d.from(kOrder);
}
ControlDesign customer(ControlDesign d) {
    return d.from(kCustomer);
}
ControlDesign item(ControlDesign d) {
    return d.from(kItems);
}

// Company and order header: captions the job fills, the order's number,
// date and time.
ControlDesign header_panel() {
    return panel("band2", 2, 100, 717, 85)
        .borders(kTop)
        .contains({
            image("imgLogo2", 0, 1, 175, 84).docked(faLeft).stretched(),
            label("edtnomeEmp", 188, 3, 80, 12, "Nome da empresa").font(k7pt),
            label("RLLabel15", 595, 3, 50, 14, "Número:").font(k8pt, "Arial", fsBold),
            order(dbtext("RLDBText2", 650, 3, 54, 14, "COD_ORD")).font(k8pt, "Arial", fsBold),
            label("edtEndemp", 188, 19, 45, 12, "Endereco:").font(k7pt),
            label("RLLabel63", 616, 19, 29, 14, "Data:").font(k8pt, "Arial", fsBold),
            order(dbtext("RLDBText8", 650, 19, 61, 14, "DATA_ORD")).font(k8pt, "Arial", fsBold),
            label("edtBaiEmp", 188, 35, 30, 12, "Bairro:").font(k7pt),
            label("edtcidUfemp", 348, 35, 49, 12, "Cidade/Uf:").font(k7pt),
            label("edtcepemp", 516, 35, 25, 12, "CEP:").font(k7pt),
            label("RLLabel66", 614, 35, 31, 14, "Hora:").font(k8pt, "Arial", fsBold),
            order(dbtext("RLDBText9", 650, 35, 60, 14, "HORA_ABE")).font(k8pt, "Arial", fsBold),
            label("edtCnpjEmp", 188, 51, 31, 12, "CNPJ:").font(k7pt),
            label("edtIeemp", 348, 51, 15, 12, "IE:").font(k7pt),
            label("edtf1Emp", 460, 51, 32, 12, "Fone1:").font(k7pt),
            label("edtF2emp", 556, 51, 32, 12, "Fone1:").font(k7pt),
            label("edtemailemp", 188, 67, 26, 12, "Email").font(k7pt),
            label("edtfaxemp", 396, 67, 22, 12, "Fax:").font(k7pt),
            label("edtStatusEmp", 520, 67, 189, 12, "Status").font(k7pt).right().fixed_size(),
        });
}

// Customer and vehicle: captions end at Left 83, values start at 89.
ControlDesign customer_panel() {
    return panel("band3", 0, 185, 716, 217)
        .borders(kTop)
        .contains({
            label("RLLabel1", 38, 4, 45, 15, "Cliente:").font(k9pt),
            customer(dbtext("RLDBText33", 89, 4, 38, 15, "CODIGO")).font(k9pt),
            customer(dbtext("RLDBText34", 143, 4, 38, 15, "NOME")).font(k9pt),
            label("RLLabel3", 24, 20, 59, 15, "Endereço:").font(k9pt),
            customer(dbtext("RLDBText35", 89, 20, 72, 15, "ENDERECO")).font(k9pt),
            label("RLLabel4", 44, 36, 39, 15, "Bairro:").font(k9pt),
            customer(dbtext("RLDBText36", 89, 36, 48, 15, "BAIRRO")).font(k9pt),
            label("RLLabel19", 304, 36, 46, 15, "Cidade:").font(k9pt),
            customer(dbtext("RLDBText5", 355, 36, 48, 15, "CIDADE")).font(k9pt),
            label("RLLabel14", 550, 36, 29, 15, "Cep:").font(k9pt),
            customer(dbtext("RLDBText10", 585, 36, 28, 15, "CEP")).font(k9pt),
            label("RLLabel5", 23, 52, 60, 15, "Cpf / Cnpj:").font(k9pt),
            customer(dbtext("RLDBText1", 89, 52, 66, 15, "CPF_CNPJ")).font(k9pt),
            label("RLLabel20", 306, 52, 44, 15, "IE / RG:").font(k9pt),
            customer(dbtext("RLDBText6", 355, 52, 39, 15, "RG_IE")).font(k9pt),
            label("RLLabel16", 557, 52, 22, 15, "UF:").font(k9pt),
            customer(dbtext("RLDBText11", 585, 52, 19, 15, "UF")).font(k9pt),
            label("RLLabel6", 29, 68, 54, 15, "Telefone:").font(k9pt),
            customer(dbtext("RLDBText3", 89, 68, 43, 15, "FONE1")).font(k9pt),
            customer(dbtext("RLDBText14", 195, 68, 43, 15, "FONE2")).font(k9pt),
            label("RLLabel21", 325, 68, 25, 15, "Fax:").font(k9pt),
            customer(dbtext("RLDBText7", 355, 68, 31, 15, "FAX1")).font(k9pt),
            customer(dbtext("RLDBText15", 443, 68, 31, 15, "FAX2")).font(k9pt),
            label("RLLabel17", 533, 68, 46, 15, "Celular:").font(k9pt),
            customer(dbtext("RLDBText12", 585, 68, 59, 15, "CELULAR")).font(k9pt),
            customer(dbtext("RLDBText13", 585, 83, 60, 15, "CONTATO")).font(k9pt),
            label("RLLabel7", 46, 84, 37, 15, "email:").font(k9pt),
            customer(dbtext("RLDBText4", 89, 84, 37, 15, "EMAIL")).font(k9pt),
            label("RLLabel18", 530, 84, 49, 15, "Contato:").font(k9pt),
            // A rule with a dot at its left end.
            label("RLLabel34", 4, 92, 709, 15, ".").font(k9pt).fixed_size().borders(kBottom),
            image("foto_da_os", 561, 111, 150, 100).stretched(),
            order(dbtext("RLDBText16", 89, 114, 50, 15, "PLA_VEI")).font(k9pt),
            order(dbtext("RLDBText25", 300, 114, 55, 15, "NOM_VEI")).font(k9pt),
            label("lblAno", 463, 114, 27, 15, "Ano:").font(k9pt),
            label("RLLabel22", 46, 115, 37, 15, "Placa:").font(k9pt),
            label("RLLabel27", 246, 115, 46, 15, "Veículo:").font(k9pt),
            label("RLLabel30", 428, 115, 27, 15, "Ano:").font(k9pt),
            // Colour, fuel and engine are kept in NRO_SERIE, MARCA and QUEM_LEVOU.
            order(dbtext("RLDBText17", 89, 130, 73, 15, "NRO_SERIE")).font(k9pt),
            order(dbtext("RLDBText26", 300, 130, 44, 15, "MARCA")).font(k9pt),
            order(dbtext("RLDBText22", 463, 130, 45, 15, "KM_VEI")).font(k9pt),
            label("RLLabel23", 57, 131, 26, 15, "Cor:").font(k9pt),
            label("RLLabel28", 217, 131, 75, 15, "Combustível:").font(k9pt),
            label("RLLabel31", 385, 131, 70, 15, "Km entrada:").font(k9pt),
            label("lblChassi", 89, 146, 46, 15, "Chassi:").font(k9pt),
            order(dbtext("RLDBText27", 300, 146, 85, 15, "QUEM_LEVOU")).font(k9pt),
            order(dbtext("RLDBText23", 463, 146, 59, 15, "KM_FEITA")).font(k9pt),
            label("RLLabel24", 37, 147, 46, 15, "Chassi:").font(k9pt),
            label("RLLabel29", 256, 147, 36, 15, "Motor:").font(k9pt),
            label("RLLabel32", 396, 147, 59, 15, "Km saida:").font(k9pt),
            order(dbtext("RLDBText19", 89, 162, 54, 15, "MODELO")).font(k9pt),
            order(dbtext("RLDBText24", 463, 162, 67, 15, "FROTA_VEI")).font(k9pt),
            label("RLLabel25", 37, 163, 46, 15, "Modelo:").font(k9pt),
            label("RLLabel33", 421, 163, 34, 15, "Frota:").font(k9pt),
            label("RLLabel26", 4, 179, 79, 15, "Observações:").font(k9pt),
            order(dbmemo("RLDBMemo1", 89, 180, 441, 14, "OBS")).font(k8pt).expands_site(),
        });
}

}  // namespace

std::vector<ControlDesign> TfrmOS_Mec_1::Design() {
    const std::string signature_line =
        "Nome e assinatura do cliente" + std::string(19, ' ') + "Cpf: ______.______.______-____";
    return {
        band("bandTitle", 39, 39, 716, 404)
            .type(btTitle)
            .borders(kBottom)
            .contains({
                label("RLLabel2", 280, 4, 136, 16, "ORDEM DE SERVIÇO").font(k10pt),
                panel("bandLogo1", 2, 23, 718, 80)
                    .contains({
                        image("imgLogo1", 51, 1, 703, 78).stretched(),
                    }),
                header_panel(),
                customer_panel(),
            }),
        // One row of the item table: headings, rules and totals print through
        // the same columns.
        band("RLBand1", 39, 443, 716, 13)
            .contains({
                item(dbtext("RLDBText18", 2, 1, 107, 14, "cod")).font(k8pt, kTimes).fixed_size(),
                item(dbtext("RLDBText21", 109, 1, 53, 14, "ncm")).font(k8pt, kTimes).fixed_size(),
                item(dbtext("RLDBText28", 163, 1, 22, 14, "desc")).font(k8pt, kTimes),
                item(dbtext("RLDBText29", 545, 1, 55, 14, "qtd"))
                    .font(k8pt, kTimes)
                    .right()
                    .fixed_size(),
                item(dbtext("edtvlr", 601, 1, 55, 14, "vlr"))
                    .font(k8pt, kTimes)
                    .right()
                    .fixed_size(),
                item(dbtext("edttot", 658, 1, 55, 14, "tot"))
                    .font(k8pt, kTimes)
                    .right()
                    .fixed_size(),
            }),
        band("RLBand3", 39, 456, 716, 260)
            .type(btSummary)
            .borders(kTop)
            .contains({
                label("RLLabel35", 1, 5, 128, 14, "Condições de pagamento:").font(k8pt),
                label("lblCondOs", 135, 5, 52, 14, "").font(k8pt),
                label("lblDesc", 499, 5, 113, 14, "Desconto / Acréscimo:").font(k8pt).right(),
                order(dbtext("edtDesc", 619, 5, 87, 15, "DESC_ACRE"))
                    .font(k9pt)
                    .right()
                    .fixed_size(),
                label("RLLabel36", 24, 21, 105, 14, "forma de pagamento:").font(k8pt),
                label("RLLabel38", 295, 21, 47, 14, "Garantia:").font(k8pt),
                label("lblGarantiaOs", 348, 21, 68, 14, "").font(k8pt),
                order(dbmemo("edtMemoFormas", 135, 22, 133, 50, "MEMO_FORMA_PAG"))
                    .font(k7pt)
                    .fixed_size()
                    .expands_site(),
                label("RLLabel41", 446, 29, 174, 16, "Total da ordem de serviço:")
                    .font(k10pt, "Arial", fsBold),
                order(dbtext("edtTotal", 618, 30, 87, 14, "TOT_ORD"))
                    .font(k8pt, "Arial", fsBold)
                    .right()
                    .fixed_size(),
                label("RLLabel39", 270, 37, 72, 14, "Data de saida:").font(k8pt),
                order(dbtext("RLDBText32", 348, 37, 57, 14, "DATA_FEC")).font(k8pt),
                label("RLLabel40", 270, 53, 72, 14, "Observações:").font(k8pt),
                order(dbmemo("RLDBMemo2", 349, 56, 357, 12, "OBS")).font(k7pt).expands_site(),
                // The instruction's informative text, such as the instalments.
                memo("stringParcelas", 7, 72, 705, 44).font(k8pt).fixed_size().expands_site(),
                label("RLLabel42", 4, 108, 709, 15, ".").font(k9pt).fixed_size().borders(kBottom),
                memo("RLMemo1", 335, 131, 376, 31,
                     {"________________________________", signature_line})
                    .font(k8pt)
                    .fixed_size()
                    .expands_site(),
                label("lblCidadeUf", 13, 136, 54, 14, "cidade / uf").font(k8pt),
                label("RLLabel43", 205, 136, 105, 14, "____/____/________").font(k8pt),
                // The configured closing text, centred at the foot.
                memo("memoOs_mec", 0, 207, 716, 53)
                    .font(k8pt)
                    .centered()
                    .fixed_size()
                    .expands_site()
                    .docked(faBottom),
            }),
    };
}

TfrmOS_Mec_1::TfrmOS_Mec_1(TdtmEmail& dtm) : TfrmOSItensLayout("frmOS_Mec_1", dtm) {
    setup_report(ModeloOS, &dtsItensOs);
    build_layout(ModeloOS, Design(), {&dtsItensOs, &dtsOs, &dtscliente});
}

}  // namespace tarvek
