// The window's layout as the run describes it, in twips (1/1440 inch), and
// its conversion to the pixels of a screen. Shared by every windowed
// implementation so that they all show the same window.
#pragma once

namespace od {

inline constexpr int twip_per_pollice = 1440;
// The resolution at which the layout's pixel sizes are the usual ones.
inline constexpr int dpi_normale = 96;

struct rettangolo_twip {
  int sinistra;   // twips from the client area's left edge
  int alto;       // twips from the client area's top edge
  int larghezza;  // twips
  int altezza;    // twips
};

// Form1's client area and Label1 inside it.
inline constexpr int larghezza_form_twip = 4200;
inline constexpr int altezza_form_twip = 2688;
inline constexpr rettangolo_twip etichetta_twip{960, 960, 2652, 792};
inline constexpr int punti_etichetta = 24;  // bold

// Twips to pixels at `dpi`, to the nearest pixel (4200 twips are 280 pixels
// at 96 dpi, 2688 twips 179).
constexpr int in_pixel(int twip, int dpi) { return (twip * dpi + twip_per_pollice / 2) / twip_per_pollice; }

}  // namespace od
