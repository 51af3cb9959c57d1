// The item table of the conditional layout: one row per package line, its
// second code and description composed from configuration options, and the
// choices that follow from the lines (item count caption, paper height,
// price columns).
#pragma once

#include <string>

namespace tarvek {

class Dataset;
class TdtmEmail;
class TfrmCondicinal_Mod_1;

// A configuration value read as a whole number: "0" followed by `texto`.
// Raises ConvertError naming the key when it is not one.
int numero_de_configuracao(const char* chave, const std::string& texto);

// The item-table options of Config_Geral.
struct ConditionalItemOptions {
    // 1 grade barcode, 2 product reference, anything else the product
    // barcode (0 unless chk_cond_2Codigo is on).
    int segundo_codigo = 0;
    bool nome_completo = false;     // chkImpnomepro: full name instead of short
    bool grade_habilitada = false;  // chkGradePro, exactly "SIM"
    int itens_meia_folha = 0;       // edtItensModCondicion: lines on a half sheet
    bool folha_inteira = false;     // chkTam_var_condicion: longer packages on A4

    // Reads the keys; a second-code mode that is not a whole number raises
    // ConvertError naming the key.
    static ConditionalItemOptions read(TdtmEmail& dtm);
};

// Fills `layout.tblItens` with the lines of the package in the current row
// of `consulta_pacote` (read on the data module's general query qryTar1, in
// item order), then sets the caption of lblnItens ("Itens: " and the sum of
// the quantities), the report's paper height (148 mm, or 297 mm for a
// package longer than a half sheet when so configured) and, when
// `imprime_valores` is exactly "NAO", hides the unit-price and line-total
// columns.
void grava_dados_necessarios_tbl_item_Condicional(TdtmEmail& dtm, Dataset& consulta_pacote,
                                                  TfrmCondicinal_Mod_1& layout,
                                                  const std::string& imprime_valores);

}  // namespace tarvek
