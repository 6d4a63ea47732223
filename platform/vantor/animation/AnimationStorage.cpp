#include "vantor/animation/AnimationStorage.h"

#include "vantor/animation/AnimationManager.h"

#include <rapidjson/error/en.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <cmath>
#include <cstring>
#include "vantor/util/JsonParse.h"

namespace Vantor {

namespace {

using Value = rapidjson::Value;
using Alloc = rapidjson::Document::AllocatorType;

Value numbers(const double* v, int n, Alloc& a)
{
    Value arr(rapidjson::kArrayType);
    for (int i = 0; i < n; ++i)
        arr.PushBack(v[i], a);
    return arr;
}

Value vec3(const osg::Vec3d& v, Alloc& a)
{
    const double d[3] = {v.x(), v.y(), v.z()};
    return numbers(d, 3, a);
}

Value quat(const osg::Quat& q, Alloc& a)
{
    const double d[4] = {q.x(), q.y(), q.z(), q.w()};
    return numbers(d, 4, a);
}

const char* channelName(AnimationKeyframeType type)
{
    switch (type) {
    case AKT_Transform: return "transform";
    case AKT_Transparency: return "transparency";
    case AKT_Material: return "material";
    case AKT_Visibility: return "visibility";
    case AKT_Camera: return "camera";
    default: return "";
    }
}

Value keyframe(const AnimationKeyframe& key, Alloc& a)
{
    Value k(rapidjson::kObjectType);
    k.AddMember("time", key.getTime(), a);
    const AnimationKeyframeValue& v = key.value();
    switch (key.getType()) {
    case AKT_Transform:
        k.AddMember("matrix", numbers(v.matrix.ptr(), 16, a), a);
        break;
    case AKT_Material: {
        const double c[4] = {v.color.r(), v.color.g(), v.color.b(), v.color.a()};
        k.AddMember("color", numbers(c, 4, a), a);
        break;
    }
    case AKT_Transparency:
        k.AddMember("opacity", double(v.opacity), a);
        break;
    case AKT_Visibility:
        k.AddMember("visible", v.visible, a);
        break;
    case AKT_Camera: {
        const AnimationCameraInfo& c = v.camera;
        k.AddMember("perspective", c.perpectiveCamera, a);
        k.AddMember("center", vec3(c.center, a), a);
        k.AddMember("distance", c.distance, a);
        k.AddMember("rotation", quat(c.rotation, a), a);
        k.AddMember("thirdPerson", c.useThridpersonView, a);
        k.AddMember("pitch", double(c.pitch), a);
        k.AddMember("thirdPersonOffset", double(c.thirdPersonOffset), a);
        k.AddMember("eye", vec3(c.eye, a), a);
        k.AddMember("fovy", c.fovy, a);
        break;
    }
    default:
        break;
    }
    if (key.getState() != 0)
        k.AddMember("state", key.getState(), a);
    return k;
}

Value channels(const AnimationTrack& track, Alloc& a)
{
    Value out(rapidjson::kObjectType);
    for (AnimationKeyframeType type : {AKT_Transform, AKT_Material, AKT_Transparency, AKT_Visibility, AKT_Camera}) {
        const auto& keys = track.channel(type);
        if (keys.empty())
            continue;
        Value arr(rapidjson::kArrayType);
        for (const auto& key : keys)
            arr.PushBack(keyframe(*key, a), a);
        out.AddMember(rapidjson::StringRef(channelName(type)), arr, a);
    }
    return out;
}

// ---- reading ----

struct Reader
{
    std::string error;

    bool fail(const std::string& what)
    {
        if (error.empty())
            error = what;
        return false;
    }

    bool finite(const Value& v, double& out)
    {
        if (!v.IsNumber())
            return false;
        out = v.GetDouble();
        return std::isfinite(out);
    }

    bool numberArray(const Value& obj, const char* name, double* out, unsigned n, const std::string& where)
    {
        auto it = obj.FindMember(name);
        if (it == obj.MemberEnd() || !it->value.IsArray() || it->value.Size() != n)
            return fail(where + ": \"" + name + "\" must be an array of " + std::to_string(n) + " numbers");
        for (unsigned i = 0; i < n; ++i)
            if (!finite(it->value[i], out[i]))
                return fail(where + ": \"" + name + "\" holds a value that is not a finite number");
        return true;
    }

    bool number(const Value& obj, const char* name, double& out, const std::string& where, bool required = true)
    {
        auto it = obj.FindMember(name);
        if (it == obj.MemberEnd())
            return !required || fail(where + ": \"" + name + "\" is missing");
        if (!finite(it->value, out))
            return fail(where + ": \"" + name + "\" is not a finite number");
        return true;
    }

    bool boolean(const Value& obj, const char* name, bool& out, const std::string& where, bool required = true)
    {
        auto it = obj.FindMember(name);
        if (it == obj.MemberEnd())
            return !required || fail(where + ": \"" + name + "\" is missing");
        if (!it->value.IsBool())
            return fail(where + ": \"" + name + "\" is not true or false");
        out = it->value.GetBool();
        return true;
    }

    AnimationKeyframePtr key(const Value& v, AnimationKeyframeType type, const std::string& where)
    {
        if (!v.IsObject()) {
            fail(where + ": a keyframe must be an object");
            return nullptr;
        }
        double time = 0.0;
        if (!number(v, "time", time, where))
            return nullptr;
        if (time < 0.0) {
            fail(where + ": \"time\" is negative");
            return nullptr;
        }
        AnimationKeyframePtr k = new AnimationKeyframe(type, time);
        AnimationKeyframeValue& out = k->value();
        double d[16];
        switch (type) {
        case AKT_Transform:
            if (!numberArray(v, "matrix", d, 16, where))
                return nullptr;
            out.matrix.set(d);
            break;
        case AKT_Material:
            if (!numberArray(v, "color", d, 4, where))
                return nullptr;
            out.color.set(float(d[0]), float(d[1]), float(d[2]), float(d[3]));
            break;
        case AKT_Transparency: {
            double o = 1.0;
            if (!number(v, "opacity", o, where))
                return nullptr;
            if (o < 0.0 || o > 1.0) {
                fail(where + ": \"opacity\" lies outside 0..1");
                return nullptr;
            }
            out.opacity = float(o);
            break;
        }
        case AKT_Visibility:
            if (!boolean(v, "visible", out.visible, where))
                return nullptr;
            break;
        case AKT_Camera: {
            AnimationCameraInfo& c = out.camera;
            double p = 0.0;
            if (!boolean(v, "perspective", c.perpectiveCamera, where) || !numberArray(v, "center", d, 3, where))
                return nullptr;
            c.center.set(d[0], d[1], d[2]);
            if (!number(v, "distance", c.distance, where) || !numberArray(v, "rotation", d, 4, where))
                return nullptr;
            c.rotation.set(d[0], d[1], d[2], d[3]);
            if (c.rotation.length2() <= 0.0) {
                fail(where + ": \"rotation\" is not a rotation");
                return nullptr;
            }
            if (!boolean(v, "thirdPerson", c.useThridpersonView, where, false))
                return nullptr;
            if (!number(v, "pitch", p = c.pitch, where, false))
                return nullptr;
            c.pitch = float(p);
            if (!number(v, "thirdPersonOffset", p = c.thirdPersonOffset, where, false))
                return nullptr;
            c.thirdPersonOffset = float(p);
            if (v.HasMember("eye")) {
                if (!numberArray(v, "eye", d, 3, where))
                    return nullptr;
                c.eye.set(d[0], d[1], d[2]);
            }
            if (!number(v, "fovy", c.fovy, where, false))
                return nullptr;
            break;
        }
        default:
            return nullptr;
        }
        auto state = v.FindMember("state");
        if (state != v.MemberEnd()) {
            if (!state->value.IsInt()) {
                fail(where + ": \"state\" is not a whole number");
                return nullptr;
            }
            k->setState(state->value.GetInt());
        }
        return k;
    }

    bool track(const Value& v, AnimationTrack& out, bool camera, const std::string& where)
    {
        const AnimationKeyframeType nodeTypes[] = {AKT_Transform, AKT_Material, AKT_Transparency, AKT_Visibility};
        const AnimationKeyframeType cameraTypes[] = {AKT_Camera};
        auto types = camera ? std::vector<AnimationKeyframeType>(std::begin(cameraTypes), std::end(cameraTypes))
                            : std::vector<AnimationKeyframeType>(std::begin(nodeTypes), std::end(nodeTypes));
        for (AnimationKeyframeType type : types) {
            auto it = v.FindMember(channelName(type));
            if (it == v.MemberEnd())
                continue;
            const std::string at = where + "." + channelName(type);
            if (!it->value.IsArray())
                return fail(at + " must be an array");
            std::vector<AnimationKeyframePtr> keys;
            for (const auto& k : it->value.GetArray()) {
                AnimationKeyframePtr key = this->key(k, type, at);
                if (!key)
                    return false;
                keys.push_back(key);
            }
            out.setChannel(type, keys);
        }
        return true;
    }
};

} // namespace

std::string AnimationStorage::serialize()
{
    if (!m_manager)
        return std::string();
    rapidjson::Document doc = m_manager->toDocument();
    rapidjson::StringBuffer sb;
    rapidjson::Writer<rapidjson::StringBuffer> w(sb);
    doc.Accept(w);
    return std::string(sb.GetString(), sb.GetSize());
}

bool AnimationStorage::deserialize(const std::string& text, std::string* error)
{
    if (!m_manager) {
        if (error)
            *error = "no animation manager";
        return false;
    }
    return m_manager->fromDocument(text, error);
}

rapidjson::Document AnimationStorage::write(const std::vector<osg::ref_ptr<AnimationSegment>>& animations,
                                            const AnimationSegment* defaultAnimation)
{
    rapidjson::Document doc(rapidjson::kObjectType);
    Alloc& a = doc.GetAllocator();
    doc.AddMember("version", Version, a);
    int defaultIndex = 0;
    Value list(rapidjson::kArrayType);
    for (std::size_t i = 0; i < animations.size(); ++i) {
        const AnimationSegment& segment = *animations[i];
        if (&segment == defaultAnimation)
            defaultIndex = int(i);
        Value anim(rapidjson::kObjectType);
        anim.AddMember("name", Value(segment.getName().c_str(), a), a);
        Value tracks(rapidjson::kArrayType);
        for (const auto& track : segment.getTracks()) {
            // A node without a name in the document cannot be found again.
            if (track->empty() || !track->getTarget().valid())
                continue;
            Value t(rapidjson::kObjectType);
            Value target(rapidjson::kObjectType);
            target.AddMember("kind", Value(track->getTarget().kind.c_str(), a), a);
            target.AddMember("id", uint64_t(track->getTarget().id), a);
            t.AddMember("target", target, a);
            Value ch = channels(*track, a);
            for (auto& m : ch.GetObject())
                t.AddMember(m.name, m.value, a);
            tracks.PushBack(t, a);
        }
        anim.AddMember("tracks", tracks, a);
        Value camera(rapidjson::kArrayType);
        for (const auto& key : segment.getCameraTrack()->channel(AKT_Camera))
            camera.PushBack(keyframe(*key, a), a);
        anim.AddMember("camera", camera, a);
        list.PushBack(anim, a);
    }
    doc.AddMember("default", defaultIndex, a);
    doc.AddMember("animations", list, a);
    return doc;
}

bool AnimationStorage::read(const std::string& text, const std::function<osg::Node*(const AnimationTarget&)>& resolver,
                            std::vector<osg::ref_ptr<AnimationSegment>>& animations,
                            osg::ref_ptr<AnimationSegment>& defaultAnimation, std::string& error)
{
    rapidjson::Document doc;
    // Iterative: a deeply nested document must not exhaust the stack.
    Vantor::ParseJsonExact<rapidjson::kParseIterativeFlag>(doc, text.c_str(), text.size());
    if (doc.HasParseError()) {
        error = std::string("not JSON (") + rapidjson::GetParseError_En(doc.GetParseError()) + " at offset " +
                std::to_string(doc.GetErrorOffset()) + ")";
        return false;
    }
    Reader r;
    if (!doc.IsObject()) {
        error = "the document is not an object";
        return false;
    }
    auto version = doc.FindMember("version");
    if (version == doc.MemberEnd() || !version->value.IsInt()) {
        error = "\"version\" is missing or not a whole number";
        return false;
    }
    if (version->value.GetInt() < 1 || version->value.GetInt() > Version) {
        error = "version " + std::to_string(version->value.GetInt()) + " is not supported";
        return false;
    }
    auto list = doc.FindMember("animations");
    if (list == doc.MemberEnd() || !list->value.IsArray()) {
        error = "\"animations\" is missing or not an array";
        return false;
    }
    std::vector<osg::ref_ptr<AnimationSegment>> loaded;
    for (rapidjson::SizeType i = 0; i < list->value.Size(); ++i) {
        const Value& anim = list->value[i];
        const std::string where = "animations[" + std::to_string(i) + "]";
        if (!anim.IsObject()) {
            error = where + " is not an object";
            return false;
        }
        osg::ref_ptr<AnimationSegment> segment = new AnimationSegment;
        auto name = anim.FindMember("name");
        if (name != anim.MemberEnd() && name->value.IsString())
            segment->setName(name->value.GetString());
        auto tracks = anim.FindMember("tracks");
        if (tracks != anim.MemberEnd()) {
            if (!tracks->value.IsArray()) {
                error = where + ".tracks is not an array";
                return false;
            }
            for (rapidjson::SizeType j = 0; j < tracks->value.Size(); ++j) {
                const Value& t = tracks->value[j];
                const std::string at = where + ".tracks[" + std::to_string(j) + "]";
                if (!t.IsObject()) {
                    error = at + " is not an object";
                    return false;
                }
                auto target = t.FindMember("target");
                if (target == t.MemberEnd() || !target->value.IsObject() || !target->value.HasMember("kind") ||
                    !target->value["kind"].IsString() || !target->value.HasMember("id") ||
                    !target->value["id"].IsUint64()) {
                    error = at + ".target must hold a \"kind\" text and a whole \"id\"";
                    return false;
                }
                AnimationTarget named;
                named.kind = target->value["kind"].GetString();
                named.id = target->value["id"].GetUint64();
                if (!named.valid() || named.kind == "camera") {
                    error = at + ".target names no node";
                    return false;
                }
                osg::Node* node = resolver ? resolver(named) : nullptr;
                osg::ref_ptr<AnimationTrack> track = new AnimationTrack(node, named);
                if (!r.track(t, *track, false, at)) {
                    error = r.error;
                    return false;
                }
                segment->addTrack(track.get());
            }
        }
        auto camera = anim.FindMember("camera");
        if (camera != anim.MemberEnd()) {
            Value wrapped(rapidjson::kObjectType);
            Value copy(camera->value, doc.GetAllocator());
            wrapped.AddMember("camera", copy, doc.GetAllocator());
            if (!r.track(wrapped, *segment->getCameraTrack(), true, where)) {
                error = r.error;
                return false;
            }
        }
        loaded.push_back(segment);
    }
    // An empty list stands for one empty animation.
    if (loaded.empty())
        loaded.push_back(new AnimationSegment);
    int index = 0;
    auto def = doc.FindMember("default");
    if (def != doc.MemberEnd()) {
        if (!def->value.IsInt() || def->value.GetInt() < 0 || def->value.GetInt() >= int(loaded.size())) {
            error = "\"default\" names no animation of the list";
            return false;
        }
        index = def->value.GetInt();
    }
    animations = loaded;
    defaultAnimation = loaded[std::size_t(index)];
    return true;
}

} // namespace Vantor
