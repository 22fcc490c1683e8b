// The model of the variable table shown while a run is paused.
#pragma once

#include <QJsonArray>

class QObject;
class QStandardItemModel;

namespace vantor {

// One row per element of `variables` (objects of one key each: name ->
// value as text), columns "名称" and "值".
QStandardItemModel* variableModel(const QJsonArray& variables, QObject* parent);

}  // namespace vantor
