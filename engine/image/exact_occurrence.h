// The first window in scan order that scores a perfect 1: a pixel-exact copy
// of the template, or one differing from it only in contrast and brightness.
#pragma once

#include <optional>
#include <opencv2/core.hpp>

#include "image/window_score.h"

namespace tavix::image {

// `bgra`: the region searched (4 bytes per pixel, alpha ignored). Every
// position where the template fits is tried in row-major order; a vectorised
// sign test on two pixels rejects almost all of them before any arithmetic.
// Nothing for a uniform template (every window scores 1 for it).
std::optional<cv::Point> firstPerfectMatch(const cv::Mat& bgra, const ScoredTemplate& templ);

}  // namespace tavix::image
