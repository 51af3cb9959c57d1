#include "app/application.h"

namespace tarvek {

Application::Application()
    : dtmEmail(std::make_unique<TdtmEmail>()),
      frmPrincipal(std::make_unique<TfrmPrincipal>(*this)),
      Funcoes(std::make_unique<TFuncoes>()),
      frmFuncoesEmail(
          std::make_unique<TfrmFuncoesEmail>(*dtmEmail, frmPrincipal->memoInformativo)) {}

Application::~Application() {
    frmFuncoesEmail.reset();
    Funcoes.reset();
    frmPrincipal.reset();
    dtmEmail.reset();
}

}  // namespace tarvek
