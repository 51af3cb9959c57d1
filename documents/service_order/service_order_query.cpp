#include "documents/service_order/service_order_query.h"

#include <vector>

#include "base/cp1252.h"
#include "base/errors.h"
#include "base/string_helpers.h"
#include "data/firebird/dtm_email.h"

namespace tarvek {

ServiceOrderQuery build_service_order_query(TdtmEmail& dtm, const std::string& idInstrucao,
                                            const std::string& parametros) {
    const std::vector<std::string> valores = parameter_values(parametros, 3);
    const std::string& numero = valores[0];
    ServiceOrderQuery query;
    query.options.numero_os = "0" + numero;
    // The number goes into the SQL text and the file name as it stands: only
    // digits may, or a value such as "1 or 1=1" would select other orders.
    if (numero.find_first_not_of("0123456789") != std::string::npos) {
        throw Error(utf8_to_cp1252("A instrução ") + idInstrucao +
                    utf8_to_cp1252(" não informa um número de ordem de serviço válido: \"") +
                    numero +
                    utf8_to_cp1252("\" (o primeiro parâmetro deve ser cod_ord=<número>)."));
    }
    query.sql = "Select * from ordem_servico where cod_ord=" + query.options.numero_os;
    dtm.qryTar1.set_sql(query.sql);
    dtm.qryTar1.open();

    query.options.segmento_os = valores[1];
    query.options.tipo_os = valores[2];
    return query;
}

}  // namespace tarvek
