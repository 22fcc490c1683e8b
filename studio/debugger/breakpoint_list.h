// Line breakpoints by file name. An entry's identifier is its position in the
// list; removed entries stay as invalid placeholders so that later identifiers
// never move. The studio edits the list while the run thread looks it up.
#pragma once

#include <QString>
#include <QVector>
#include <atomic>
#include <mutex>

namespace vantor {

class BreakpointList {
public:
    // Appends a breakpoint and returns its identifier.
    int add(const QString& fileName, int lineNumber);
    // Turns every entry of the file into an invalid entry.
    void removeAll(const QString& fileName);
    // The first valid entry for the file and line, or -1.
    int find(const QString& fileName, int lineNumber) const;
    // True while the list has no entries at all (invalid ones count).
    bool isEmpty() const { return size_.load(std::memory_order_relaxed) == 0; }
    int size() const { return size_.load(std::memory_order_relaxed); }

private:
    struct Entry {
        QString fileName;
        int lineNumber;
        bool valid;
    };

    mutable std::mutex mutex_;
    QVector<Entry> entries_;
    std::atomic<int> size_{0};
};

}  // namespace vantor
