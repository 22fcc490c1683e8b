#include "api_family.h"

#include <QCoreApplication>

#include "application.h"
#include "shared_state.h"
#include "version.h"

namespace tavix::core {

void initialize()
{
    ensureApplication();
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
    resetSharedRecord();
}

void getData(TX_api** out)
{
    if (out)
        *out = &sharedRecord();
}

void setData(const TX_api* source)
{
    if (!source) {
        qWarning("TX_api_setData: no source record");
        return;
    }
    // Only the first field is read: callers may pass the address of a lone QImage.
    sharedRecord().image = *reinterpret_cast<const QImage*>(source);
}

const char* banner()
{
    return "Welcome to use Tavix api " TAVIX_VERSION
           " - desktop automation engine. Copyright (c) Tavix.";
}

}  // namespace tavix::core
