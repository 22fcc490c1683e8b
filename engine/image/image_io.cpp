// Loading and output of the working image, and the two plain queries.
#include <cstdlib>
#include <cstring>

#include "core/image_file.h"
#include "core/shared_state.h"
#include "core/text.h"
#include "image/image_codec.h"
#include "image/image_family.h"
#include "image/target_folder.h"
#include "image/url_image.h"
#include "image/working_image.h"

using tavix::core::textArg;

namespace tavix::image {

namespace {

bool replaceIfDecoded(const QImage& decoded)
{
    if (decoded.isNull())
        return false;
    workingImage() = decoded;
    return true;
}

// A zero-filled C heap block holding `bytes` (and a terminator when asked),
// listed in the shared record so that it is freed when the library unloads.
char* handOut(const QByteArray& bytes, bool terminated)
{
    void* block = std::calloc(std::size_t(bytes.size()) + (terminated ? 1 : 0), 1);
    if (!block) {
        qWarning("Out of memory for a block of %lld bytes", static_cast<long long>(bytes.size()));
        return nullptr;
    }
    core::sharedRecord().buffers.push_back(block);
    if (!bytes.isEmpty())
        std::memcpy(block, bytes.constData(), std::size_t(bytes.size()));
    return static_cast<char*>(block);
}

}  // namespace

bool read(const char* path)
{
    if (!haveText(path, "path"))
        return false;
    workingImage() = readImageFile(textArg(path), "TX_image_read");
    if (workingImage().isNull()) {
        qWarning("Failed to load image file!");
        return false;
    }
    return true;
}

bool load(const char* url)
{
    if (!haveText(url, "URL"))
        return false;
    return replaceIfDecoded(fetchImage(textArg(url)));
}

bool fromBase64(const char* data)
{
    if (!haveText(data, "Base64 text"))
        return false;
    return replaceIfDecoded(decodeBase64Image(QByteArray(data)));
}

bool fromBytes(const char* bytes, int length)
{
    if (!haveText(bytes, "bytes"))
        return false;
    const QByteArray data = length < 0 ? QByteArray(bytes) : QByteArray(bytes, length);
    return replaceIfDecoded(decodeImage(data));
}

bool save(const char* path, const char* format, int quality)
{
    if (!haveText(path, "path") || !haveWorkingImage())
        return false;
    const QString target = textArg(path);
    if (!makeFolderFor(target))
        return false;
    return core::writeImageFile(workingImage(), target, QByteArray(format), quality);
}

char* toBase64(const char* format, int quality)
{
    if (!haveText(format, "image format") || !haveWorkingImage())
        return nullptr;
    return handOut(encodeImage(workingImage(), format, quality).toBase64(), true);
}

int toBytes(unsigned char** out, const char* format, int quality)
{
    if (!out) {
        qWarning("TX_image_toBytes needs a place for the block's address");
        return 0;
    }
    if (!haveText(format, "image format") || !haveWorkingImage())
        return 0;
    const QByteArray bytes = encodeImage(workingImage(), format, quality);
    if (bytes.isEmpty())
        return 0;
    char* block = handOut(bytes, false);
    if (!block)
        return 0;
    *out = reinterpret_cast<unsigned char*>(block);
    return bytes.size();
}

bool free()
{
    return !workingImage().isNull();
}

unsigned int pixel(int x, int y)
{
    const QImage& image = workingImage();
    if (image.isNull())
        return 0;
    if (!image.valid(x, y))
        return 0xFF000000u;
    return image.pixel(x, y);
}

}  // namespace tavix::image
