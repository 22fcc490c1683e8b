#include "breakpoint_list.h"

namespace vantor {

int BreakpointList::add(const QString& fileName, int lineNumber)
{
    std::lock_guard<std::mutex> lock(mutex_);
    entries_.append(Entry{fileName, lineNumber, true});
    size_.store(entries_.size(), std::memory_order_relaxed);
    return entries_.size() - 1;
}

void BreakpointList::removeAll(const QString& fileName)
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (Entry& entry : entries_) {
        if (entry.valid && entry.fileName == fileName)
            entry.valid = false;
    }
}

int BreakpointList::find(const QString& fileName, int lineNumber) const
{
    std::lock_guard<std::mutex> lock(mutex_);
    for (int id = 0; id < entries_.size(); ++id) {
        const Entry& entry = entries_.at(id);
        if (entry.valid && entry.lineNumber == lineNumber && entry.fileName == fileName)
            return id;
    }
    return -1;
}

}  // namespace vantor
