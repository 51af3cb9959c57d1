// The boleto job: the bank's layout chosen by the query builder, adapted to
// the portfolio's options as the bank's row says, filled by the built SQL and
// saved as PDF into the folder Boletos or previewed.
#pragma once

#include "documents/boleto/boleto_options.h"
#include "documents/document_job.h"

namespace tarvek {

class Query;

class BoletoJob : public DocumentJob {
  public:
    BoletoJob(TdtmEmail& dtm, DocumentRequest request, BoletoOptions options);

    // enviar_Email_Print, less the close timer and the result row, which are
    // the caller's. Without a layout (no boleto, or a bank without one) the
    // user is told that there is nothing to print.
    JobResult run() override;

    // Opens `query` with `sql`; false, after telling the user, when it holds
    // no boleto.
    static bool abrir_consulta_boleto(Query& query, const std::string& sql);

  private:
    BoletoOptions options_;
};

}  // namespace tarvek
