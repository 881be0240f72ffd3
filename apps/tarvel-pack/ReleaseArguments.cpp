#include "tarvel-pack/ReleaseArguments.h"

#include "core/StringUtils.h"

#include <functional>
#include <map>

namespace tarvel {

namespace {

const char* const kUnknownOption = "Невідомий параметр %s (див. --help)";
const char* const kMissingValue = "Для параметра %s не вказано значення";

} // namespace

const char* const kReleaseHelp =
    "Використання: tarvel-pack --runner ФАЙЛ --params ФАЙЛ\n"
    "                          (--update-folder ПАПКА | --update-archive ФАЙЛ)\n"
    "                          --output ФАЙЛ [--verifier ФАЙЛ] [--service-scripts ШЛЯХ]\n"
    "                          [--product-name ТЕКСТ] [--file-version ВЕРСІЯ]\n"
    "                          [--company-name ТЕКСТ] [--file-description ТЕКСТ]\n"
    "\n"
    "Збирає програму випуску: копію програми tarvel, до якої додано ресурси випуску\n"
    "(архів оновлення, параметри, бібліотеку Verifier, сервісні скрипти, ресурс версії).\n"
    "\n"
    "  --runner ФАЙЛ             програма tarvel, з якої будується випуск\n"
    "  --params ФАЙЛ             файл параметрів випуску PatchParams.ini (Windows-1251,\n"
    "                            секція [Form]); з його ключа PackagePassword виводиться\n"
    "                            пароль ZIP-архіву оновлення\n"
    "  --update-folder ПАПКА     папка оновлення: файл опису (.ini) у корені та папки\n"
    "                            Upd<версія>; з неї будується архів оновлення, кожен файл\n"
    "                            якого стиснуто та зашифровано, файл опису першим\n"
    "  --update-archive ФАЙЛ     готовий архів оновлення замість папки; має відкриватися\n"
    "                            паролем, виведеним з PackagePassword\n"
    "  --verifier ФАЙЛ           бібліотека Verifier; обов'язкова, коли IsNeedVerify не 0\n"
    "  --service-scripts ШЛЯХ    сервісні скрипти (UTF-8): папка, кожен файл якої є скриптом\n"
    "                            з назвою цього файлу (у порядку назв), або файл, у якому\n"
    "                            кожен скрипт починається рядком \"##<назва файлу>\", за\n"
    "                            яким іде його блок; без параметра випуск не має сервісних\n"
    "                            скриптів\n"
    "  --product-name ТЕКСТ      ProductName ресурсу версії\n"
    "  --file-version ВЕРСІЯ     FileVersion ресурсу версії: чотири числа через крапку\n"
    "  --company-name ТЕКСТ      CompanyName ресурсу версії\n"
    "  --file-description ТЕКСТ  FileDescription ресурсу версії\n"
    "  --output ФАЙЛ             програма випуску, що створюється (наявний файл замінюється)\n"
    "  --help                    ця довідка\n"
    "\n"
    "Параметр задається як \"--назва значення\" або \"--назва=значення\".\n"
    "Код завершення: 0 - випуск зібрано; 2 - помилка у вхідних даних; 1 - інша помилка.\n"
    "Якщо випуск не зібрано, файл --output не створюється і не змінюється.\n";

TReleaseArguments ParseReleaseArguments(const std::vector<std::string>& arguments) {
    TReleaseArguments result;
    TReleaseOptions& o = result.Options;
    using TSetter = std::function<void(const std::string&)>;
    const std::map<std::string, TSetter> setters = {
        {"--runner", [&](const std::string& v) { o.Runner = v; }},
        {"--params", [&](const std::string& v) { o.Params = v; }},
        {"--update-folder", [&](const std::string& v) { o.UpdateFolder = v; }},
        {"--update-archive", [&](const std::string& v) { o.UpdateArchive = v; }},
        {"--verifier", [&](const std::string& v) { o.Verifier = v; }},
        {"--service-scripts", [&](const std::string& v) { o.ServiceScripts = v; }},
        {"--product-name", [&](const std::string& v) { o.Version.ProductName = v; }},
        {"--file-version", [&](const std::string& v) { o.Version.FileVersion = v; }},
        {"--company-name", [&](const std::string& v) { o.Version.CompanyName = v; }},
        {"--file-description", [&](const std::string& v) { o.Version.FileDescription = v; }},
        {"--output", [&](const std::string& v) { o.Output = v; }},
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--help" || argument == "-h") {
            result.Help = true;
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const auto setter = setters.find(name);
        if (setter == setters.end())
            throw EReleaseInput(FormatText(kUnknownOption, {argument}));
        if (equals != std::string::npos) {
            setter->second(argument.substr(equals + 1));
        } else if (i + 1 < arguments.size()) {
            setter->second(arguments[++i]);
        } else {
            throw EReleaseInput(FormatText(kMissingValue, {name}));
        }
    }
    return result;
}

} // namespace tarvel
