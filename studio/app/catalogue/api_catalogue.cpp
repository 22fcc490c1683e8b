#include "api_catalogue.h"

#include "api_table.h"

namespace vantor {

QVector<CatalogueGroup> apiCatalogue()
{
    QVector<CatalogueGroup> groups;
    CatalogueGroup common{QString::fromUtf8(commonExamplesTitle()), {}};
    for (const char* example : commonExamples())
        common.entries << QString::fromUtf8(example);
    groups << common;

    for (const ApiObject& object : apiObjects()) {
        if (!object.catalogueTitle)
            continue;
        CatalogueGroup group{QString::fromUtf8(object.catalogueTitle), {}};
        for (const ApiMethod& method : apiMethods()) {
            if (method.catalogue && qstrcmp(method.object, object.name) == 0)
                group.entries << QString::fromUtf8(method.catalogue);
        }
        groups << group;
    }
    return groups;
}

}  // namespace vantor
