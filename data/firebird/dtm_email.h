// The data module: the two database connections (main "Tarvek" and
// receivables "Receber"), their transactions, the general queries, the
// instruction keys, the generic selection and the configuration lookups.
//
// One instance lives for the whole process and owns all of these. Layout
// queries of the jobs bind to dtbTarvek/dtbReceber and their transactions and
// must be destroyed before this module.
#pragma once

#include <string>
#include <string_view>

#include "data/firebird/firebird.h"
#include "data/firebird/query.h"

namespace tarvek {

class TdtmEmail {
  public:
    TdtmEmail();
    ~TdtmEmail();
    TdtmEmail(const TdtmEmail&) = delete;
    TdtmEmail& operator=(const TdtmEmail&) = delete;

    // The fixed connection parameters of both databases.
    static const std::vector<std::string>& connection_params();

    Database dtbTarvek{"dtbTarvek"};
    Database dtbReceber{"dtbReceber"};
    Transaction ibtTarvek;
    Transaction ibtReceber;
    Query qryRec1;
    Query qryTar1;
    Query qryconfig;
    Query qryTarSG;

    // The instruction string as last copied in by the dispatch, and the two
    // values stored by every connect.
    std::string instrucao;
    std::string id_instrucao;
    std::string operacao;

    // The value of one key ("Tarvek=", "operacao=", ...) of `instrucao`: the
    // first ";"-segment that contains the key, without regard to ASCII case,
    // decides; its value is what follows the segment's first "=". Empty when
    // no segment holds the key.
    std::string load_dados_parametro(std::string_view key) const;

    // Connect (true) or disconnect (false) the receivables / main database.
    // Connecting closes the bound queries, drops an open connection (its
    // transaction commits) and attaches to the path the instruction names.
    void dtmConectReceber(bool conectar);
    void dtmConectTarvek(bool conectar);

    // "Select * From <tabela> Where ( <condicao> )" on the target's query
    // ("R1", "S1", "SG", case-sensitive); true when a row came back. The
    // target "CLOSE" (any case) closes qryTar1 and qryRec1. Other targets do
    // nothing and answer false.
    bool SelectFile(std::string_view alvo, std::string_view tabela, std::string_view condicao);

    // Campo_Valor / memo_contrato of the Config_Geral row whose Campo_Ref is
    // the upper-cased key; empty when there is none or the value is null.
    std::string Busca_Valor_Referencia(std::string_view ref);
    std::string Busca_Valor_Referencia_Memo(std::string_view ref);

  private:
    void connect(Database& db, Transaction& tr, std::string_view key);
    void disconnect(Database& db, Transaction& tr);
    bool lookup_config(std::string_view ref);
};

}  // namespace tarvek
