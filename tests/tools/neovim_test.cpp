// The language server with a real editor's client: Neovim, headless, opens
// the handbook's tutorial scenario, makes a slip in the train file, receives
// the diagnostic at the right line, applies the quick fix and sees the
// diagnostic go.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "support/cartella_temporanea.h"
#include "support/processo.h"

namespace od {
namespace {

using test::cartella_temporanea;

// What the client does, in Neovim's Lua; it leaves "ok" or what went wrong
// in $OD_ESITO.
constexpr const char* script = R"lua(
local function fine(codice, testo)
  local f = io.open(os.getenv('OD_ESITO'), 'w')
  f:write(testo)
  f:close()
  vim.cmd(codice == 0 and 'qall!' or 'cquit 1')
end
local ok, errore = pcall(function()
  local file = os.getenv('OD_FILE')
  local riga = tonumber(os.getenv('OD_RIGA'))
  vim.cmd('edit ' .. vim.fn.fnameescape(file))
  local buf = vim.api.nvim_get_current_buf()
  local client = vim.lsp.start_client({name = 'servizio_scenario', cmd = {os.getenv('OD_SERVIZIO')},
                                       root_dir = vim.fn.fnamemodify(file, ':h')})
  assert(client, 'il servizio non parte')
  vim.lsp.buf_attach_client(buf, client)
  assert(vim.wait(20000, function()
    local c = vim.lsp.get_client_by_id(client)
    return c ~= nil and c.initialized
  end, 20), 'il servizio non si inizializza')
  local giusta = vim.api.nvim_buf_get_lines(buf, riga, riga + 1, false)[1]
  local sbagliata = giusta:gsub('^stazione', 'stazine')
  assert(sbagliata ~= giusta, 'la riga ' .. riga .. ' non e\' una stazione: ' .. giusta)
  vim.api.nvim_buf_set_lines(buf, riga, riga + 1, false, {sbagliata})
  local d = nil
  assert(vim.wait(20000, function()
    for _, x in ipairs(vim.diagnostic.get(buf)) do
      if x.code == 'chiave-sconosciuta' then d = x end
    end
    return d ~= nil
  end, 20), 'nessuna diagnostica chiave-sconosciuta')
  assert(d.lnum == riga, 'diagnostica alla riga ' .. d.lnum .. ', attesa ' .. riga)
  local lsp = {range = {start = {line = d.lnum, character = d.col},
                        ['end'] = {line = d.end_lnum, character = d.end_col}},
               severity = d.severity, code = d.code, message = d.message}
  local risposte = vim.lsp.buf_request_sync(buf, 'textDocument/codeAction',
    {textDocument = {uri = vim.uri_from_bufnr(buf)}, range = lsp.range, context = {diagnostics = {lsp}}}, 20000)
  local azione = risposte and risposte[client] and risposte[client].result and risposte[client].result[1]
  assert(azione, 'nessuna correzione')
  vim.lsp.util.apply_workspace_edit(azione.edit, 'utf-16')
  local corretta = vim.api.nvim_buf_get_lines(buf, riga, riga + 1, false)[1]
  assert(corretta == giusta, 'dopo la correzione: ' .. corretta)
  assert(vim.wait(20000, function() return #vim.diagnostic.get(buf) == 0 end, 20), 'la diagnostica resta')
end)
if ok then fine(0, 'ok') else fine(1, tostring(errore)) end
)lua";

std::string leggi(const std::string& percorso) {
  std::ifstream in(percorso, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The handbook's blocks of one example, by file name, with CR LF line ends.
std::map<std::string, std::string> file_dell_esempio(const std::string& nome) {
  std::map<std::string, std::string> file;
  std::istringstream in(leggi(OD_MANUALE));
  const std::string apertura = "```text esempio=" + nome + " file=";
  std::string aperto;
  for (std::string riga; std::getline(in, riga);) {
    if (aperto.empty() && riga.starts_with(apertura)) {
      aperto = riga.substr(apertura.size());
    } else if (!aperto.empty() && riga.starts_with("```")) {
      aperto.clear();
    } else if (!aperto.empty()) {
      file[aperto] += riga + "\r\n";
    }
  }
  return file;
}

TEST(Neovim, LoScivoloDelTutorialVistoECorrettoNellEditor) {
  ASSERT_EQ(std::system("command -v nvim >/dev/null"), 0) << "nvim manca: scripts/prepara_macchina.sh lo installa";
  const cartella_temporanea c;
  const std::map<std::string, std::string> file = file_dell_esempio("tutorial");
  ASSERT_EQ(file.size(), 2u);
  std::string treno;
  for (const auto& [nome, testo] : file) {
    c.scrivi(nome, testo);
    if (nome.ends_with("-.txt")) treno = nome;
  }
  const std::string& testo = file.at(treno);
  const std::size_t stazione = testo.find("\nstazione,");
  ASSERT_NE(stazione, std::string::npos);
  const auto riga = std::count(testo.begin(), testo.begin() + static_cast<std::ptrdiff_t>(stazione), '\n') + 1;
  c.scrivi("prova.lua", script);
  ::setenv("OD_SERVIZIO", OD_SERVIZIO, 1);
  ::setenv("OD_FILE", c.file(treno).c_str(), 1);
  ::setenv("OD_RIGA", std::to_string(riga).c_str(), 1);
  ::setenv("OD_ESITO", c.file("esito").c_str(), 1);
  const test::esito_processo e = test::esegui(
      "/bin/sh", {"-c", "exec nvim --headless --clean -n -c 'luafile " + c.file("prova.lua") + "' </dev/null"});
  EXPECT_EQ(c.leggi("esito"), "ok") << e.errori << e.uscita;
  EXPECT_EQ(e.stato, 0);
  // The editor's buffer was never saved: the file on disk is as written.
  EXPECT_EQ(c.leggi(treno), testo);
}

}  // namespace
}  // namespace od
