#include "app/command_line.h"

#include "app/version.h"
#include "base/format.h"

namespace tarvek {

namespace {

const char* const kUsagePortuguese =
    R"(Uso: tarvek-docs "Tarvek=<banco principal>;Receber=<banco de contas a receber>;idInstrucao=<id>;operacao=<operação>"
     tarvek-docs --help | --version

Gera um documento do ERP Tarvek a partir de uma instrução: boletos, ordens de
serviço, orçamentos e autorizações do mecânico, documentos de venda
condicional.

Chaves da instrução, separadas por ";":
  Tarvek=        banco de dados principal: um caminho abre o arquivo
                 (modo embarcado); servidor:caminho usa um servidor Firebird
  Receber=       banco de dados de contas a receber
  idInstrucao=   a instrução: as linhas SQL e INFORMATIVO de Config_Geral
  operacao=      a operação

Operações:
  email, print            boletos
  os_email, os_print      ordens de serviço e orçamentos (a autorização do
                          mecânico sempre abre a pré-visualização)
  cond_email, cond_print  documentos de venda condicional
  As operações *email gravam o PDF e a linha EMAIL_OK com o caminho dele em
  Config_Geral; as *print abrem a pré-visualização e precisam de uma tela.

Pastas dos documentos: $HOME/driveKVL/tmpEmail/ Boletos, OrdemServico,
CONDICIONAL, PACOTE e DEVOLUCAO.

Códigos de saída:
  0        documento gravado e registrado, ou pré-visualização aberta
  1        nenhum documento: a mensagem diz por quê
  2        nada pôde ser executado: sem instrução, operação ou opção
           desconhecida, impressão sem tela
  128+n    encerrado pelo sinal n (TERM, INT, HUP)

Ambiente:
  HOME               onde fica a pasta dos documentos
  TMPDIR             onde fica o arquivo de troca das páginas
  DISPLAY            com tela, janela e pré-visualização; sem tela, só as
                     operações email, com as mensagens na saída de erro
  LANG, LC_ALL       idioma e formatos (português quando não definidos)
  TARVEK_LOCK_WAIT   segundos de espera por outra execução que grava o mesmo
                     documento (300)

Manual: man tarvek-docs
)";

const char* const kUsageEnglish =
    R"(Usage: tarvek-docs "Tarvek=<main database>;Receber=<receivables database>;idInstrucao=<id>;operacao=<operation>"
       tarvek-docs --help | --version

Produces a document of the Tarvek ERP from an instruction: boletos, service
orders, quotes and mechanic's authorisations, conditional-sale documents.

Keys of the instruction, separated by ";":
  Tarvek=        the main database: a path opens the file (embedded mode);
                 host:path goes through a Firebird server
  Receber=       the receivables database
  idInstrucao=   the instruction: its SQL and INFORMATIVO rows of Config_Geral
  operacao=      the operation

Operations:
  email, print            boletos
  os_email, os_print      service orders and quotes (the mechanic's
                          authorisation always opens the preview)
  cond_email, cond_print  conditional-sale documents
  The *email operations write the PDF and the row EMAIL_OK with its path into
  Config_Geral; the *print operations open the preview and need a display.

Document folders: $HOME/driveKVL/tmpEmail/ Boletos, OrdemServico,
CONDICIONAL, PACOTE and DEVOLUCAO.

Exit codes:
  0        document written and recorded, or preview opened
  1        no document: the message says why
  2        nothing could run: no instruction, an unknown operation or
           option, a print operation without a display
  128+n    ended by signal n (TERM, INT, HUP)

Environment:
  HOME               where the document folder is
  TMPDIR             where the page swap file is
  DISPLAY            with a display, the window and the preview; without
                     one, only the email operations, messages on stderr
  LANG, LC_ALL       language and formats (Portuguese when unset)
  TARVEK_LOCK_WAIT   seconds to wait for another run writing the same
                     document (300)

Manual: man tarvek-docs
)";

}  // namespace

std::string version_text() {
    std::string text = std::string("tarvek-docs ") + kVersion;
    if (*kCommit) text += std::string(" (commit ") + kCommit + ")";
    return text;
}

std::optional<int> handle_option(const std::vector<std::string>& arguments, std::ostream& out,
                                 std::ostream& err) {
    if (arguments.empty() || arguments.front().empty() || arguments.front()[0] != '-') {
        return std::nullopt;
    }
    const bool portuguese = FormatSettings::current().portuguese;
    const std::string& option = arguments.front();
    if (option == "--help" || option == "-h") {
        out << (portuguese ? kUsagePortuguese : kUsageEnglish);
        return 0;
    }
    if (option == "--version") {
        out << version_text() << "\n";
        return 0;
    }
    err << (portuguese ? "tarvek-docs: opção desconhecida: " : "tarvek-docs: unknown option: ")
        << option << "\n"
        << (portuguese ? "Use tarvek-docs --help para ver o uso.\n"
                       : "Try tarvek-docs --help for the usage.\n");
    return 2;
}

}  // namespace tarvek
