// The API catalogue's groups and entries, in display order, as plain text.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace vantor {

struct CatalogueGroup {
    QString title;
    QStringList entries;
};

QVector<CatalogueGroup> apiCatalogue();

}  // namespace vantor
