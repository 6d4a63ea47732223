#pragma once

#include "vantor/animation/AnimationTrack.h"

#include <osg/ref_ptr>
#include <rapidjson/document.h>

#include <functional>
#include <string>
#include <vector>

namespace Vantor {

class AnimationManager;

// The JSON form of a manager's animations (docs/animation-json.md).
class AnimationStorage
{
public:
    // The form this code writes; documents of a later version are refused.
    static constexpr int Version = 1;

    AnimationStorage() = default;

    void SetAnimationManager(osg::ref_ptr<AnimationManager> manager) { m_manager = manager; }
    // The manager's document as compact JSON text; empty without a manager.
    std::string serialize();
    // Loads the text into the manager (AnimationManager::fromDocument).
    bool deserialize(const std::string& text, std::string* error = nullptr);

    // The document of the animations; the default one is named by its index.
    static rapidjson::Document write(const std::vector<osg::ref_ptr<AnimationSegment>>& animations,
                                     const AnimationSegment* defaultAnimation);
    // Reads every animation of the text; targets go through the resolver (may be empty: nothing is
    // found). False, with the reason, for text that does not parse or does not hold a valid animation
    // document; the outputs are then untouched.
    static bool read(const std::string& text, const std::function<osg::Node*(const AnimationTarget&)>& resolver,
                     std::vector<osg::ref_ptr<AnimationSegment>>& animations,
                     osg::ref_ptr<AnimationSegment>& defaultAnimation, std::string& error);

private:
    osg::ref_ptr<AnimationManager> m_manager;
};

} // namespace Vantor
