// Accessors of single scene values for the effects' tables, made from the value's member
// (&CZoetraView::tunnelOn) instead of a one-line function each.
#pragma once

#include "scene/Switch.h"

#include <type_traits>

class CZoetraView;

// The value `Field` names in the scene; a member that holds one value per instance (the three
// models' &CZoetraView::modelOn) gives the instance's.
template <auto Field, typename Scene> auto& sceneFieldOf(Scene& v, int instance) {
    auto& value = v.*Field;
    if constexpr (std::is_array_v<std::remove_reference_t<decltype(value)>>)
        return value[instance];
    else
        return value;
}

template <auto Field> float& sceneField(CZoetraView& v, int instance) {
    return sceneFieldOf<Field>(v, instance);
}

// Whether the switch `Field` is on, or off (a value in between is neither).
template <auto Field> bool sceneSwitchOn(const CZoetraView& v, int instance) {
    return isOn(sceneFieldOf<Field>(v, instance));
}
template <auto Field> bool sceneSwitchOff(const CZoetraView& v, int instance) {
    return isOff(sceneFieldOf<Field>(v, instance));
}
