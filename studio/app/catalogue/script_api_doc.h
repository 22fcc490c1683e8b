// The script API reference (Markdown) for people who write scripts outside
// the studio, made from the same table as the catalogue.
#pragma once

#include <QString>

namespace vantor {

QString scriptApiReference();

}  // namespace vantor
