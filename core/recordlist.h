#pragma once

#include "invalidindex.h"

#include <cstddef>
#include <string>
#include <vector>

/** An ordered list of plain records, indexed from 0; a bad index throws InvalidIndexError. */
template <class T>
class RecordList {
public:
    int GetCount() const { return static_cast<int>(items_.size()); }
    bool IsEmpty() const { return items_.empty(); }

    const T& At(int index) const { return items_[Checked(index)]; }
    T& At(int index) { return items_[Checked(index)]; }

    /** Appends a copy and returns its index. */
    int Append(const T& record)
    {
        items_.push_back(record);
        return GetCount() - 1;
    }
    void RemoveAt(int index) { items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(Checked(index))); }
    /** Appends a default record and returns it. */
    T& GrowByOne() { return items_.emplace_back(); }
    void RemoveAll() { items_.clear(); }

    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }
    friend bool operator==(const RecordList&, const RecordList&) = default;

private:
    std::size_t Checked(int index) const
    {
        if (index < 0 || index >= GetCount())
            throw InvalidIndexError("record index " + std::to_string(index) + " out of range");
        return static_cast<std::size_t>(index);
    }
    std::vector<T> items_;
};
