#include "picture_sources.h"

#include "data_url_text.h"

namespace vantor {

void PictureSources::remember(const QString& name, const QImage& picture, const QString& payload)
{
    sources_.insert(name, {picture.cacheKey(), payload});
}

QString PictureSources::payloadFor(const QString& name, const QImage& picture)
{
    if (picture.isNull())
        return QString();
    const auto found = sources_.constFind(name);
    // The cache key changes whenever the picture under the name is replaced or altered.
    if (found != sources_.constEnd() && found->cacheKey == picture.cacheKey())
        return found->payload;
    const QString payload = encodePicturePayload(picture);
    if (!payload.isEmpty())
        remember(name, picture, payload);
    return payload;
}

}  // namespace vantor
