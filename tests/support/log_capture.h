// Collects the Qt log lines written while it lives (from any thread).
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

namespace tavix::test {

class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    QStringList lines() const;
    bool contains(const QString& fragment) const;
    void clear();
};

}  // namespace tavix::test
