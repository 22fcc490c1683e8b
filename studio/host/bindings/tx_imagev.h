// The script object `imagev`: finds a template (a data-URL picture) on the
// live screen and clicks it. The `...Rect` names are the plain methods under
// the names the API catalogue inserts.
#pragma once

#include <QObject>
#include <QScriptValue>
#include <QString>

namespace vantor {

class TX_imagev : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

public slots:
    QScriptValue mouseLeftClick(QString imgdata,
                                QScriptValue rectValue = QScriptValue(QScriptValue::NullValue));
    QScriptValue mouseLeftDoubleClick(QString imgdata,
                                      QScriptValue rectValue = QScriptValue(QScriptValue::NullValue));
    QScriptValue mouseLeftDown(QString imgdata,
                               QScriptValue rectValue = QScriptValue(QScriptValue::NullValue));
    QScriptValue mouseLeftUp(QString imgdata,
                             QScriptValue rectValue = QScriptValue(QScriptValue::NullValue));
    QScriptValue mouseRightClick(QString imgdata,
                                 QScriptValue rectValue = QScriptValue(QScriptValue::NullValue));
    QScriptValue mouseRightDoubleClick(QString imgdata,
                                       QScriptValue rectValue = QScriptValue(QScriptValue::NullValue));
    QScriptValue mouseRightDown(QString imgdata,
                                QScriptValue rectValue = QScriptValue(QScriptValue::NullValue));
    QScriptValue mouseRightUp(QString imgdata,
                              QScriptValue rectValue = QScriptValue(QScriptValue::NullValue));
    QScriptValue findImage(QString imgdata,
                           QScriptValue rectValue = QScriptValue(QScriptValue::NullValue));

    QScriptValue mouseLeftClickRect(QString imgdata,
                                    QScriptValue rectValue = QScriptValue(QScriptValue::NullValue));
    QScriptValue mouseLeftDoubleClickRect(QString imgdata,
                                          QScriptValue rectValue = QScriptValue(QScriptValue::NullValue));
    QScriptValue mouseLeftDownRect(QString imgdata,
                                   QScriptValue rectValue = QScriptValue(QScriptValue::NullValue));
    QScriptValue mouseLeftUpRect(QString imgdata,
                                 QScriptValue rectValue = QScriptValue(QScriptValue::NullValue));
    QScriptValue mouseRightClickRect(QString imgdata,
                                     QScriptValue rectValue = QScriptValue(QScriptValue::NullValue));
    QScriptValue mouseRightDoubleClickRect(QString imgdata,
                                           QScriptValue rectValue = QScriptValue(QScriptValue::NullValue));
    QScriptValue mouseRightDownRect(QString imgdata,
                                    QScriptValue rectValue = QScriptValue(QScriptValue::NullValue));
    QScriptValue mouseRightUpRect(QString imgdata,
                                  QScriptValue rectValue = QScriptValue(QScriptValue::NullValue));
};

}  // namespace vantor
