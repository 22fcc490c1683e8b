// Sends the process's standard output or error to a temporary file while it
// lives, so that a test can read what was written there (by any thread), or
// to /dev/null when nothing of it is read.
#pragma once

#include <QString>
#include <QTemporaryFile>

namespace vantor::test {

class StdCapture {
public:
    enum Keep { KeepText, Discard };
    explicit StdCapture(int fd, Keep keep = KeepText);
    ~StdCapture();
    StdCapture(const StdCapture&) = delete;
    StdCapture& operator=(const StdCapture&) = delete;

    // Everything written so far.
    QString text() const;
    // The same as bytes, exactly as written.
    QByteArray bytes() const;
    // What has reached the file, without flushing the stdio buffers first:
    // lines still held in a buffer are not there yet.
    QByteArray bytesOnFile() const;
    // The last `lines` lines, for failure messages.
    QString tail(int lines) const;

private:
    int fd_;
    int saved_;
    QTemporaryFile file_;
};

}  // namespace vantor::test
