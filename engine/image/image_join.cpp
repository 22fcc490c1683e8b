#include "image/image_join.h"

#include <algorithm>
#include <opencv2/imgproc.hpp>

#include "core/image_file.h"
#include "core/shared_state.h"
#include "core/text.h"
#include "image/bgra_view.h"
#include "image/image_codec.h"
#include "image/image_family.h"
#include "image/target_folder.h"
#include "image/working_image.h"

using tavix::core::textArg;

namespace tavix::image {

namespace {

QImage sideBySide(const cv::Mat& a, const cv::Mat& b, int direction)
{
    cv::Mat joined;
    switch (direction) {
    case SecondLeft: cv::hconcat(b, a, joined); break;
    case SecondRight: cv::hconcat(a, b, joined); break;
    case SecondAbove: cv::vconcat(b, a, joined); break;
    case SecondBelow: cv::vconcat(a, b, joined); break;
    default:
        qWarning("Invalid direction specified!");
        return {};
    }
    return imageFromMat(joined, QImage::Format_ARGB32);
}

QImage overlay(const cv::Mat& a, const cv::Mat& b)
{
    const bool firstIsCanvas = qint64(a.cols) * a.rows > qint64(b.cols) * b.rows;
    const cv::Mat& canvas = firstIsCanvas ? a : b;
    const cv::Mat& patch = firstIsCanvas ? b : a;
    const double f = std::min({double(canvas.rows) / patch.rows, double(canvas.cols) / patch.cols, 1.0});
    // OpenCV's own rounding of the scaled size, kept to at least one pixel so
    // that a sliver of a patch on a long thin canvas does not make resize throw.
    const cv::Size size(std::max(1, cvRound(patch.cols * f)), std::max(1, cvRound(patch.rows * f)));
    cv::Mat resized;
    cv::resize(patch, resized, size, 0, 0, cv::INTER_AREA);
    cv::Mat result = canvas.clone();
    resized.copyTo(result(cv::Rect((canvas.cols - resized.cols) / 2, (canvas.rows - resized.rows) / 2,
                                   resized.cols, resized.rows)));
    return imageFromMat(result, QImage::Format_ARGB32);
}

}  // namespace

QImage joinImages(const QImage& first, const QImage& second, int direction)
{
    const BgraView a(first);
    const BgraView b(second);
    if (a.mat().empty() || b.mat().empty())
        return {};
    if (a.mat().size() == b.mat().size())
        return sideBySide(a.mat(), b.mat(), direction);
    return overlay(a.mat(), b.mat());
}

bool concat(int direction)
{
    TX_api& record = core::sharedRecord();
    if (!haveWorkingImage())
        return false;
    if (record.secondImage.isNull()) {
        qWarning("There is no second image to join");
        return false;
    }
    // A join that fails (an unknown direction for equal sizes) keeps the working image.
    const QImage joined = joinImages(record.image, record.secondImage, direction);
    if (joined.isNull())
        return false;
    record.image = joined;
    return true;
}

bool concatPath(const char* img1Path, const char* img2Path, int direction, const char* savePath,
                const char* format, int quality)
{
    if (!haveText(img1Path, "first image path") || !haveText(img2Path, "second image path")
        || !haveText(savePath, "path to save to"))
        return false;
    const QImage first = readImageFile(textArg(img1Path), "TX_image_concatPath");
    const QImage second = readImageFile(textArg(img2Path), "TX_image_concatPath");
    if (first.isNull() || second.isNull()) {
        qWarning("Failed to load image file!");
        return false;
    }
    const QImage joined = joinImages(first, second, direction);
    if (joined.isNull())
        return false;
    const QString target = textArg(savePath);
    if (!makeFolderFor(target))
        return false;
    if (!core::writeImageFile(joined, target, QByteArray(format), quality))
        return false;
    core::sharedRecord().image = joined;
    return true;
}

}  // namespace tavix::image
