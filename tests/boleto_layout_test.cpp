// The boleto layout forms as the job finds them: the components it reaches
// by name, every control of the component tables, the declared fields; and
// the table of banks they belong to.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <typeinfo>

#include "base/errors.h"
#include "data/firebird/dtm_email.h"
#include "documents/boleto/boleto_banks.h"
#include "documents/boleto/boleto_banrisul.h"
#include "documents/boleto/boleto_bradesco.h"
#include "documents/boleto/boleto_cresol.h"
#include "documents/boleto/boleto_itau.h"
#include "documents/boleto/boleto_sicoob.h"
#include "documents/boleto/boleto_sicredi.h"
#include "documents/boleto/boleto_sicredi_carne.h"

namespace tarvek {
namespace {

int count_controls(const report::TRLCustomSite& site) {
    int n = 0;
    for (const auto& child : site.Children()) {
        ++n;
        if (const auto* s = dynamic_cast<const report::TRLCustomSite*>(child.get()))
            n += count_controls(*s);
    }
    return n;
}

struct FormCase {
    const char* label;
    std::function<std::unique_ptr<TfrmBoletoLayout>(TdtmEmail&)> create;
    // Bands plus the rows of the component tables: Bradesco's 168; the
    // others as their tables add and remove (Banrisul's two report labels
    // included).
    int controls = 0;
    bool informativo = false;      // memoInformativo
    bool observation = false;      // edtObscliente
    bool receipt_band = false;     // bandComprovante
    bool compact_receipt = false;  // memoComp1 to memoComp3
    bool logo_places = false;      // img1 to img3
    int agencia_cedente = 0;
    int nosso_numero_str = 0;
    std::vector<const char*> extra_fields;  // beyond NOMEBENEFICIARIO ... ACEITE
};

void PrintTo(const FormCase& c, std::ostream* os) {
    *os << c.label;
}

template <typename Form>
std::unique_ptr<TfrmBoletoLayout> make(TdtmEmail& dtm) {
    return std::make_unique<Form>(dtm);
}

// Every layout holds the Pix block: the QR code, two captions and the payload.
constexpr int kPixBlock = 4;

std::vector<FormCase> form_cases() {
    const std::vector<const char*> bradesco_fields = {"END_1_BENEFICIARIO", "CARTEIRA",
                                                      "OBSCLIENTE"};
    std::vector<const char*> guarantor_fields = bradesco_fields;
    guarantor_fields.insert(guarantor_fields.end(), {"NOMESACADOR", "CPFCNPJSACADOR"});
    std::vector<const char*> banrisul_fields = guarantor_fields;
    banrisul_fields.insert(banrisul_fields.end(), {"AGENCIA", "CEDENTE"});
    std::vector<const char*> cresol_fields = bradesco_fields;
    cresol_fields.push_back("NOMECEDENTE2");
    return {
        {.label = "Sicredi",
         .create = make<TfrmBoletoSicredi>,
         .controls = 2 + 33 + 159 + kPixBlock,
         .informativo = true,
         .receipt_band = true,
         .agencia_cedente = 30,
         .nosso_numero_str = 62},
        {.label = "SicrediBooklet",
         .create = make<TfrmBoletoSicredi_Carne>,
         .controls = 1 + 115 + kPixBlock,
         .agencia_cedente = 30,
         .nosso_numero_str = 62},
        {.label = "Sicoob",
         .create = make<TfrmBoletoSicoob>,
         .controls = 1 + 168 - 1 + 6 + kPixBlock,
         .informativo = true,
         .observation = true,
         .compact_receipt = true,
         .agencia_cedente = 18,
         .nosso_numero_str = 32,
         .extra_fields = bradesco_fields},
        {.label = "Bradesco",
         .create = make<TfrmBoletoBradesco>,
         .controls = 1 + 168 + kPixBlock,
         .informativo = true,
         .observation = true,
         .agencia_cedente = 20,
         .nosso_numero_str = 48,
         .extra_fields = bradesco_fields},
        {.label = "Itau",
         .create = make<TfrmBoletoItau>,
         .controls = 1 + 168 + 4 - 2 + kPixBlock,
         .informativo = true,
         .observation = true,
         .agencia_cedente = 20,
         .nosso_numero_str = 48,
         .extra_fields = guarantor_fields},
        {.label = "Banrisul",
         .create = make<TfrmBoletoBanrisul>,
         .controls = 1 + 168 + 18 - 6 + kPixBlock,
         .informativo = true,
         .observation = true,
         .agencia_cedente = 25,
         .nosso_numero_str = 48,
         .extra_fields = banrisul_fields},
        {.label = "Cresol",
         .create = make<TfrmBoletoCresol>,
         .controls = 1 + 168 - 2 + 8 + kPixBlock,
         .informativo = true,
         .observation = true,
         .compact_receipt = true,
         .logo_places = true,
         .agencia_cedente = 20,
         .nosso_numero_str = 48,
         .extra_fields = cresol_fields},
    };
}

class BoletoForms : public ::testing::TestWithParam<FormCase> {};

TEST_P(BoletoForms, HoldTheirComponentsAndFields) {
    const FormCase& c = GetParam();
    TdtmEmail dtm;
    const std::unique_ptr<TfrmBoletoLayout> form = c.create(dtm);

    EXPECT_EQ(count_controls(form->Boleto), c.controls);
    EXPECT_EQ(form->Boleto.DataSource, &form->dtsboleto);
    EXPECT_EQ(form->dtsboleto.DataSet, &form->qryBoleto);

    const auto has = [&](const char* name, const char* class_name) {
        report::TRLCustomControl* control = form->Boleto.Find(name);
        if (control) {
            EXPECT_STREQ(control->ClassName(), class_name) << name;
        }
        return control != nullptr;
    };
    EXPECT_EQ(has("memoInformativo", "TRLMemo"), c.informativo);
    EXPECT_EQ(has("edtObscliente", "TRLDBMemo"), c.observation);
    EXPECT_EQ(has("bandComprovante", "TRLBand"), c.receipt_band);
    for (const char* memo : {"memoComp1", "memoComp2", "memoComp3"}) {
        EXPECT_EQ(has(memo, "TRLMemo"), c.compact_receipt) << memo;
        if (c.compact_receipt) {
            EXPECT_FALSE(form->Boleto.Find(memo)->Visible()) << memo;
        }
    }
    for (const char* image : {"img1", "img2", "img3"})
        EXPECT_EQ(has(image, "TRLImage"), c.logo_places) << image;
    // The Pix block is hidden until a boleto carries a payload, and its
    // column may be missing from the ERP's database.
    EXPECT_TRUE(has("qrPix", "TRLDBQRCode"));
    EXPECT_TRUE(has("memoPix", "TRLDBMemo"));
    for (const char* pix : {"qrPix", "lblPagueComPix", "lblPixCopiaECola", "memoPix"})
        EXPECT_FALSE(form->Boleto.Find(pix)->Visible()) << pix;
    EXPECT_TRUE(form->qryBoleto.field_by_name("PIXCOPIAECOLA").def().optional);

    EXPECT_EQ(form->qryBoleto.field_by_name("AGENCIACEDENTE").size(), c.agencia_cedente);
    EXPECT_EQ(form->qryBoleto.field_by_name("NOSSONUMEROSTR").size(), c.nosso_numero_str);
    for (const char* field : {"NOMESACADOR", "AGENCIA", "CEDENTE", "NOMECEDENTE2", "CARTEIRA",
                              "END_1_BENEFICIARIO", "OBSCLIENTE"}) {
        const bool declared =
            std::find_if(c.extra_fields.begin(), c.extra_fields.end(), [&](const char* f) {
                return std::string(f) == field;
            }) != c.extra_fields.end();
        EXPECT_EQ(form->qryBoleto.find_field(field) != nullptr, declared) << field;
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, BoletoForms, ::testing::ValuesIn(form_cases()),
                         [](const auto& param_info) {
                             return std::string(param_info.param.label);
                         });

// A row added by copying another must not leave two banks with one number,
// two layouts with one code (one PDF name), or a layout class in two rows
// (its fields would follow whichever comes first).
TEST(BoletoBanks, NumbersCodesAndLayoutClassesAreEachInOneRow) {
    TdtmEmail dtm;
    std::set<int> numbers;
    std::set<std::string> codes;
    for (const BoletoBank& bank : boleto_banks()) {
        EXPECT_TRUE(numbers.insert(bank.number).second) << bank.number;
        EXPECT_EQ(BoletoBank::find(bank.number), &bank);
        EXPECT_EQ(bank.layouts.size(), bank.layout_setting ? 2U : 1U) << bank.number;
        for (const BoletoLayoutEntry& layout : bank.layouts) {
            EXPECT_TRUE(codes.insert(layout.code).second) << layout.code;
            EXPECT_EQ(&BoletoBank::of(*layout.type), &bank) << layout.code;
            const std::unique_ptr<TfrmBoletoLayout> form = layout.create(dtm);
            const TfrmBoletoLayout& made = *form;
            EXPECT_TRUE(typeid(made) == *layout.type) << layout.code;
        }
    }
    EXPECT_EQ(BoletoBank::find(1), nullptr);
    EXPECT_THROW(BoletoBank::of(typeid(TfrmBoletoLayout)), Error);
}

}  // namespace
}  // namespace tarvek
