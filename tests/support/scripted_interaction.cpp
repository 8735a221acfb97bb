#include "scripted_interaction.h"

ScriptedInteraction::State& ScriptedInteraction::s() {
    static State state;
    return state;
}

ScriptedInteraction::State& ScriptedInteraction::Install() {
    s() = State();
    SetUserInteraction(std::make_unique<ScriptedInteraction>());
    return s();
}

void ScriptedInteraction::Uninstall() {
    SetUserInteraction(nullptr);
}
