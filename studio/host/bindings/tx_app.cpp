#include "tx_app.h"

#include "tavix.h"

namespace vantor {

QScriptValue TX_app::launchApp(QString appName)
{
    return QScriptValue(TX_app_launchApp(appName.toUtf8().constData()));
}

QScriptValue TX_app::openUrl(QString url)
{
    return QScriptValue(TX_app_openUrl(url.toUtf8().constData()));
}

}  // namespace vantor
