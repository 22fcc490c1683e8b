// The script object `device`: screen, power, brightness, volume and system names.
#pragma once

#include <QObject>
#include <QScriptValue>

namespace vantor {

class TX_device : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

public slots:
    QScriptValue baseOS();
    QScriptValue board();
    QScriptValue BootLoader();
    QScriptValue getBattery();
    QScriptValue getBrightness();
    QScriptValue getMusicMaxVolume();
    QScriptValue height();
    QScriptValue isCharging();
    QScriptValue isScreenOn();
    QScriptValue setBrightness(int num);
    QScriptValue width();
};

}  // namespace vantor
