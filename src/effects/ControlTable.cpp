// Resolving the value references of the control tables.
#include "effects/ControlTable.h"

#include "effects/KeySlice.h"

#include <string>

float ValueHandle::get() const {
    if (real) return *real;
    return whole ? static_cast<float>(*whole) : 0.0f;
}

void ValueHandle::set(float value) const {
    if (real)
        *real = value;
    else if (whole)
        *whole = truncateToInt(value);
}

ValueHandle controlValue(CZoetraView& v, const ControlPage& page, const ValueRef& ref) {
    if (ref.field) return {&ref.field(v, page.instance), nullptr};
    if (!ref.key) return {};
    std::string id = ref.key;
    if (!id.empty() && id.front() == '.') {
        if (!page.keyPrefix) return {};
        id = page.keyPrefix(v, page.instance) + id;
    }
    const KeyFieldRef key = findKeyField(id);
    if (!key.field) return {};
    if (key.field->value) return {&key.field->value(v, key.slice->instance), nullptr};
    return {nullptr, &key.field->intValue(v, key.slice->instance)};
}
