#pragma once

#include <QFont>

// The windows ask for the Japanese Windows Gothic faces by name; these substitutions make
// them render in the metric-compatible IPA Gothic faces (Latin and Japanese alike) instead
// of a mix of fallback fonts. Call once after the application object exists.
void registerFontSubstitutions();

// "ＭＳ Ｐゴシック", 12 pixels: the font of every window.
QFont windowFont();

// "ＭＳ ゴシック", 12 pixels: the fixed-pitch font of the preview editor.
QFont previewFont();
