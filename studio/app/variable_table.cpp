#include "variable_table.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QStandardItemModel>

namespace vantor {

namespace {

QString valueText(const QJsonValue& value)
{
    if (value.isString())
        return value.toString();
    return value.toVariant().toString();
}

}  // namespace

QStandardItemModel* variableModel(const QJsonArray& variables, QObject* parent)
{
    auto* model = new QStandardItemModel(variables.size(), 2, parent);
    model->setHorizontalHeaderLabels({QStringLiteral("名称"), QStringLiteral("值")});
    for (int row = 0; row < variables.size(); ++row) {
        const QJsonObject variable = variables.at(row).toObject();
        for (auto it = variable.begin(); it != variable.end(); ++it) {
            model->setItem(row, 0, new QStandardItem(it.key()));
            model->setItem(row, 1, new QStandardItem(valueText(it.value())));
        }
    }
    return model;
}

}  // namespace vantor
