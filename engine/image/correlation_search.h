// Normalised correlation of a template at every position of a picture, with the
// picture's work done once for all the templates tried on it.
#pragma once

#include <cstdint>
#include <optional>
#include <opencv2/core.hpp>
#include <vector>

#include "image/window_score.h"

namespace tavix::image {

struct Match {
    cv::Point at;
    double score = 0;
};

// The picture is cut into overlapping tiles whose spectra (blue, green, red,
// each less its tile's mean) are computed once; each template then costs one product of
// spectra summed over the channels, one inverse transform per tile and the
// normalisation. Tiles are spread over the machine's cores.
//
// The float transform only ranks positions: every position that could hold the
// highest score within the transform's error bound is scored again exactly, so
// that the answer is the exact maximum and, among equal scores, the first in
// scan order.
class CorrelationSearch {
public:
    // `bgra` (4 bytes per pixel, alpha ignored) must outlive the search. The
    // tile spectra and running sums live in buffers kept by the calling
    // thread for its next search: one search per thread at a time.
    explicit CorrelationSearch(const cv::Mat& bgra);

    // The first position of the highest score of `templ` over the picture,
    // when that score is at least `minScore`. Templates after the first must
    // not be larger than it. `templ` must not be uniform.
    std::optional<Match> best(const ScoredTemplate& templ, double minScore);

    // The size of the tiles' transforms for a first template of `templ` pixels.
    static cv::Size transformSize(cv::Size picture, cv::Size templ);

private:
    struct Tile {
        cv::Point origin;
        cv::Mat spectra[3];
        double energy = 0;  // squares of the centred pixels
    };

    void prepare(cv::Size templSize);
    // `planes`: three scratch matrices of the transform's size.
    void transformTile(Tile& tile, cv::Mat* planes) const;

    const cv::Mat& bgra_;
    cv::Size dftSize_;
    cv::Size step_;
    int tilesX_ = 0;
    std::vector<Tile> tiles_;
};

}  // namespace tavix::image
