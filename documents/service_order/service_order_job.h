// The service-order job: the layout chosen by the segment and the document
// kind the query builder read, filled from the order, its customer, the
// configuration and the item table, then saved as PDF into the folder
// OrdemServico or previewed. The mechanic's authorisation is always
// previewed.
#pragma once

#include "documents/document_job.h"
#include "documents/service_order/item_table.h"
#include "documents/service_order/os_layout.h"
#include "documents/service_order/service_order_options.h"

namespace tarvek {

class ServiceOrderJob : public DocumentJob {
  public:
    ServiceOrderJob(TdtmEmail& dtm, DocumentRequest request, ServiceOrderOptions options);

    // enviar_Email_Print_Os, less the close timer and the result row, which
    // are the caller's. Shows a message and produces nothing for a segment
    // or kind without a document; raises a clear error for an order that
    // does not exist or has no customer.
    JobResult run() override;

    // The table filler, with the last line number handed out.
    const ServiceOrderItems& itens() const { return itens_; }

  private:
    struct LayoutRow;
    static const LayoutRow& layout_row(OsLayoutKind kind);

    // The steps of run(), in order.
    void open_order_and_customer(TfrmOSLayout& form) const;
    void fill_status(TfrmOSLayout& form) const;
    void fill_pictures(TfrmOSLayout& form, const LayoutRow& layout) const;
    void fill_vehicle_and_payment(TfrmOSLayout& form, const LayoutRow& layout) const;
    static void hide_prices(TfrmOSLayout& form, const LayoutRow& layout);

    ServiceOrderOptions options_;
    ServiceOrderItems itens_;
};

}  // namespace tarvek
