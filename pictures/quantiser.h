#pragma once

#include <QImage>

// A picture brought down to the colours a GIF can hold.
namespace Quantiser {
// `source` with at most 256 colours, as an 8-bit indexed image: a picture of few colours keeps them
// exactly; a photo gets a median-cut palette refined by a few rounds of k-means and is drawn with
// Floyd–Steinberg error diffusion. Pixels less than half opaque all take one palette entry, the
// only one with alpha 0; every other entry is opaque.
QImage toIndexed(const QImage &source);
} // namespace Quantiser
