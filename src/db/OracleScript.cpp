#include "db/OracleScript.h"

#include "db/OracleSession.h"

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
        std::string feedback;
        bool failed = false;
        try {
            feedback = Session->Execute(command, {}).Feedback;
        } catch (const EOracleError& e) {
            failed = true;
            ++Errors;
            for (const auto& message : Session->TakeMessages())
                Output += WithLineBreaks(message) + LineBreak;
            Output += WithLineBreaks(e.what()) + LineBreak + LineBreak;
            if (OnError)
                OnError(*this, e);
        }
        if (!failed) {
            for (const auto& message : Session->TakeMessages())
                Output += WithLineBreaks(message) + LineBreak;
            Output += feedback + LineBreak + LineBreak;
        }
        if (AfterCommand)
            AfterCommand(*this);
        if (failed && ExitOnError)
            break;
    }
    return Errors == 0;
}

} // namespace tarvel
