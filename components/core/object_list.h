#pragma once
// TObjectList: the component library's owning list of object pointers
// (cells, columns, in-cell controls). While it owns its objects (from
// construction on) it deletes the items that it removes or replaces, and all
// of them, last to first, when cleared or destroyed. Items may be null.
// Indexes are 0-based; one outside the items raises EListError.
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "exceptions.h"
#include "number_format.h"

namespace korva::components {

// The list-index error of every list of this library.
[[noreturn]] inline void RaiseListIndexError(int index)
{
    throw EListError("List index out of bounds (" + FormatInteger(index) + ")");
}

template <class T>
class TObjectList {
public:
    TObjectList() = default;
    ~TObjectList() { Clear(); }
    TObjectList(const TObjectList&) = delete;
    TObjectList& operator=(const TObjectList&) = delete;
    TObjectList(TObjectList&& other) noexcept : FOwnsObjects(other.FOwnsObjects), FList(std::move(other.FList))
    {
        other.FList.clear();
    }
    TObjectList& operator=(TObjectList&& other) noexcept
    {
        if (this != &other) {
            Clear();
            FOwnsObjects = other.FOwnsObjects;
            FList = std::move(other.FList);
            other.FList.clear();
        }
        return *this;
    }

    bool OwnsObjects() const { return FOwnsObjects; }
    void SetOwnsObjects(bool owns) { FOwnsObjects = owns; }

    int Count() const { return static_cast<int>(FList.size()); }

    // Appends; returns the new index. The list takes the item over.
    int Add(T* item)
    {
        Insert(Count(), item);
        return Count() - 1;
    }

    // Inserts before index (index = Count appends). An owning list frees an
    // item that it refuses for a bad index, as it would have owned it.
    void Insert(int index, T* item)
    {
        if (index < 0 || index > Count()) {
            FreeIfOwned(item); // the list would have owned it
            IndexError(index);
        }
        try {
            FList.insert(FList.begin() + index, item);
        } catch (...) {
            FreeIfOwned(item);
            throw;
        }
    }

    T* Items(int index) const { return FList[Checked(index)]; }
    T* operator[](int index) const { return Items(index); }

    // Stores item at index; when owning, frees the old item unless it is the
    // very item being stored.
    void SetItem(int index, T* item)
    {
        T*& slot = FList[Checked(index)];
        if (slot != item) {
            FreeIfOwned(slot);
            slot = item;
        }
    }

    // Removes the slot; when owning, frees its item.
    void Delete(int index)
    {
        const std::size_t at = Checked(index);
        T* item = FList[at];
        FList.erase(FList.begin() + static_cast<std::ptrdiff_t>(at));
        FreeIfOwned(item);
    }

    // When owning, frees every item from the last to the first; then empties the list.
    void Clear()
    {
        if (FOwnsObjects)
            for (std::size_t i = FList.size(); i-- > 0;)
                delete FList[i];
        FList.clear();
    }

    // First index of item; -1 when absent.
    int IndexOf(const T* item) const
    {
        for (std::size_t i = 0; i < FList.size(); ++i)
            if (FList[i] == item)
                return static_cast<int>(i);
        return -1;
    }

private:
    void FreeIfOwned(T* item)
    {
        if (FOwnsObjects)
            delete item;
    }

    std::size_t Checked(int index) const
    {
        if (index < 0 || index >= Count())
            IndexError(index);
        return static_cast<std::size_t>(index);
    }

    [[noreturn]] static void IndexError(int index) { RaiseListIndexError(index); }

    bool FOwnsObjects = true; // when true the list frees the items that it removes or replaces
    std::vector<T*> FList;
};

} // namespace korva::components
