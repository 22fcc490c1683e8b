#include "catalogue_model.h"

#include <QStandardItemModel>

#include "api_catalogue.h"

namespace vantor {

QStandardItemModel* buildCatalogueModel(QObject* parent)
{
    auto* model = new QStandardItemModel(parent);
    QStandardItem* root = model->invisibleRootItem();
    for (const CatalogueGroup& group : apiCatalogue()) {
        auto* groupItem = new QStandardItem(group.title);
        root->appendRow(groupItem);
        for (const QString& entry : group.entries)
            groupItem->appendRow(new QStandardItem(entry));
    }
    return model;
}

}  // namespace vantor
