#include "tools/testdb_builder.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string_view>
#include <vector>

#include "base/cp1252.h"
#include "base/errors.h"
#include "base/string_helpers.h"
#include "data/firebird/firebird.h"
#include "data/firebird/firebird_client.h"
#include "data/firebird/query.h"
#include "documents/boleto/boleto_codes.h"

namespace tarvek::testdb {

namespace {

// The files are UTF-8; the server turns their accented letters into the
// WIN1252 columns.
std::vector<std::string> builder_params() {
    return {"user_name=SYSDBA", "password=pinewharf", "lc_ctype=UTF8"};
}

struct Session {
    Database db{"testdb"};
    Transaction tr{
        "testdb_tr", db, {"read_committed", "rec_version", "nowait"}, TransactionEndAction::Commit};
    Query q{"testdb_q", db, tr};

    explicit Session(const std::string& name) {
        db.set_database_name(name);
        db.set_params(builder_params());
        db.connect();
    }
    void run(const std::string& statement) {
        if (!tr.active()) tr.start();
        q.set_sql(statement);
        q.exec_sql();
        tr.commit();
    }
    // Opens a statement that returns rows; the caller reads and closes `q`.
    void open(const std::string& statement) {
        if (!tr.active()) tr.start();
        q.set_sql(statement);
        q.open();
    }
};

std::string trim_right(const std::string& s) {
    const auto end = s.find_last_not_of(" \t\r\n");
    return end == std::string::npos ? std::string() : s.substr(0, end + 1);
}

// Sample Pix "copia e cola" payloads. Their amount must equal the boleto's
// value and their CRC the text, so they are built here from their parts
// rather than written out in the SQL files. A row has either a Pix key (a
// static payload) or a charge id, appended to kPixLocation (a dynamic one).
struct PixTemplate {  // an unreserved template, tags 80 to 99
    const char* tag;
    const char* domain;
    const char* text;
};

struct PixSample {
    int boleto;  // CHAVEBOLETO
    const char* key;
    const char* charge;
    const char* merchant;  // at most 25 characters
    const char* txid;
    std::vector<PixTemplate> extra = {};
};

constexpr const char* kPixLocation = "pix.example.com.br/qr/v2/cobv/";
constexpr const char* kPixCity = "PASSO FUNDO";

const std::vector<PixSample>& pix_samples() {
    static const std::vector<PixSample> samples = {
        {2, "7d9f0335-8dcc-4054-9bf9-0dbd61b5c9a1", "", "Auto Mecanica Sao Joao", "BOL2NF1235"},
        // The apostrophe goes through the statement's quoting.
        {4, "financeiro@oficinadavila.example", "", "Oficina D'Avila Ltda", "OS2101P1"},
        {6, "", "3f6a9c21d07e4b58a1c2e9f0b4d6a873", "Auto Mecanica Sao Joao", "***"},
        {9, "12345678000195", "", "Auto Mecanica Sao Joao", "SAJ004410P01"},
        {11, "", "b81e4d0c6a2f49e3957d1c08fa3b6e25", "Auto Mecanica Sao Joao Lt", "***"},
        {13, "c4e1a8f2-39b7-4d06-8e5a-71f0d2b9c364", "", "Auto Mecanica Sao Joao", "PARC6601"},
        {14, "", "0e7c5b93d2a64f18b6e0a4c7d91f3528", "Mecanica Sao Joao", "***"},
        // Close to the 512-character limit: a long txid and three templates.
        {17,
         "5a0f7e2c-1b94-4c3d-a6e8-9d27b0f41c85",
         "",
         "Auto Mecanica Sao Joao",
         "SAJ008802PARC01NFE0008802",
         {{"80", "br.com.example.cobranca",
           "Titulo 008802 parcela 1/1: servicos de mecanica, pecas e mao de obra"},
          {"81", "br.com.example.cobranca",
           "Apos o vencimento: multa de 2% e juros de 1% ao mes; protesto em 10d"},
          {"82", "br.com.example.cobranca",
           "Duvidas: setor financeiro (54) 3311-2233, Av. Brasil Leste, 2250"}}},
        {18, "cobranca@automecanicasaojoao.example", "", "AUTO MECANICA SAO JOAO", "CRS009901"},
        {19, "", "9d3b7f1a58c04e62b0a7e4f2c16d8b39", "Auto Mecanica Sao Joao", "***"},
    };
    return samples;
}

// One EMV field: tag, two-digit length, value.
std::string tlv(std::string_view tag, std::string_view value) {
    if (value.size() > 99) {
        throw Error("Pix field " + std::string(tag) + " longer than 99 characters");
    }
    char length[3];
    std::snprintf(length, sizeof length, "%02zu", value.size());
    return std::string(tag) + length + std::string(value);
}

std::string pix_payload(const PixSample& sample, std::int64_t cents) {
    const bool dynamic = *sample.charge != '\0';
    char amount[32];
    std::snprintf(amount, sizeof amount, "%lld.%02lld", static_cast<long long>(cents / 100),
                  static_cast<long long>(cents % 100));
    std::string payload = "000201";
    if (dynamic) payload += "010212";  // point of initiation: used once
    const std::string account =
        dynamic ? tlv("25", std::string(kPixLocation) + sample.charge) : tlv("01", sample.key);
    payload += tlv("26", "0014br.gov.bcb.pix" + account);
    payload += "52040000";
    payload += "5303986";
    payload += tlv("54", amount);
    payload += "5802BR";
    payload += tlv("59", sample.merchant);
    payload += tlv("60", kPixCity);
    payload += tlv("62", tlv("05", sample.txid));
    for (const PixTemplate& t : sample.extra)
        payload += tlv(t.tag, tlv("00", t.domain) + tlv("01", t.text));
    payload += "6304";
    char crc[8];
    std::snprintf(crc, sizeof crc, "%04X", pix_crc16(payload));
    return payload + crc;
}

// Gives the sample boletos their payloads, each checked as the boleto job
// will check it, so a bad row in the table stops the build.
void add_pix_payloads(const std::string& receber_database) {
    Session session(receber_database);
    for (const PixSample& sample : pix_samples()) {
        const std::string where = " where CHAVEBOLETO = " + std::to_string(sample.boleto);
        session.open("select VALORBOLETO from boletos" + where);
        if (session.q.eof()) {
            throw Error("Boleto " + std::to_string(sample.boleto) +
                        " not found for its Pix payload");
        }
        // The sample payloads need a positive value.
        const std::optional<std::int64_t> value =
            money_cents(session.q.field_by_name("VALORBOLETO"));
        if (!value || *value <= 0) {
            throw Error("Boleto " + std::to_string(sample.boleto) +
                        ": VALORBOLETO is not a positive amount");
        }
        const std::int64_t cents = *value;
        session.q.close();
        const std::string payload = pix_payload(sample, cents);
        const std::vector<std::string> faults = pix_payload_faults(payload, cents);
        if (!faults.empty()) {
            throw Error("Boleto " + std::to_string(sample.boleto) + ": " +
                        cp1252_to_utf8(faults.front()));
        }
        session.run("update boletos set PIXCOPIAECOLA = " + sql_quoted(payload) + where);
    }
}

}  // namespace

std::string default_sql_dir() {
    // An installed builder finds its data in the share folder beside its own
    // bin folder; one in the build tree, in the sources.
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const std::filesystem::path installed =
            program.parent_path().parent_path() / "share" / "tarvek-docs" / "testdb";
        if (std::filesystem::exists(installed / "main_schema.sql", error))
            return installed.string();
    }
    return TARVEK_TESTDB_SQL_DIR;
}

void drop_if_exists(const std::string& database) {
    Database db("testdb");
    db.set_database_name(database);
    db.set_params(builder_params());
    try {
        db.connect();
    } catch (const FirebirdError&) {
        return;  // nothing there to drop
    }
    Firebird::IAttachment* attachment = db.attachment();
    fb::checked([&](auto* s) { attachment->dropDatabase(s); });
    // A successful drop ends and releases the attachment.
    db.forget_attachment();
}

void execute(const std::string& database, const std::string& statement) {
    Session session(database);
    session.run(statement);
}

void run_sql_file(const std::string& database, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw Error("Cannot read " + path);
    Session session(database);
    std::string line;
    std::string statement;
    int line_number = 0;
    int statement_line = 0;
    while (std::getline(in, line)) {
        ++line_number;
        const std::string trimmed = trim_right(line);
        if (statement.empty()) {
            const auto first = trimmed.find_first_not_of(" \t");
            if (first == std::string::npos || trimmed.compare(first, 2, "--") == 0) continue;
            statement_line = line_number;
        }
        if (!trimmed.empty() && trimmed.back() == ';') {
            statement += trimmed.substr(0, trimmed.size() - 1);
            try {
                session.run(statement);
            } catch (const Error& e) {
                throw Error(path + ":" + std::to_string(statement_line) + ": " + e.what());
            }
            statement.clear();
        } else {
            statement += line + "\n";
        }
    }
    if (!trim_right(statement).empty()) {
        throw Error(path + ":" + std::to_string(statement_line) +
                    ": statement without a final ';'");
    }
}

void build(const std::string& main_database, const std::string& receber_database,
           const std::string& sql_dir) {
    for (const std::string* name : {&main_database, &receber_database}) {
        drop_if_exists(*name);
        Database::create(*name, builder_params(), "WIN1252");
    }
    run_sql_file(main_database, sql_dir + "/main_schema.sql");
    run_sql_file(main_database, sql_dir + "/main_sample.sql");
    run_sql_file(receber_database, sql_dir + "/receber_schema.sql");
    run_sql_file(receber_database, sql_dir + "/receber_sample.sql");
    add_pix_payloads(receber_database);
}

}  // namespace tarvek::testdb
