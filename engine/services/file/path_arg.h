// Path arguments of the file family: UTF-8, and both "/" and "\" separate
// components (scripts written for Windows use backslashes).
#pragma once

#include <QString>

namespace tavix::file {

inline QString pathArg(const char* path)
{
    QString text = path ? QString::fromUtf8(path) : QString();
    text.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return text;
}

}  // namespace tavix::file
