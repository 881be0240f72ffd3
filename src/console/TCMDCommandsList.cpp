#include "console/TCMDCommandsList.h"

#include "console/TCMDHelpCommand.h"
#include "core/Exceptions.h"

namespace tarvel {

namespace {
const char* const SingleUsingOnly = "Single using only";

bool RegistryExists = false;
} // namespace

TCMDCommandsList::TCMDCommandsList() {
    Assert(!RegistryExists, SingleUsingOnly, "console/TCMDCommandsList.cpp", __LINE__);
    RegistryExists = true;
}

TCMDCommandsList::~TCMDCommandsList() {
    RegistryExists = false;
}

void TCMDCommandsList::Add(const TCMDCommandClass& commandClass) {
    Classes.push_back(&commandClass);
}

const TCMDCommandClass* TCMDCommandsList::Find(std::string_view name) const {
    for (const TCMDCommandClass* commandClass : Classes)
        if (commandClass->CommandName() == name)
            return commandClass;
    return nullptr;
}

TCMDCommandsList& CommandsList() {
    struct TProcessRegistry {
        TProcessRegistry() { List.Add(CommandClassOf<TCMDHelpCommand>()); }
        TCMDCommandsList List;
    };
    static TProcessRegistry registry;
    return registry.List;
}

void RegisterCommand(const TCMDCommandClass& commandClass) {
    CommandsList().Add(commandClass);
}

} // namespace tarvel
