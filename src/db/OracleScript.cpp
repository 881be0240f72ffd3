#include "db/OracleScript.h"

#include "db/OracleSession.h"

#include <memory>

namespace tarvel {

namespace {

constexpr const char* LineBreak = "\r\n";

// Output lines end in CR LF whatever the engine's messages use.
std::string WithLineBreaks(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))
            out += '\r';
        out += text[i];
    }
    return out;
}

} // namespace

std::string TOracleScript::Text() const {
    std::string out;
    for (const auto& line : Lines)
        out += line + LineBreak;
    return out;
}

void TOracleScript::SetText(const std::string& text) {
    Lines.clear();
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        std::string line = text.substr(pos, end == std::string::npos ? end : end - pos);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        Lines.push_back(line);
        pos = end == std::string::npos ? text.size() : end + 1;
    }
}

bool TOracleScript::Execute() {
    if (!Session)
        throw Exception("TOracleScript: no session");
    Errors = 0;
    for (const auto& command : Session->Driver().SplitScript(Text())) {
        Output += WithLineBreaks(command) + LineBreak;
        std::string result;
        std::unique_ptr<EOracleError> error;
        try {
            result = Session->Execute(command, {}).Feedback;
        } catch (const EOracleError& e) {
            error = std::make_unique<EOracleError>(e);
            result = WithLineBreaks(e.what());
        }
        for (const auto& message : Session->TakeMessages())
            Output += WithLineBreaks(message) + LineBreak;
        Output += result + LineBreak + LineBreak;
        if (error) {
            ++Errors;
            if (OnError)
                OnError(*this, *error);
        }
        if (AfterCommand)
            AfterCommand(*this);
        if (error && ExitOnError)
            break;
    }
    return Errors == 0;
}

} // namespace tarvel
