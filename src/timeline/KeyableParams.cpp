// The keyable scene values (215 today), joined from the effects' shares in the order of the
// keyframe tables: text, stars, particles, fire, tunnel, tiles, blur, models 1-3, pictures.
#include "timeline/KeyableParams.h"

#include "effects/blur/BlurEffect.h"
#include "effects/fire/FireEffect.h"
#include "effects/models/ModelEffect.h"
#include "effects/particles/ParticleEffect.h"
#include "effects/pictures/PictureEffect.h"
#include "effects/stars/StarEffect.h"
#include "effects/text/TextEffect.h"
#include "effects/tiles/TileEffect.h"
#include "effects/tunnel/TunnelEffect.h"
#include "scene/CZoetraView.h"

#include <stdexcept>
#include <unordered_map>

namespace {

// The order of the keyframe tables, which the sequence file's key slots and start values name by
// id; the effects' own list runs in drawing order.
const EffectDescriptor* const kTableOrder[] = {
    &kTextEffect, &kStarEffect, &kParticleEffect, &kFireEffect,    &kTunnelEffect,
    &kTileEffect, &kBlurEffect, &kModelEffect,    &kPictureEffect,
};

std::vector<KeyableParam> joinShares() {
    std::vector<KeyableParam> params;
    params.reserve(kKeyableCapacity);
    for (const EffectDescriptor* effect : kTableOrder)
        for (const KeySlice& slice : effect->keys)
            for (const KeyField& field : slice.fields)
                params.push_back({std::string(slice.idPrefix) + "." + field.name,
                                  std::string(slice.labelPrefix) + field.label + slice.labelSuffix,
                                  field.value, field.intValue, slice.instance});
    // A programming fault, found by every test that touches the timeline: the tables need room.
    if (params.size() > size_t(kKeyableCapacity))
        throw std::logic_error("the effects declare more keyable values than the timeline holds");
    return params;
}

const std::unordered_map<std::string_view, int>& indexById() {
    static const std::unordered_map<std::string_view, int> map = [] {
        std::unordered_map<std::string_view, int> byId;
        const std::vector<KeyableParam>& params = keyableParams();
        for (int p = 0; p < int(params.size()); ++p)
            byId.emplace(params[size_t(p)].id, p);
        return byId;
    }();
    return map;
}

} // namespace

const std::vector<KeyableParam>& keyableParams() {
    static const std::vector<KeyableParam> params = joinShares();
    return params;
}

int keyableIndex(std::string_view id) {
    const auto found = indexById().find(id);
    return found == indexById().end() ? -1 : found->second;
}

float keyableValue(const CZoetraView& v, int p) {
    auto& scene = const_cast<CZoetraView&>(v);
    const KeyableParam& param = keyableParams()[size_t(p)];
    return param.value ? param.value(scene, param.instance)
                       : static_cast<float>(param.intValue(scene, param.instance));
}

void setKeyableValue(CZoetraView& v, int p, float value) {
    const KeyableParam& param = keyableParams()[size_t(p)];
    if (param.value)
        param.value(v, param.instance) = value;
    else
        param.intValue(v, param.instance) = truncateToInt(value);
}
