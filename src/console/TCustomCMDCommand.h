#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tarvel {

// The program's command line as the commands see it: [0] is the program file, [1] selects the
// command, the rest are the command's own parameters.
using TCommandArguments = std::vector<std::string>;

// A console command. Each command class provides, besides Execute, the class-level operations
// `static std::string CommandName()`, `static std::string Description()`, `static void
// PrintHelp()` (the base prints nothing) and a constructor taking the command line; the registry
// reaches them through a TCMDCommandClass, so no instance exists until the command runs.
class TCustomCMDCommand {
public:
    explicit TCustomCMDCommand(const TCommandArguments& arguments) : Arguments(arguments) {}
    virtual ~TCustomCMDCommand() = default;
    TCustomCMDCommand(const TCustomCMDCommand&) = delete;
    TCustomCMDCommand& operator=(const TCustomCMDCommand&) = delete;

    virtual void Execute() = 0;

    static void PrintHelp() {}

protected:
    // The command-line argument at that position, empty when there is none.
    std::string ParamStr(std::size_t index) const {
        return index < Arguments.size() ? Arguments[index] : std::string();
    }
    std::size_t ParamCount() const { return Arguments.empty() ? 0 : Arguments.size() - 1; }

private:
    const TCommandArguments& Arguments;
};

// A class reference: the class-level operations of one command class.
struct TCMDCommandClass {
    std::string (*CommandName)();
    std::string (*Description)();
    void (*PrintHelp)();
    std::unique_ptr<TCustomCMDCommand> (*Create)(const TCommandArguments& arguments);
};

template <class TCommand> const TCMDCommandClass& CommandClassOf() {
    static const TCMDCommandClass commandClass{
        &TCommand::CommandName, &TCommand::Description, &TCommand::PrintHelp,
        [](const TCommandArguments& arguments) -> std::unique_ptr<TCustomCMDCommand> {
            return std::make_unique<TCommand>(arguments);
        }};
    return commandClass;
}

} // namespace tarvel
