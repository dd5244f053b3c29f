#include "db/VexholmBase.h"

#include "platform/core/Exceptions.h"

namespace tarnwick {

void TVexholmBaseObject::SetLoaded(bool loaded)
{
    if (loaded == loaded_) return;
    loaded_ = loaded;
    if (loaded)
        changeState_ = TChangeState::csUnchanged;
    else
        Clear();
}

TVexholmBaseObject& TVexholmBaseList::Item(int index) const
{
    if (index < 0 || index >= Count()) ThrowListIndexError(index);
    return *items_[static_cast<std::size_t>(index)];
}

int TVexholmBaseList::Add(std::unique_ptr<TVexholmBaseObject> item)
{
    items_.push_back(std::move(item));
    return Count() - 1;
}

void TVexholmBaseList::Clear() { items_.clear(); }

void TVexholmBaseList::LoadFromQuery(sql::TADOQuery& query, bool clearFirst)
{
    if (clearFirst) Clear();
    query.First();
    while (!query.Eof()) {
        std::unique_ptr<TVexholmBaseObject> item = NewItem();
        item->ReadFromQuery(query);
        Add(std::move(item));
        query.Next();
    }
}

} // namespace tarnwick
