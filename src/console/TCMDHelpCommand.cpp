#include "console/TCMDHelpCommand.h"

#include "console/ConsoleOutput.h"
#include "console/TCMDCommandsList.h"
#include "core/StringUtils.h"

#include <filesystem>
#include <iostream>
#include <unistd.h>

namespace tarvel {

namespace {
const char* const HelpName = "help";
const char* const HelpDescription = "інформація про режими роботи консольного режиму";
const char* const ConsoleModeTitle = "Виконання операцій у консольному режимі.";
const char* const InformationTitle = "Інформація";
const char* const UsageTemplate = "%s -%s [-Params]";
const char* const ListCommandName = "COMMAND";
const char* const CommandListTitle = "Ключ -COMMAND одна з операцій: ";
const char* const CommandNotSupported = "Команда %s не підтримується.";
const char* const UseHelpHint =
    "Скористайтесь командою HELP щоб дізнатись які команди доступні в командному режимі.";
const char* const PressEnter = "Для завершення натисніть [Enter]";
const char* const HelpLines[] = {
    "",
    "Інформація про можливості використання програми у консольному режимі.",
    "",
    "Без параметрів:",
    " друк списку доступних команд",
    "Параметр \"назва команди\":",
    " друк інформації про певну команду",
    "Параметр \"HELP\":",
    " друк цієї сторінки",
};

// A script reading our output must never hang on the final prompt.
void WaitForEnter() {
    if (!isatty(STDIN_FILENO))
        return;
    std::string ignored;
    std::getline(std::cin, ignored);
}
} // namespace

TCMDHelpCommand::TCMDHelpCommand(const TCommandArguments& arguments)
    : TCustomCMDCommand(arguments), Commands(CommandsList()) {}

std::string TCMDHelpCommand::CommandName() {
    return HelpName;
}

std::string TCMDHelpCommand::Description() {
    return HelpDescription;
}

void TCMDHelpCommand::PrintHelp() {
    for (const char* line : HelpLines)
        WriteConsoleLine(line);
}

void TCMDHelpCommand::Execute() {
    WriteConsoleLine();
    WriteConsoleLine(ConsoleModeTitle);
    WriteConsoleLine();
    WriteConsoleLine(InformationTitle);
    WriteConsoleLine();
    if (ParamCount() >= 2)
        PrintCommandDetails(ParamStr(2));
    else
        PrintCommandList();
    WriteConsoleLine();
    WriteConsoleLine();
    WriteConsoleLine(PressEnter);
    WaitForEnter();
}

void TCMDHelpCommand::PrintCommandList() {
    WriteConsoleLine(UsageLine(ListCommandName));
    WriteConsoleLine();
    WriteConsoleLine(CommandListTitle);
    for (const TCMDCommandClass* commandClass : Commands.Items())
        WriteConsoleLine("  -" + AsciiUpperCase(commandClass->CommandName()) + "   " +
                         commandClass->Description());
}

void TCMDHelpCommand::PrintCommandDetails(const std::string& name) {
    const TCMDCommandClass* commandClass = Commands.Find(name);
    if (!commandClass) {
        WriteConsoleLine(FormatText(CommandNotSupported, {name}));
        WriteConsoleLine(UseHelpHint);
        return;
    }
    WriteConsoleLine(UsageLine(commandClass->CommandName()));
    commandClass->PrintHelp();
    WriteConsoleLine();
}

std::string TCMDHelpCommand::UsageLine(const std::string& commandName) const {
    const std::string programName = std::filesystem::path(ParamStr(0)).filename().string();
    return AsciiUpperCase(FormatText(UsageTemplate, {programName, commandName}));
}

} // namespace tarvel
