// Checks the engine's template search against the OpenCV reference. They must
// make the same attempts and report the same position, except where OpenCV's
// own rounding decides: between windows that score exactly the same (a tie),
// or where OpenCV's float score is further from the exact score than the
// margin that decides (a window of very low contrast, or a score within
// rounding of the threshold). Each such difference is verified, not assumed.
// Uniform templates are searched by OpenCV itself and must agree exactly.
#pragma once

#include <gtest/gtest.h>
#include <string>

#include "image/template_search.h"
#include "reference_search.h"

namespace tavix::test {

struct AgreementCounts {
    int searches = 0;
    int found = 0;
    int ties = 0;      // equally good positions where OpenCV chose another one
    int rounding = 0;  // differences explained by OpenCV's rounding errors
};

inline void expectAgreement(const QImage& source, const QImage& templ, float threshold,
                            const tavix::Corners& corners, int level, const std::string& label,
                            AgreementCounts* counts = nullptr)
{
    using namespace tavix::image;
    const TemplateMatch engine = findTemplate(source, templ, threshold, corners, level);
    const ReferenceMatch reference = referenceSearch(source, templ, threshold, corners, level);
    if (counts) {
        ++counts->searches;
        counts->found += reference.attempt >= 0;
    }
    if (engine.attempt == reference.attempt && engine.at == reference.at) {
        if (engine.attempt < 0)
            return;
        if (levelFactor(level) != 1.0f)
            return;  // positions do not map back one to one
        const cv::Point at(engine.at.x() - reference.region.x, engine.at.y() - reference.region.y);
        const double openCv = reference.scores[engine.attempt].at<float>(at);
        if (std::abs(engine.score - openCv) <= 1e-4)
            return;
        // OpenCV's score is off; the engine's must be the exact one.
        const cv::Mat region = referenceBgr(source)(reference.region);
        const double exact = directScore(region, at, reference.templ[engine.attempt]);
        EXPECT_NEAR(engine.score, exact, 1e-9) << label;
        EXPECT_GT(std::abs(openCv - exact), 1e-4) << label;
        if (counts)
            ++counts->rounding;
        return;
    }
    const std::string where = label + ": engine attempt " + std::to_string(engine.attempt) + " at ("
        + std::to_string(engine.at.x()) + ", " + std::to_string(engine.at.y())
        + "), OpenCV attempt " + std::to_string(reference.attempt) + " at ("
        + std::to_string(reference.at.x()) + ", " + std::to_string(reference.at.y()) + ")";
    ASSERT_EQ(levelFactor(level), 1.0f) << where;
    // The first attempt where they part: one of them found a match there.
    const int attempt = engine.attempt < 0 ? reference.attempt
        : reference.attempt < 0            ? engine.attempt
                                           : std::min(engine.attempt, reference.attempt);
    ASSERT_LT(attempt, int(reference.scores.size())) << where;
    const cv::Mat region = referenceBgr(source)(reference.region);
    const cv::Mat& scores = reference.scores[attempt];
    const cv::Mat& t = reference.templ[attempt];
    double cvBest = 0;
    cv::Point cvAt;
    cv::minMaxLoc(scores, nullptr, &cvBest, nullptr, &cvAt);
    const double exactAtCv = directScore(region, cvAt, t);
    const double cvError = std::abs(cvBest - exactAtCv);
    const double margin = double(threshold) - 1e-5;
    if (engine.attempt == attempt) {
        const cv::Point at(engine.at.x() - reference.region.x, engine.at.y() - reference.region.y);
        const double exact = directScore(region, at, t);
        EXPECT_NEAR(engine.score, exact, 1e-9) << where;
        EXPECT_GE(exact, margin - 1e-6) << where;
        if (reference.attempt == attempt && exact == exactAtCv) {
            if (counts)
                ++counts->ties;
            return;
        }
        // The engine's position scores higher than OpenCV's choice, or reaches
        // the threshold where OpenCV's does not, by less than OpenCV's error.
        const double cvAtEngine = scores.at<float>(at);
        const double error = std::max(cvError, std::abs(cvAtEngine - exact));
        EXPECT_GE(exact, exactAtCv) << where;
        EXPECT_GE(error, reference.attempt == attempt ? exact - exactAtCv : margin - cvBest)
            << where << ": OpenCV's rounding does not explain the difference";
    } else {
        // OpenCV found a match at this attempt, the engine none: OpenCV's score
        // reached the threshold only through its rounding.
        EXPECT_LT(exactAtCv, margin + 1e-6) << where;
        EXPECT_GE(cvError, cvBest - exactAtCv - 1e-12) << where;
        EXPECT_GT(cvBest - exactAtCv, 0.0)
            << where << ": OpenCV's best is not above the exact score";
    }
    if (counts)
        ++counts->rounding;
}

}  // namespace tavix::test
