// The catalogue as a two-level item model: groups under the root, entries
// under each group, display text only.
#pragma once

class QObject;
class QStandardItemModel;

namespace vantor {

QStandardItemModel* buildCatalogueModel(QObject* parent);

}  // namespace vantor
