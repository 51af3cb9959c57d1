// The conditional job: one document for a sales package in the conditional
// layout, titled after its kind ("CONDICIONAL": conditional delivery, quote
// or return; "PACOTE": sales order; "DEVOLUCAO": return of goods), saved as
// PDF into the folder named like the kind or previewed.
#pragma once

#include "documents/conditional/conditional_options.h"
#include "documents/document_job.h"

namespace tarvek {

class ConditionalJob : public DocumentJob {
  public:
    ConditionalJob(TdtmEmail& dtm, DocumentRequest request, ConditionalOptions options);

    // enviar_Email_Print_Condicional, less the close timer and the result
    // row, which are the caller's. A kind other than the three produces
    // nothing (the user is told); a package number without a package raises
    // an error naming it.
    JobResult run() override;

  private:
    ConditionalOptions options_;
};

}  // namespace tarvek
