#pragma once

#include "console/TCustomCMDCommand.h"

#include <string_view>
#include <vector>

namespace tarvel {

// The registry of console command classes, in registration order. One per process: constructing
// a second one while the first lives raises the assertion "Single using only".
class TCMDCommandsList {
public:
    TCMDCommandsList();
    ~TCMDCommandsList();
    TCMDCommandsList(const TCMDCommandsList&) = delete;
    TCMDCommandsList& operator=(const TCMDCommandsList&) = delete;

    void Add(const TCMDCommandClass& commandClass);
    const std::vector<const TCMDCommandClass*>& Items() const { return Classes; }
    // The class whose CommandName equals the name exactly (letter case included), else nullptr.
    const TCMDCommandClass* Find(std::string_view name) const;

private:
    std::vector<const TCMDCommandClass*> Classes;
};

// The process's registry, created on first use with the help command as its first entry.
TCMDCommandsList& CommandsList();

// Appends a command class to the process's registry.
void RegisterCommand(const TCMDCommandClass& commandClass);

} // namespace tarvel
