#include "check/CheckModes.h"

#include <array>
#include <utility>

namespace vtl {
namespace {

constexpr std::array<std::pair<CheckMode, const char16_t*>, 7> kModeNames{{
    {CheckMode::QuakeWorld, u"quakeworld"},
    {CheckMode::Quake2, u"quake2"},
    {CheckMode::Quake2Hex, u"quake2-hex"},
    {CheckMode::Quake3, u"quake3"},
    {CheckMode::RtCW, u"rtcw"},
    {CheckMode::Hexen2, u"hexen2"},
    {CheckMode::JumpGate, u"jumpgate"},
}};

}  // namespace

CheckMode checkModeOf(GameMode mode) {
    switch (mode) {
        case GameMode::QuakeWorld:
        case GameMode::QuakeWorldMod:
            return CheckMode::QuakeWorld;
        case GameMode::Quake2:
            return CheckMode::Quake2;
        case GameMode::Quake2Hex:
            return CheckMode::Quake2Hex;
        case GameMode::Quake3Arena:
            return CheckMode::Quake3;
        case GameMode::Hexen2:
        case GameMode::Hexen2Mod:
            return CheckMode::Hexen2;
        case GameMode::Wolfenstein:
            return CheckMode::RtCW;
        case GameMode::JumpGate:
            return CheckMode::JumpGate;
    }
    return CheckMode::JumpGate;
}

std::optional<CheckMode> checkModeOfLabel(const QString& modeLabel) {
    static constexpr std::pair<const char16_t*, GameMode> kLabels[] = {
        {kQuakeWorldLabel, GameMode::QuakeWorld}, {kQuakeWorldModLabel, GameMode::QuakeWorldMod},
        {kQuake2Label, GameMode::Quake2},         {kRivCtfLabel, GameMode::Quake2Hex},
        {kQ3ALabel, GameMode::Quake3Arena},       {kHexen2Label, GameMode::Hexen2},
        {kHexen2ModLabel, GameMode::Hexen2Mod},   {kWolf3dLabel, GameMode::Wolfenstein},
        {kJumpGateLabel, GameMode::JumpGate},
    };
    for (const auto& [label, mode] : kLabels) {
        if (modeLabel == QStringView(label)) {
            return checkModeOf(mode);
        }
    }
    return std::nullopt;
}

std::optional<CheckMode> checkModeNamed(const QString& name) {
    for (const auto& [mode, text] : kModeNames) {
        if (name.compare(QString::fromUtf16(text), Qt::CaseInsensitive) == 0) {
            return mode;
        }
    }
    return std::nullopt;
}

QString checkModeName(CheckMode mode) {
    for (const auto& [m, text] : kModeNames) {
        if (m == mode) {
            return QString::fromUtf16(text);
        }
    }
    return {};
}

QStringList checkModeNames() {
    QStringList names;
    for (const auto& entry : kModeNames) {
        names << QString::fromUtf16(entry.second);
    }
    return names;
}

}  // namespace vtl
