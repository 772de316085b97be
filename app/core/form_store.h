#pragma once
// What every input dialog's store does with one value: write it into the
// project field and note whether the field changed, so that a store marks
// the project modified exactly when it changed something.

namespace korva::app {

template <class Field, class Value>
void StoreField(Field& field, const Value& value, bool& changed)
{
    const Field next = static_cast<Field>(value);
    if (!(field == next)) {
        field = next;
        changed = true;
    }
}

} // namespace korva::app
