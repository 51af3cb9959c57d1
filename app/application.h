// The four application-wide objects, created once per process in this
// order and destroyed in the reverse order.
#pragma once

#include <memory>

#include "app/main_window.h"
#include "data/firebird/dtm_email.h"
#include "documents/funcoes_email.h"

namespace tarvek {

// An empty window that is never shown; kept because it is part of the
// program's object set.
struct TFuncoes {
    static constexpr const char* kCaption = "Funcoes";
};

struct Application {
    Application();
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    std::unique_ptr<TdtmEmail> dtmEmail;
    std::unique_ptr<TfrmPrincipal> frmPrincipal;
    std::unique_ptr<TFuncoes> Funcoes;
    std::unique_ptr<TfrmFuncoesEmail> frmFuncoesEmail;
};

}  // namespace tarvek
