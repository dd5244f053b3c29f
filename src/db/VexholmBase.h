#pragma once

#include "platform/sql/Query.h"

#include <cstddef>
#include <memory>
#include <vector>

namespace tarnwick {

// Change states of a row object.
enum class TChangeState { csUnchanged = 0, csNew = 1, csModified = 2, csDeleted = 3 };

// One row of a suite table with its change state. A new object is new and not loaded.
class TVexholmBaseObject {
public:
    TVexholmBaseObject() = default;
    virtual ~TVexholmBaseObject() = default;
    TVexholmBaseObject(const TVexholmBaseObject&) = delete;
    TVexholmBaseObject& operator=(const TVexholmBaseObject&) = delete;

    TChangeState ChangeState() const { return changeState_; }
    void SetChangeState(TChangeState state) { changeState_ = state; }

    bool Loaded() const { return loaded_; }
    // Becoming loaded makes the row unchanged; becoming unloaded clears its values.
    void SetLoaded(bool loaded);

    // Empties the row's values.
    virtual void Clear() = 0;
    // Reads the current record of an open query; at the end of data the row becomes
    // unloaded instead and the result is false.
    virtual bool ReadFromQuery(sql::TADOQuery& query) = 0;

private:
    TChangeState changeState_ = TChangeState::csNew;
    bool loaded_ = false;
};

// An owning list of row objects.
class TVexholmBaseList {
public:
    TVexholmBaseList() = default;
    virtual ~TVexholmBaseList() = default;
    TVexholmBaseList(const TVexholmBaseList&) = delete;
    TVexholmBaseList& operator=(const TVexholmBaseList&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    // EListError for an index out of range.
    TVexholmBaseObject& Item(int index) const;
    // Appends and returns the index.
    int Add(std::unique_ptr<TVexholmBaseObject> item);
    void Clear();

    // Appends one item per record of the open query, from its first record.
    void LoadFromQuery(sql::TADOQuery& query, bool clearFirst);

protected:
    virtual std::unique_ptr<TVexholmBaseObject> NewItem() const = 0;

private:
    std::vector<std::unique_ptr<TVexholmBaseObject>> items_;
};

} // namespace tarnwick
