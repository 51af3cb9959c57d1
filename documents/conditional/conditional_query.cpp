#include "documents/conditional/conditional_query.h"

#include <vector>

#include "base/cp1252.h"
#include "base/errors.h"
#include "base/format.h"
#include "base/string_helpers.h"
#include "data/firebird/dtm_email.h"

namespace tarvek {

ConditionalQuery build_conditional_query(TdtmEmail& dtm, const std::string& idInstrucao,
                                         const std::string& parametros) {
    const std::vector<std::string> valores = parameter_values(parametros, 3);
    const std::string& numero = valores[0];
    // Spliced into the SQL and the file name: anything but digits could
    // change the query or point outside the output folder.
    if (Somente_Digitos(numero) != numero) {
        throw Error(utf8_to_cp1252("Número de pacote inválido na instrução ") + idInstrucao +
                    ": \"" + numero + utf8_to_cp1252("\" (só dígitos são aceitos)."));
    }
    ConditionalQuery query;
    query.options.numero_pacote = "0" + numero;
    query.sql = "Select * from PACOTEVENDA where nro_pacote=" + query.options.numero_pacote;
    dtm.qryTar1.set_sql(query.sql);
    dtm.qryTar1.open();

    query.options.tipo_condicional = valores[1];
    query.options.imprime_valores = valores[2];
    return query;
}

std::string load_CB_Grade(TdtmEmail& dtm, const std::string& cod_mer, const std::string& nome_gra,
                          const std::string& id_grade, bool habilitado) {
    if (!habilitado) return {};
    // A negative id means no grade, like 0: look the grade up by its name.
    const bool por_id = !id_grade.empty() && str_to_int(id_grade) > 0;
    const std::string condicao =
        por_id ? "     cod_mer=0" + cod_mer + " and id_grade=0" + id_grade
               : "     cod_mer=0" + cod_mer + " and nome_gra=" + sql_quoted(nome_gra);
    if (!dtm.SelectFile("SG", "GRADES_PRODUTOS_P", condicao)) return {};
    return dtm.qryTarSG.field_by_name("cod_bar").as_string();
}

}  // namespace tarvek
