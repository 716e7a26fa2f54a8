#include "check/CheckModes.h"

#include <array>
#include <utility>

namespace vtl {
namespace {

constexpr std::array<std::pair<CheckMode, const char16_t*>, 12> kModeNames{{
    {CheckMode::QuakeWorld, u"quakeworld"},
    {CheckMode::Quake2, u"quake2"},
    {CheckMode::Quake2Hex, u"quake2-hex"},
    {CheckMode::Quake3, u"quake3"},
    {CheckMode::RtCW, u"rtcw"},
    {CheckMode::Hexen2, u"hexen2"},
    {CheckMode::JumpGate, u"jumpgate"},
    {CheckMode::UrbanTerror, u"urbanterror"},
    {CheckMode::OpenJK, u"openjk"},
    {CheckMode::EtLegacy, u"etlegacy"},
    {CheckMode::Warfork, u"warfork"},
    {CheckMode::QuakeLive, u"quakelive"},
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
        case GameMode::UrbanTerror:
            return CheckMode::UrbanTerror;
        case GameMode::OpenJK:
            return CheckMode::OpenJK;
        case GameMode::EtLegacy:
            return CheckMode::EtLegacy;
        case GameMode::Warfork:
            return CheckMode::Warfork;
        case GameMode::QuakeLive:
            return CheckMode::QuakeLive;
    }
    return CheckMode::JumpGate;
}

std::optional<CheckMode> checkModeOfLabel(const QString& modeLabel) {
    for (const ModeRow& row : kModes) {
        if (modeLabel == QStringView(row.label)) {
            return checkModeOf(row.mode);
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
