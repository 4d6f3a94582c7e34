// The window on Windows. The label is painted by the form itself, in its
// WM_PAINT, as a windowless label is: UpdateWindow then paints everything
// at once, with no message loop before or after. The message is the
// system's own message box, modal to the form.
#include <string>

#include "platform/finestra.h"
#include "platform/finestra_misure.h"
#include "platform/testo_windows.h"

namespace od {
namespace {

constexpr wchar_t classe_form[] = L"Form1";

// The program's file name without its extension, as the form's title.
std::wstring nome_programma() {
  std::wstring nome(MAX_PATH, L'\0');
  const DWORD quanti = ::GetModuleFileNameW(nullptr, nome.data(), static_cast<DWORD>(nome.size()));
  nome.resize(quanti < nome.size() ? quanti : 0);
  nome = nome.substr(nome.find_last_of(L'\\') + 1);
  const std::size_t punto = nome.find_last_of(L'.');
  return punto == std::wstring::npos || punto == 0 ? nome : nome.substr(0, punto);
}

// What the form's window procedure paints, reached through the window.
struct contenuto_form {
  std::wstring etichetta;
  HFONT carattere = nullptr;
  RECT area{};  // the label, in client pixels
};

LRESULT CALLBACK procedura_form(HWND w, UINT messaggio, WPARAM wp, LPARAM lp) {
  if (messaggio == WM_NCCREATE) {
    const auto* creazione = reinterpret_cast<const CREATESTRUCTW*>(lp);
    ::SetWindowLongPtrW(w, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creazione->lpCreateParams));
  }
  const auto* contenuto = reinterpret_cast<const contenuto_form*>(::GetWindowLongPtrW(w, GWLP_USERDATA));
  if (messaggio == WM_PAINT && contenuto != nullptr) {
    PAINTSTRUCT pittura;
    const HDC dc = ::BeginPaint(w, &pittura);
    const HGDIOBJ prima = ::SelectObject(dc, contenuto->carattere);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
    RECT area = contenuto->area;
    ::DrawTextW(dc, contenuto->etichetta.c_str(), static_cast<int>(contenuto->etichetta.size()), &area,
                DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
    ::SelectObject(dc, prima);
    ::EndPaint(w, &pittura);
    return 0;
  }
  return ::DefWindowProcW(w, messaggio, wp, lp);
}

class finestra_windows final : public finestra {
 public:
  ~finestra_windows() override {
    if (form_ != nullptr) ::DestroyWindow(form_);
    if (contenuto_.carattere != nullptr) ::DeleteObject(contenuto_.carattere);
  }

  void mostra(std::string_view etichetta) override {
    contenuto_.etichetta = in_utf16(etichetta);
    if (form_ == nullptr) form_ = crea_form();
    if (form_ == nullptr) return;  // no window to be had: the run goes on without one
    ::ShowWindow(form_, SW_SHOW);
    ::InvalidateRect(form_, nullptr, TRUE);
    ::UpdateWindow(form_);
  }

  void messaggio(std::string_view testo) override {
    // No title: the box carries the system's default one. No icon.
    ::MessageBoxW(form_, in_utf16(testo).c_str(), nullptr, MB_OK);
  }

  void errore_file(std::string_view testo) override { messaggio(testo); }

 private:
  HWND crea_form() {
    const HINSTANCE istanza = ::GetModuleHandleW(nullptr);
    WNDCLASSEXW classe{};
    classe.cbSize = sizeof classe;
    classe.lpfnWndProc = procedura_form;
    classe.hInstance = istanza;
    classe.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    classe.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    classe.lpszClassName = classe_form;
    ::RegisterClassExW(&classe);  // a second window of the process finds it registered

    const HDC schermo = ::GetDC(nullptr);
    const int dpi_x = ::GetDeviceCaps(schermo, LOGPIXELSX);
    const int dpi_y = ::GetDeviceCaps(schermo, LOGPIXELSY);
    ::ReleaseDC(nullptr, schermo);

    const rettangolo_twip& e = etichetta_twip;
    contenuto_.area = {in_pixel(e.sinistra, dpi_x), in_pixel(e.alto, dpi_y), in_pixel(e.sinistra + e.larghezza, dpi_x),
                       in_pixel(e.alto + e.altezza, dpi_y)};
    contenuto_.carattere = ::CreateFontW(-::MulDiv(punti_etichetta, dpi_y, 72), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                                         DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                         DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");

    // The layout gives the client area; the window is that plus its frame.
    const DWORD stile = WS_OVERLAPPEDWINDOW;
    RECT esterno{0, 0, in_pixel(larghezza_form_twip, dpi_x), in_pixel(altezza_form_twip, dpi_y)};
    ::AdjustWindowRectEx(&esterno, stile, FALSE, 0);
    return ::CreateWindowExW(0, classe_form, nome_programma().c_str(), stile, CW_USEDEFAULT, CW_USEDEFAULT,
                             esterno.right - esterno.left, esterno.bottom - esterno.top, nullptr, nullptr, istanza,
                             &contenuto_);
  }

  contenuto_form contenuto_;
  HWND form_ = nullptr;
};

}  // namespace

std::unique_ptr<finestra> finestra_della_piattaforma() { return std::make_unique<finestra_windows>(); }

}  // namespace od
