#include "dialogs/SystemSettingKeys.h"

namespace SystemSettingKeys {

namespace {

Key colorKey(const char* name, QColor V::*member) { return {name, Kind::Color, member, nullptr, nullptr, 0, 0, false}; }
Key boolKey(const char* name, bool V::*member) { return {name, Kind::Bool, nullptr, member, nullptr, 0, 0, false}; }
Key intKey(const char* name, int V::*member, int minimum, int maximum, bool zeroIsMissing = false)
{
    return {name, Kind::Int, nullptr, nullptr, member, minimum, maximum, zeroIsMissing};
}

} // namespace

const std::vector<Key>& keys()
{
    static const std::vector<Key> table = {
        colorKey("backColorBegin", &V::backColorBegin),
        colorKey("backColorEnd", &V::backColorEnd),
        colorKey("fontColor", &V::fontColor),
        colorKey("markColor", &V::markColor),
        colorKey("sectionColor", &V::sectionColor),
        colorKey("contactpairColor", &V::contactpairColor),
        colorKey("collisionColor", &V::collisionColor),
        colorKey("preselectionColor", &V::preselectionColor),
        boolKey("sectionShow", &V::sectionShow),
        colorKey("selectionColor", &V::selectionColor),
        boolKey("breakroundTransparent", &V::breakroundTransparent),
        {"fExactvalue", Kind::Float, nullptr, nullptr, nullptr, 0, 99, false},
        intKey("unitType", &V::unitType, 0, 2),
        intKey("nFontSize", &V::nFontSize, 0, 99),
        intKey("sectionTransparent", &V::sectionTransparent, 0, 100),
        boolKey("PMI", &V::PMI),
        boolKey("loadEdge", &V::loadEdge),
        boolKey("faceMerge", &V::faceMerge),
        boolKey("logOpened", &V::logOpened),
        {"logPath", Kind::Path, nullptr, nullptr, nullptr, 0, 0, false},
        intKey("logLevel", &V::logLevel, 0, 4),
        boolKey("gridShow", &V::gridShow),
        colorKey("gridColor", &V::gridColor),
        boolKey("infoShow", &V::infoShow),
        boolKey("allowPreSelected", &V::allowPreSelected),
        boolKey("allowMultiSelected", &V::allowMultiSelected),
        intKey("nRoamHumanHeight", &V::nRoamHumanHeight, 50, 500, true),
        boolKey("smartSelectBodyLength", &V::smartSelectBodyLength),
        intKey("smallFeatureCulling", &V::smallFeatureCulling, 1, 100, true),
    };
    return table;
}


} // namespace SystemSettingKeys
