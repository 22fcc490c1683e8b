// The search core: where a template occurs in a source picture.
#pragma once

#include <QImage>
#include <QPoint>

#include "image/search_area.h"

namespace tavix::image {

// Attempts are made at the template's own size and then at successively halved
// sizes, at most this many in all.
constexpr int kSearchAttempts = 8;

// Shrunken attempts stop before the template's shorter side falls below this:
// a normalised correlation over a handful of pixels matches noise.
constexpr int kSmallestShrunkenSide = 8;

// The coordinate factor of a search level: 2^(1 - level) for 1..8, else 1.
float levelFactor(int level);

// A match: the top-left corner in source pixels, its score (the normalised
// correlation coefficient) and the attempt that found it (0: full size).
struct TemplateMatch {
    QPoint at{-1, -1};
    double score = 0;
    int attempt = -1;
};

// The first attempt whose best normalised correlation coefficient reaches
// `threshold`: the first position in scan order of its highest score. A null
// match (attempt -1, at (-1, -1)) and the debug line "Can't find the image"
// when no attempt does.
TemplateMatch findTemplate(const QImage& source, const QImage& templ, float threshold,
                           const Corners& corners, int level);

// The position of findTemplate's match; (-1, -1) when nothing is found.
QPoint searchTemplate(const QImage& source, const QImage& templ, float threshold,
                      const Corners& corners, int level);

}  // namespace tavix::image
