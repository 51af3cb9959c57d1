// The boleto layout forms as the job finds them: the components it reaches
// by name, every control of the component tables, the declared fields; and
// the job's answer to a layout code it does not know.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "base/errors.h"
#include "data/firebird/dtm_email.h"
#include "documents/boleto/boleto_banrisul.h"
#include "documents/boleto/boleto_bradesco.h"
#include "documents/boleto/boleto_cresol.h"
#include "documents/boleto/boleto_itau.h"
#include "documents/boleto/boleto_job.h"
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
    int controls;
    bool informativo, observation, receipt_band, compact_receipt, logo_places;
    int agencia_cedente, nosso_numero_str;
    std::vector<const char*> extra_fields;  // beyond NOMEBENEFICIARIO ... ACEITE
};

void PrintTo(const FormCase& c, std::ostream* os) {
    *os << c.label;
}

template <typename Form>
std::unique_ptr<TfrmBoletoLayout> make(TdtmEmail& dtm) {
    return std::make_unique<Form>(dtm);
}

std::vector<FormCase> form_cases() {
    return {
        {"Sicredi",
         make<TfrmBoletoSicredi>,
         2 + 33 + 159,
         true,
         false,
         true,
         false,
         false,
         30,
         62,
         {}},
        {"SicrediBooklet",
         make<TfrmBoletoSicredi_Carne>,
         1 + 115,
         false,
         false,
         false,
         false,
         false,
         30,
         62,
         {}},
        {"Sicoob",
         make<TfrmBoletoSicoob>,
         1 + 168 - 1 + 6,
         true,
         true,
         false,
         true,
         false,
         18,
         32,
         {"END_1_BENEFICIARIO", "CARTEIRA", "OBSCLIENTE"}},
        {"Bradesco",
         make<TfrmBoletoBradesco>,
         1 + 168,
         true,
         true,
         false,
         false,
         false,
         20,
         48,
         {"END_1_BENEFICIARIO", "CARTEIRA", "OBSCLIENTE"}},
        {"Itau",
         make<TfrmBoletoItau>,
         1 + 168 + 4 - 2,
         true,
         true,
         false,
         false,
         false,
         20,
         48,
         {"END_1_BENEFICIARIO", "CARTEIRA", "NOMESACADOR", "CPFCNPJSACADOR", "OBSCLIENTE"}},
        {"Banrisul",
         make<TfrmBoletoBanrisul>,
         1 + 168 + 18 - 6,
         true,
         true,
         false,
         false,
         false,
         25,
         48,
         {"END_1_BENEFICIARIO", "CARTEIRA", "AGENCIA", "CEDENTE", "NOMESACADOR", "CPFCNPJSACADOR",
          "OBSCLIENTE"}},
        {"Cresol",
         make<TfrmBoletoCresol>,
         1 + 168 - 2 + 8,
         true,
         true,
         false,
         true,
         true,
         20,
         48,
         {"END_1_BENEFICIARIO", "CARTEIRA", "NOMECEDENTE2", "OBSCLIENTE"}},
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

TEST(BoletoJobCodes, AnUnknownLayoutCodeIsAnErrorNotASilentSuccess) {
    TdtmEmail dtm;
    for (const char* code : {"748-b", "237 ", "", "999"}) {
        BoletoOptions options;
        options.banco_layout = code;
        BoletoJob job(dtm, DocumentRequest{.operacao = "email"}, options);
        try {
            job.run();
            ADD_FAILURE() << "'" << code << "' accepted";
        } catch (const Error& e) {
            EXPECT_EQ(std::string(e.what()),
                      std::string("Leiaute de boleto desconhecido: \"") + code + "\"");
        }
    }
}

}  // namespace
}  // namespace tarvek
